// The catalogue data module: files at start-up, the cost catalogue, saves.
// The product catalogue is checked with Tallora's in
// tests/storage/ProductCatalogTest.cpp.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tools/DefaultDataQuorva.h"

namespace {

class CatalogTest : public ::testing::Test {
protected:
  TDataFolders Folders() const { return {exe.Dir(), dir.Dir()}; }
  TempDir exe, dir;
  ScriptedDialogs dialogs;
  RecordingPresenter presenter;
};

TEST_F(CatalogTest, StartsFromTheFilesBesideTheExecutableAndValidatesCosts) {
  TCatalog empty(nullptr, Folders(), {dialogs, presenter});
  EXPECT_TRUE(empty.cdsProduct().Active() && empty.cdsCusto().Active());
  EXPECT_EQ(empty.cdsProduct().RecordCount() + empty.cdsCusto().RecordCount(), 0);

  // A damaged product file is reported and left out; the costs still load.
  WriteFileBytes(exe / "Produtos.dat", std::string("TPF0\x0FTProductPersist\x00\x08"
                                                   "Filen",
                                                   27));
  TCustoPersist costs;
  AddCusto(costs.Custos(), "Mudas", "$/ha", "Unitario", 620);
  SaveComponent(exe / "Custo.dat", costs);
  TCatalog catalog(nullptr, Folders(), {dialogs, presenter});
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::Error).size(), 1u);
  EXPECT_EQ(catalog.cdsProduct().RecordCount(), 0);
  EXPECT_EQ(catalog.cdsCusto().RecordCount(), 1);

  // The type setter edits the current cost; an annual cost loses its value.
  catalog.SetTipoCusto("Anual");
  EXPECT_EQ(catalog.cdsCusto().State(), TDataSetState::Edit);
  catalog.cdsCusto().Post();
  EXPECT_EQ(presenter.hides, 1);
  EXPECT_TRUE(presenter.shown.empty());
  EXPECT_EQ(std::tuple(catalog.FindCusto(0)->TipoCusto(), catalog.FindCusto(0)->Custo()), std::tuple("Anual", 0.0));
}

TEST_F(CatalogTest, SavesFollowTheRememberedPathAndFailedLoadsChangeNothing) {
  TCatalog catalog(nullptr, Folders(), {dialogs, presenter});
  catalog.SaveCosts();
  EXPECT_TRUE(FileExists(exe / "Custo.dat"));
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
    EXPECT_EQ(e.Message(),
              "Não foi possível ler o arquivo \"Plano.dat\": não é um arquivo de catálogo de custos.\n"
              "Arquivo não contém o objeto do tipo: TCustoPersist");
  }
  EXPECT_EQ(catalog.cdsCusto().Collection(), before);
  EXPECT_EQ(catalog.CostsPath(), dir / "Meus.dat");
}

}  // namespace
