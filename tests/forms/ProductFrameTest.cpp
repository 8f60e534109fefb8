// The shared product catalogue frame and the catalogue picker, over a
// product catalogue of their own.

#include <gtest/gtest.h>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>
#include <memory>

#include "forms/CatalogPicker.h"
#include "forms/ProductFrame.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "storage/ProductCatalog.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/support/gui/Modal.h"

namespace fs = std::filesystem;

namespace {

using B = DbNavigator::Button;

class ProductFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"Laminação", "Serraria", "Celulose"}) Add(name);
    catalog_->cdsProduct().First();
  }

  void Add(const std::string& name) {
    TDataSet& ds = catalog_->cdsProduct();
    ds.Append();
    ds.FieldByName("Name").SetAsString(name);
    ds.FieldByName("MinDiameter").SetAsFloat(10);
    ds.FieldByName("Size").SetAsFloat(2.4);
    ds.FieldByName("Price").SetAsFloat(50);
    ds.Post();
  }
  TFrameProduct* MakeFrame(bool overwritePrompt = true) {
    TProductFrameOptions options{.exeDir = exe_.string(), .panel = {}, .overwritePrompt = overwritePrompt};
    options.panel.priceLabel = "Preço de &mercado:";
    auto* frame = new TFrameProduct(window_.get(), *catalog_, options,
                                    TFrameSeams{dialogs_, framePresenter_, documents_});
    auto* layout = new QVBoxLayout(window_.get());
    layout->addWidget(frame);
    window_->resize(480, 360);
    return frame;
  }
  std::string NameAt() const { return catalog_->cdsProduct().FieldByName("Name").AsString(); }

  TempDir dir_;
  fs::path exe_ = dir_.Sub("exe"), work_ = dir_.Sub("work");
  ScriptedDialogs dialogs_;
  RecordingPresenter modulePresenter_, framePresenter_;
  TDocumentFolder documents_{work_.string()};
  TErrorList errors_;
  std::unique_ptr<TProductCatalog> catalog_ = std::make_unique<TProductCatalog>(
      TDataFolders{exe_.string(), work_.string()}, TDataSeams{dialogs_, modulePresenter_}, errors_,
      TProductCatalogOptions{.Validate = [](const TProduct& p, TErrorList& e) { return p.Validate(e); }});
  std::unique_ptr<QWidget> window_ = std::make_unique<QWidget>();
};

TEST_F(ProductFrameTest, FileCommandsAskWithTheirTitlesFolderAndFilter) {
  TFrameProduct* frame = MakeFrame();
  EXPECT_EQ(frame->Panel()->PriceLabel()->text().toStdString(), "Preço de &mercado:");
  const std::string other = (work_ / "Outros.dat").string();

  dialogs_.AnswerFile(other);
  EXPECT_TRUE(frame->SaveAs());
  EXPECT_TRUE(fs::exists(other));
  EXPECT_EQ(catalog_->Root().Filename(), "Outros.dat");

  catalog_->cdsProduct().Last();
  catalog_->cdsProduct().Delete();
  frame->Save();  // where it was saved last
  dialogs_.AnswerFile(other);
  EXPECT_TRUE(frame->Open());
  EXPECT_EQ(catalog_->cdsProduct().RecordCount(), 2);

  dialogs_.AnswerFile("");
  EXPECT_FALSE(frame->Open());
  dialogs_.AnswerFile("");
  EXPECT_FALSE(frame->SaveAs());

  const std::vector<Prompt> opens = dialogs_.Prompts(Prompt::Kind::OpenFile);
  const std::vector<Prompt> saves = dialogs_.Prompts(Prompt::Kind::SaveFile);
  ASSERT_EQ(opens.size(), 2u);
  ASSERT_EQ(saves.size(), 2u);
  for (const Prompt& p : {opens[0], saves[0]}) {
    EXPECT_EQ(p.options.filter, "Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
    EXPECT_EQ(p.options.defaultExt, "dat");
    EXPECT_EQ(p.options.initialDir, exe_.string());
  }
  EXPECT_EQ(opens[0].options.title, "Abrir Catálogo de Produtos");
  EXPECT_EQ(saves[0].options.title, "Salvar Produtos");
  EXPECT_TRUE(saves[0].options.overwritePrompt);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(ProductFrameTest, SavingUnderAnotherNameMayGoUnasked) {
  TFrameProduct* frame = MakeFrame(false);
  dialogs_.AnswerFile((work_ / "Outros.dat").string());
  EXPECT_TRUE(frame->SaveAs());
  EXPECT_FALSE(dialogs_.Prompts(Prompt::Kind::SaveFile).at(0).options.overwritePrompt);
}

TEST_F(ProductFrameTest, MovingInsertingAndDeletingHideTheErrorWindowPostingDoesNot) {
  TFrameProduct* frame = MakeFrame();
  DbNavigator* nav = frame->findChild<DbNavigator*>("DBNavigator");
  ASSERT_NE(nav, nullptr);
  catalog_->cdsProduct().SetRecNo(2);
  const int moduleHides = modulePresenter_.hides;

  nav->ClickButton(B::Next);
  EXPECT_EQ(framePresenter_.hides, 1);
  nav->ClickButton(B::Prior);
  EXPECT_EQ(framePresenter_.hides, 2);
  catalog_->cdsProduct().Edit();
  nav->ClickButton(B::Post);
  EXPECT_EQ(catalog_->cdsProduct().State(), TDataSetState::Browse);
  EXPECT_EQ(framePresenter_.hides, 2);
  EXPECT_EQ(modulePresenter_.hides, moduleHides + 1);  // the valid post's own

  nav->ClickButton(B::Insert);
  EXPECT_EQ(framePresenter_.hides, 3);
  nav->ClickButton(B::Post);  // an empty product: stored, and its errors shown
  EXPECT_EQ(modulePresenter_.shown.size(), 1u);
  EXPECT_EQ(framePresenter_.hides, 3);
  EXPECT_EQ(catalog_->cdsProduct().RecordCount(), 4);

  dialogs_.Answer(TMsgDlgBtn::Yes);
  nav->ClickButton(B::Delete);
  EXPECT_EQ(framePresenter_.hides, 4);
  EXPECT_EQ(catalog_->cdsProduct().RecordCount(), 3);
  EXPECT_TRUE(RecordedExceptions().empty());
}

// The picker alone: its callbacks get record numbers from 1.
TEST_F(ProductFrameTest, PickerCopiesByDoubleClickAndAnswersTheRecordOnOk) {
  std::vector<int> copied;
  int all = 0;
  TCatalogPicker picker(window_.get(), {.source = &catalog_->dsProduct(),
                                        .columns = {{"Name", "Nome"}},
                                        .copyOne = [&](int n) { copied.push_back(n); },
                                        .copyAll = [&] { ++all; },
                                        .caption = "Produtos"});
  EXPECT_EQ(picker.windowTitle().toStdString(), "Produtos");
  EXPECT_EQ(picker.Grid()->model()->headerData(0, Qt::Horizontal).toString().toStdString(), "Nome");

  WhenModal([&](QDialog& d) {
    EXPECT_EQ(d.windowTitle().toStdString(), "Escolha");
    DbGrid* grid = picker.Grid();
    const QPoint at = grid->visualRect(grid->model()->index(2, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(d.isVisible());
    picker.OkButton()->click();
  });
  EXPECT_EQ(picker.Pick("Escolha"), 3);
  EXPECT_EQ(copied, std::vector<int>{3});
  EXPECT_EQ(NameAt(), "Celulose");

  WhenModal([&](QDialog&) { picker.AllButton()->click(); });
  EXPECT_EQ(picker.Pick("Escolha"), -1);
  EXPECT_EQ(all, 1);
  WhenModal([&](QDialog&) { picker.CancelButton()->click(); });
  EXPECT_EQ(picker.Pick("Escolha"), -1);

  // An empty catalogue still answers 0 on OK.
  while (!catalog_->cdsProduct().IsEmpty()) catalog_->cdsProduct().Delete();
  WhenModal([&](QDialog&) { picker.OkButton()->click(); });
  EXPECT_EQ(picker.Pick("Escolha"), 0);
  EXPECT_EQ(copied, std::vector<int>{3});
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
