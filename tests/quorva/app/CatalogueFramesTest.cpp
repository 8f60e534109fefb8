// The two catalogue pages: costs (its lists, navigator and files) and
// products (the shared page in Quorva's settings).

#include <QComboBox>
#include <QLabel>

#include "forms/ProductFrame.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbNavigator.h"
#include "quorva/app/CatalogoCustoFrame.h"
#include "quorva/app/ProductCatalogFrame.h"
#include "storage/PersistUnit.h"
#include "tests/quorva/app/QuorvaFrames.h"

namespace {

using CatalogueFramesTest = QuorvaFramesTest;

TEST_F(CatalogueFramesTest, CostListsWriteTheCurrentCostOnlyWhenTheUserChooses) {
  Make<TFrameCatalogoCusto>(catalog());
  Show(*window);
  TDataSet& costs = catalog().cdsCusto();
  ASSERT_EQ(costs.FieldByName("UnidadeMedida").AsString(), "$/ha");
  ASSERT_EQ(costs.FieldByName("TipoCusto").AsString(), "Unitario");
  auto* unit = Find<QComboBox>(*window, "ComboBoxUnidadeMedida");
  auto* type = Find<QComboBox>(*window, "ComboBoxTipoCusto");
  EXPECT_EQ(unit->currentIndex(), -1);

  unit->setCurrentIndex(1);
  type->setCurrentIndex(1);
  EXPECT_EQ(costs.State(), TDataSetState::Browse);
  EXPECT_EQ(costs.FieldByName("TipoCusto").AsString(), "Unitario");

  unit->setFocus();
  QTest::keyClick(unit, Qt::Key_Up);  // "$/m3"
  EXPECT_EQ(costs.State(), TDataSetState::Edit);
  EXPECT_EQ(costs.FieldByName("UnidadeMedida").AsString(), "$/m3");
  EXPECT_EQ(TextOf(Find<DbLineEdit>(*window, "EditUnidadeMedida")), "$/m3");
  EXPECT_EQ(costs.FieldByName("TipoCusto").AsString(), "Unitario");
  EXPECT_TRUE(RecordedExceptions().empty());
}

// A yearly cost has no single cost: the post stores 0 and the page shows it.
TEST_F(CatalogueFramesTest, PostingACostAsYearlyShowsTheZeroItStores) {
  Make<TFrameCatalogoCusto>(catalog());
  Show(*window);
  TDataSet& costs = catalog().cdsCusto();
  ASSERT_EQ(costs.FieldByName("TipoCusto").AsString(), "Unitario");
  ASSERT_GT(costs.FieldByName("Custo").AsFloat(), 0);
  auto* type = Find<QComboBox>(*window, "ComboBoxTipoCusto");
  type->setFocus();
  QTest::keyClick(type, Qt::Key_End);  // "Anual"
  ASSERT_EQ(costs.FieldByName("TipoCusto").AsString(), "Anual");
  Find<DbNavigator>(*window, "NavigatorCusto")->ClickButton(DbNavigator::Button::Post);
  EXPECT_EQ(costs.State(), TDataSetState::Browse);
  EXPECT_EQ(costs.FieldByName("Custo").AsFloat(), 0);
  EXPECT_EQ(TextOf(Find<DbLineEdit>(*window, "EditCusto")), "R$ 0,00");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(CatalogueFramesTest, CostNavigatorMovesHideTheErrorWindow) {
  Make<TFrameCatalogoCusto>(catalog());
  auto* navigator = Find<DbNavigator>(*window, "NavigatorCusto");
  navigator->ClickButton(DbNavigator::Button::Next);
  EXPECT_EQ(presenter.hides, 1);
  navigator->ClickButton(DbNavigator::Button::Prior);
  EXPECT_EQ(presenter.hides, 2);
}

TEST_F(CatalogueFramesTest, CostFilesOpenBesideTheExecutableSaveWhereTheyCameFrom) {
  auto* frame = Make<TFrameCatalogoCusto>(catalog());
  const std::string other = (work / "Outros.dat").string();
  dialogs.AnswerFile(other);
  EXPECT_TRUE(frame->SaveAs());
  const auto saves = dialogs.Prompts(Prompt::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].options.title, "Salvar Catalogo de Custos");
  EXPECT_EQ(saves[0].options.initialDir, exe.string());
  EXPECT_TRUE(saves[0].options.overwritePrompt);
  TCustoPersist written;
  LoadComponent(other, written);
  EXPECT_EQ(written.Filename(), "Outros.dat");
  EXPECT_EQ(written.Custos().Count(), catalog().CostRoot().Custos().Count());

  dialogs.AnswerFile("");
  EXPECT_FALSE(frame->Open());
  const auto opens = dialogs.Prompts(Prompt::Kind::OpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].options.initialDir, exe.string());
  EXPECT_EQ(opens[0].options.filter, kDataFileFilter);

  // A plain save goes back to the file last written.
  TDataSet& costs = catalog().cdsCusto();
  costs.Delete();
  EXPECT_TRUE(frame->Save());
  LoadComponent(other, written);
  EXPECT_EQ(written.Custos().Count(), catalog().CostRoot().Custos().Count());
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(CatalogueFramesTest, ProductPageInQuorvasSettings) {
  TFrameProduct* frame = MakeProductFrame(window.get(), catalog(), seams);
  EXPECT_EQ(frame->objectName().toStdString(), "FrameProduct");
  EXPECT_EQ(frame->Panel()->PriceLabel()->text().toStdString(), "Preço de &mercado:");
  auto* evolution = window->findChild<DbLineEdit*>("DBEditPriceEvolutionRate");
  ASSERT_NE(evolution, nullptr);
  EXPECT_EQ(evolution->DataField(), "PriceEvolutionRate");
  EXPECT_EQ(evolution->DataSource(), &catalog().dsProduct());

  dialogs.AnswerFile((work / "Precos.dat").string());
  EXPECT_TRUE(frame->SaveAs());
  const auto saves = dialogs.Prompts(Prompt::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].options.title, "Salvar Produtos");
  EXPECT_FALSE(saves[0].options.overwritePrompt);
  EXPECT_TRUE(std::filesystem::exists(work / "Precos.dat"));
}

}  // namespace
