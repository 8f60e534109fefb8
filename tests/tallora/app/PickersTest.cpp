// The log assortment page and its product picker.

#include <QPushButton>

#include "platform/dbctrls/DbGrid.h"
#include "tallora/app/LogsFrame.h"
#include "tallora/app/ProductsForm.h"
#include "tests/support/gui/Modal.h"
#include "tests/tallora/app/TalloraFrames.h"

namespace {

class PickersTest : public TalloraFramesTest {
protected:
  std::vector<std::string> Logs() {
    std::vector<std::string> names;
    for (const TProduct& log : grovana().CurrentSimulation()->ProductCollection()) names.push_back(log.Name());
    return names;
  }
  void DoubleClickRow(DbGrid* grid, int row) {
    const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }

  TFrameLogs* frame = Make<TFrameLogs>();
};

TEST_F(PickersTest, DoubleClickCopiesAndStaysOpenOkCopiesTheCurrentProduct) {
  const std::vector<std::string> before = Logs();
  WhenModal([&](QDialog& d) {
    auto& picker = static_cast<TFormProducts&>(d);
    EXPECT_EQ(picker.windowTitle().toStdString(), "Sortimento de Toras");
    DoubleClickRow(picker.Grid(), 3);
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(Logs().size(), before.size() + 1);
    DoubleClickRow(picker.Grid(), 0);
    picker.OkButton()->click();
  });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  std::vector<std::string> expected = before;
  expected.insert(expected.end(), {"Energia", "Laminação", "Laminação"});
  EXPECT_EQ(Logs(), expected);
  EXPECT_EQ(grovana().cdsLog().State(), TDataSetState::Browse);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(PickersTest, AllCopiesEveryProductPostedAndValidatedAndReturnsNone) {
  const std::vector<std::string> before = Logs();
  const int hides = presenter.hides;
  WhenModal([](QDialog& d) { static_cast<TFormProducts&>(d).AllButton()->click(); });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  std::vector<std::string> expected = before;
  expected.insert(expected.end(), {"Laminação", "Serraria", "Celulose", "Energia"});
  EXPECT_EQ(Logs(), expected);
  EXPECT_EQ(grovana().cdsLog().State(), TDataSetState::Browse);
  EXPECT_EQ(presenter.hides, hides + 4);  // each valid post clears the error window
  EXPECT_TRUE(presenter.shown.empty());

  WhenModal([](QDialog& d) { static_cast<TFormProducts&>(d).CancelButton()->click(); });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(Logs(), expected);
}

TEST_F(PickersTest, OkOnAnEmptyCatalogueAddsNothing) {
  const std::vector<std::string> before = Logs();
  TDataSet& products = grovana().cdsProduct();
  while (!products.IsEmpty()) products.Delete();
  WhenModal([](QDialog& d) { static_cast<TFormProducts&>(d).OkButton()->click(); });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(Logs(), before);
  EXPECT_TRUE(presenter.shown.empty());
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
