// The catalogue data module: files at start-up, validation on post, saves.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/rtl/SysUtils.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "tests/quorva/model/QuorvaTestSupport.h"

namespace {

class CatalogTest : public ::testing::Test {
protected:
  qtest::TempDir exe, dir;
  qtest::FakeDialogs dialogs;
  qtest::RecordingPresenter presenter;
};

TEST_F(CatalogTest, StartsFromTheFilesBesideTheExecutableAndValidatesPosts) {
  TCatalog empty(nullptr, exe.Dir(), &presenter, &dialogs);
  EXPECT_TRUE(empty.cdsProduct().Active() && empty.cdsCusto().Active());
  EXPECT_EQ(empty.cdsProduct().RecordCount() + empty.cdsCusto().RecordCount(), 0);

  // A damaged product file is reported and left out; the costs still load.
  std::ofstream(exe / "Produtos.dat", std::ios::binary) << std::string(
      "TPF0\x0FTProductPersist\x00\x08"
      "Filen",
      27);
  TCustoPersist costs;
  AddCusto(costs.Custos(), "Mudas", "$/ha", "Unitario", 620);
  SaveComponent(exe / "Custo.dat", costs);
  TCatalog catalog(nullptr, exe.Dir(), &presenter, &dialogs);
  EXPECT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(catalog.cdsProduct().RecordCount(), 0);
  EXPECT_EQ(catalog.cdsCusto().RecordCount(), 1);

  // A faulty product is stored, shown and the post aborted silently.
  TCollectionDataSet& products = catalog.cdsProduct();
  products.Append();
  products.FieldByName("MinDiameter").SetAsFloat(-1);
  products.FieldByName("Price").SetAsFloat(-3.5);
  EXPECT_THROW(products.Post(), EAbort);
  EXPECT_EQ(presenter.title, "Erros em Produtos");
  ASSERT_EQ(presenter.shown.size(), 3u);
  EXPECT_EQ(presenter.shown[2].code, 205);
  EXPECT_EQ(products.RecordCount(), 1);
  products.Edit();
  products.FieldByName("Name").SetAsString("Tora");
  products.FieldByName("MinDiameter").SetAsFloat(20);
  products.FieldByName("Price").SetAsFloat(80);
  products.Post();
  EXPECT_EQ(presenter.hides, 1);

  // The type setter edits the current cost; an annual cost loses its value.
  catalog.SetTipoCusto("Anual");
  EXPECT_EQ(catalog.cdsCusto().State(), TDataSetState::Edit);
  catalog.cdsCusto().Post();
  EXPECT_EQ(presenter.hides, 2);
  EXPECT_EQ(std::tuple(catalog.FindCusto(0)->TipoCusto(), catalog.FindCusto(0)->Custo()), std::tuple("Anual", 0.0));
}

TEST_F(CatalogTest, SavesFollowTheRememberedPathAndFailedLoadsChangeNothing) {
  TCatalog catalog(nullptr, exe.Dir(), &presenter, &dialogs);
  catalog.SaveProducts();
  EXPECT_TRUE(FileExists(exe / "Produtos.dat"));
  AddCusto(catalog.CostRoot().Custos(), "Frete", "$/m3", "Unitario", 12);
  catalog.SaveCosts(dir / "Meus.dat");
  EXPECT_EQ(catalog.CostRoot().Filename(), "Meus.dat");
  catalog.CostRoot().Custos()[0].SetCusto(15);
  catalog.SaveCosts();
  catalog.LoadCosts(dir / "Meus.dat");
  EXPECT_EQ(catalog.cdsCusto().FieldByName("Custo").AsFloat(), 15);

  SaveComponent(dir / "Plano.dat", TQuorvaPersist());
  TCustos* before = &catalog.CostRoot().Custos();
  try {
    catalog.LoadCosts(dir / "Plano.dat");
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Arquivo não contém o objeto do tipo: TCustoPersist");
  }
  EXPECT_THROW(catalog.LoadProducts(dir / "Plano.dat"), Exception);
  EXPECT_EQ(catalog.cdsCusto().Collection(), before);
  EXPECT_EQ(catalog.CostsPath(), dir / "Meus.dat");
}

}  // namespace
