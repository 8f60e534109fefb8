// The cost and product pickers.

#include <QPushButton>
#include <cmath>

#include "platform/dbctrls/DbGrid.h"
#include "quorva/app/CustoForm.h"
#include "quorva/app/CustoFrame.h"
#include "quorva/app/ProducaoFrame.h"
#include "quorva/app/ProdutoForm.h"
#include "tests/quorva/app/QuorvaFrames.h"
#include "tests/support/gui/Modal.h"

namespace {

using Names = std::vector<std::string>;

class QuorvaPickersTest : public QuorvaFramesTest {
protected:
  Names Costs() {
    Names names;
    for (const TCusto& c : plan().Custos()) names.push_back(c.Nome());
    return names;
  }
  Names CatalogueCosts() {
    Names names;
    for (const TCusto& c : catalog().CostRoot().Custos()) names.push_back(c.Nome());
    return names;
  }
};

TEST_F(QuorvaPickersTest, CostsDoubleClickCopiesAndStaysOpenOkCopiesTheSelectionOnceMore) {
  auto* frame = Make<TFrameCusto>(marquel(), catalog());
  const Names before = Costs();
  const Names catalogue = CatalogueCosts();
  ASSERT_GE(catalogue.size(), 3u);
  WhenModal([&](QDialog& d) {
    auto& picker = static_cast<TFormCusto&>(d);
    EXPECT_EQ(picker.windowTitle().toStdString(), "Custos");
    DoubleClickRow(picker.Grid(), 2);
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(Costs().size(), before.size() + 1);
    DoubleClickRow(picker.Grid(), 0);
    picker.OkButton()->click();
  });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  Names expected = before;
  expected.insert(expected.end(), {catalogue[2], catalogue[0], catalogue[0]});
  EXPECT_EQ(Costs(), expected);
  EXPECT_EQ(marquel().cdsCusto().State(), TDataSetState::Browse);

  // The picker is kept, with its position; Cancel copies nothing more.
  WhenModal([&](QDialog& d) {
    EXPECT_EQ(&d, &frame->Picker());
    EXPECT_EQ(static_cast<TFormCusto&>(d).Grid()->currentIndex().row(), 0);
    static_cast<TFormCusto&>(d).CancelButton()->click();
  });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(Costs(), expected);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(QuorvaPickersTest, AllAppendsEveryCostAndReturnsNoRecordAnEmptyCatalogueAddsNothing) {
  auto* frame = Make<TFrameCusto>(marquel(), catalog());
  Names expected = Costs();
  const Names catalogue = CatalogueCosts();
  int picked = 0;
  WhenModal([](QDialog& d) { static_cast<TFormCusto&>(d).AllButton()->click(); });
  picked = frame->Picker().PickCusto("Custos");
  EXPECT_EQ(picked, -1);
  expected.insert(expected.end(), catalogue.begin(), catalogue.end());
  EXPECT_EQ(Costs(), expected);

  TDataSet& costs = catalog().cdsCusto();
  while (!costs.IsEmpty()) costs.Delete();
  WhenModal([](QDialog& d) { static_cast<TFormCusto&>(d).OkButton()->click(); });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(Costs(), expected);
  EXPECT_TRUE(presenter.shown.empty());
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(QuorvaPickersTest, ProductsGoIntoTheCurrentProductionPricedForItsAge) {
  Make<TFrameProducao>(marquel(), catalog());
  TDataSet& productions = marquel().cdsProducao();
  productions.SetRecNo(2);  // the final cut, at 7
  const TProducao& producao = plan().Producoes()[1];
  ASSERT_EQ(producao.Idade(), 7);
  const int itemsBefore = producao.ItensProducao().Count();
  TProduct& product = catalog().ProductRoot().ProductCollection()[1];
  product.SetPriceEvolutionRate(2.5);

  WhenModal([&](QDialog& d) {
    auto& picker = static_cast<TFormProduto&>(d);
    EXPECT_EQ(picker.windowTitle().toStdString(), "Produtos");
    DoubleClickRow(picker.Grid(), 1);
    EXPECT_TRUE(picker.isVisible());
    picker.CancelButton()->click();
  });
  Find<QPushButton>(*window, "ButtonCatalogoProdutos")->click();
  ASSERT_EQ(producao.ItensProducao().Count(), itemsBefore + 1);
  const TItemProducao& item = producao.ItensProducao()[itemsBefore];
  EXPECT_EQ(item.Produto(), product.Name());
  EXPECT_EQ(item.Volume(), 0);
  EXPECT_NEAR(item.Preco(), product.Price() * std::pow(1 + product.PriceEvolutionRate() / 100, 7), 1e-9);
  EXPECT_EQ(marquel().cdsItemProducao().State(), TDataSetState::Browse);

  WhenModal([](QDialog& d) { static_cast<TFormProduto&>(d).AllButton()->click(); });
  Find<QPushButton>(*window, "ButtonCatalogoProdutos")->click();
  EXPECT_EQ(producao.ItensProducao().Count(), itemsBefore + 1 + catalog().ProductRoot().ProductCollection().Count());
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
