// The error window: created on the first show of its presenter only, rows
// and caption of the list shown last, the message column taking the width, CR and LF as blanks,
// raised on every show, and never taking the focus from the edit in use;
// a title and a close button, no minimise button; placed at every show
// beside the main window as it is then where the screen has room, else over
// the toolbar and tree, else clear of the page's controls, always on the
// screen; once the user moved it, where they left it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "forms/ErrorsForm.h"
#include "model/items/ErrorsUnit.h"
#include "platform/gui/Guard.h"
#include "storage/DataModule.h"
#include "tests/support/Fakes.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

TErrorList List(const std::string& title, int count, const std::string& text = "Erro ") {
  TErrorList errors;
  errors.SetTitle(title);
  for (int i = 1; i <= count; ++i) errors.Add(100 + i, text + std::to_string(i));
  return errors;
}

// Counts the z-order changes (raise, lower) a widget is told of.
class ZOrderCounter : public QObject {
public:
  int count = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ZOrderChange) ++count;
    return false;
  }
};

bool HasErrorWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (dynamic_cast<TFormErrors*>(w)) return true;
  return false;
}

}  // namespace

class ErrorsForm : public ::testing::Test {
protected:
  void Show(const TErrorList& errors) { window.ShowErrors(errors.Title(), ErrorLines(errors)); }
  TFormErrors* Form() const { return window.Window(); }
  std::string CellText(int row, int column) const {
    QTableWidgetItem* item = Form()->Grid().item(row, column);
    return item ? item->text().toStdString() : std::string("<none>");
  }

  ScriptedDialogs dialogs;
  TErrorWindow window;
};

TEST_F(ErrorsForm, HidingBeforeTheFirstShowCreatesNothing) {
  window.HideErrors();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_FALSE(HasErrorWindow());
}

TEST_F(ErrorsForm, TheWindowAsCreated) {
  Show(List("Erros em Produtos", 1));
  TFormErrors* form = Form();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->size(), QSize(470, 137));
  EXPECT_TRUE(form->windowFlags() & Qt::Tool);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowTitleHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
  QTableWidget& grid = form->Grid();
  EXPECT_EQ(grid.geometry(), QRect(4, 4, 462, 129));
  EXPECT_EQ(grid.columnCount(), 2);
  EXPECT_FALSE(grid.horizontalHeader()->isVisible());
  EXPECT_FALSE(grid.verticalHeader()->isVisible());
  EXPECT_TRUE(grid.showGrid());
  EXPECT_EQ(grid.font().pixelSize(), 13);
  EXPECT_EQ(grid.columnWidth(1), 462 - grid.columnWidth(0) - 22);
  // The one window, kept by the presenter.
  Show(List("Erros em Produtos", 2));
  EXPECT_EQ(Form(), form);
}

TEST_F(ErrorsForm, RowsAndCaptionOfTheListShownLast) {
  Show(List("Erros em Produtos", 5));
  EXPECT_EQ(Form()->Grid().rowCount(), 5);
  EXPECT_EQ(Form()->windowTitle().toStdString(), "Erros em Produtos");
  Show(List("Erros na Simula\xC3\xA7\xC3\xA3o", 3, "Idade "));
  QTableWidget& grid = Form()->Grid();
  ASSERT_EQ(grid.rowCount(), 3);
  EXPECT_EQ(Form()->windowTitle().toStdString(), "Erros na Simula\xC3\xA7\xC3\xA3o");
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(CellText(row, 0), std::to_string(101 + row));
    EXPECT_EQ(CellText(row, 1), "Idade " + std::to_string(row + 1));
  }
  Show(List("Vazia", 0));
  EXPECT_EQ(grid.rowCount(), 0);
  EXPECT_TRUE(Form()->isVisible());
}

TEST_F(ErrorsForm, WideningWidensOnlyTheMessageColumn) {
  Show(List("Erros", 2));
  TFormErrors& form = *Form();
  const int code = form.Grid().columnWidth(0);
  const int message = form.Grid().columnWidth(1);
  form.resize(form.width() + 100, form.height() + 40);
  EXPECT_EQ(form.Grid().columnWidth(0), code);
  EXPECT_EQ(form.Grid().columnWidth(1), message + 100);
  form.resize(60, 60);
  EXPECT_EQ(form.Grid().columnWidth(0), code);
  EXPECT_GE(form.Grid().columnWidth(1), 0);
}

TEST_F(ErrorsForm, LineBreaksShowAsBlanks) {
  TErrorList errors;
  errors.SetTitle("Erros na F\xC3\xB3rmula");
  errors.Add(1, "Erro de sintaxe na express\xC3\xA3o \rA+\r\nB");
  Show(errors);
  EXPECT_EQ(CellText(0, 1), "Erro de sintaxe na express\xC3\xA3o  A+  B");
}

TEST_F(ErrorsForm, EveryShowRaisesTheWindowAndHideHidesIt) {
  Show(List("Erros", 1));
  TFormErrors& form = *Form();
  ZOrderCounter counter;
  form.installEventFilter(&counter);
  Show(List("Erros", 2));
  EXPECT_EQ(counter.count, 1);
  window.HideErrors();
  EXPECT_FALSE(form.isVisible());
  window.ShowErrors("Outros", {{7, "x"}});
  EXPECT_TRUE(form.isVisible());
  EXPECT_GE(counter.count, 2);
  EXPECT_EQ(form.windowTitle(), "Outros");
}

TEST_F(ErrorsForm, AFailedPostLeavesTheFocusInTheEdit) {
  auto main = std::make_unique<QWidget>();
  main->setWindowTitle("Tallora");
  auto* layout = new QVBoxLayout(main.get());
  auto* edit = new QLineEdit(main.get());
  layout->addWidget(edit);
  window.SetMainWindow(main.get());
  TErrorList errors;
  errors.Add(3, "Nome vazio");
  QObject::connect(edit, &QLineEdit::returnPressed,
                   [&] { Guard([&] { ReportPostedEntry(false, errors, "Erros em Produtos", window); }); });
  main->show();
  QApplication::setActiveWindow(main.get());
  edit->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  ASSERT_EQ(QApplication::focusWidget(), edit);

  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_NE(Form(), nullptr);
  EXPECT_TRUE(Form()->isVisible());
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(QApplication::activeWindow(), main.get());
  // A second failure, with the window visible: still the edit.
  QTest::keyClick(edit, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_TRUE(RecordedExceptions().empty());
  EXPECT_TRUE(dialogs.Prompts().empty());
  EXPECT_EQ(Form()->windowHandle()->transientParent(), main->windowHandle());
  window.HideErrors();
}

TEST_F(ErrorsForm, PlacedRightOfTheMainWindowWhereverItIsUntilTheUserMovesIt) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget main;
  main.setGeometry(QRect(screen.topLeft() + QPoint(40, 30), QSize(240, 300)));
  window.SetMainWindow(&main);
  main.show();
  Show(List("Erros", 1));
  TFormErrors& form = *Form();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const auto expectRightOfMain = [&] {
    const QRect placed = form.frameGeometry();
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
    EXPECT_EQ(placed.left(), main.frameGeometry().right() + 1 + TFormErrors::kPlacementGap);
    EXPECT_EQ(placed.top(), main.frameGeometry().top());
  };
  expectRightOfMain();
  // The main window moved: the next show follows it, shown or hidden.
  main.move(main.pos() + QPoint(30, 20));
  Show(List("Erros", 2));
  expectRightOfMain();
  main.move(main.pos() + QPoint(-20, 10));
  window.HideErrors();
  Show(List("Erros", 3));
  expectRightOfMain();

  // Moved by the user: it stays there, wherever the main window goes.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QPoint moved = screen.topLeft() + QPoint(70, 90);
  form.move(moved);
  main.move(main.pos() + QPoint(10, 10));
  Show(List("Erros", 4));
  EXPECT_EQ(form.pos(), moved);
  window.HideErrors();
  Show(List("Erros", 5));
  EXPECT_EQ(form.pos(), moved);
  window.HideErrors();
  window.SetMainWindow(nullptr);
}

TEST_F(ErrorsForm, ShownLeftOfTheMainWindowAndOnTheScreenWhenTheRightHasNoRoom) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget main;
  main.setGeometry(QRect(screen.topRight() + QPoint(-200, -40), QSize(640, 420)));
  window.SetMainWindow(&main);
  main.show();
  Show(List("Erros", 1));
  const QRect placed = Form()->frameGeometry();
  EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
  EXPECT_EQ(placed.right() + 1 + TFormErrors::kPlacementGap, main.frameGeometry().left());
  window.HideErrors();
  window.SetMainWindow(nullptr);
}

TEST_F(ErrorsForm, ShownOverTheItemsLeftOfTheFramesWhenNeitherSideHasRoom) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget main;
  main.setGeometry(QRect(screen.topLeft() + QPoint(160, 30), QSize(screen.width() - 180, 420)));
  auto* frames = new QWidget(&main);
  frames->setObjectName("FrameHost");
  frames->setGeometry(main.width() - 180, 40, 180, 370);
  auto* items = new QWidget(&main);
  items->setObjectName("HeaderPanelTreeView");
  items->setGeometry(0, 40, main.width() - 190, 370);
  window.SetMainWindow(&main);
  main.show();
  Show(List("Erros", 1));
  const QRect placed = Form()->frameGeometry();
  const QRect area = TFormErrors::FrameArea(&main);
  EXPECT_EQ(area, QRect(frames->mapToGlobal(QPoint(0, 0)), frames->size()));
  EXPECT_EQ(TFormErrors::ItemsArea(&main).right() + 1, area.left());
  EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
  EXPECT_EQ(placed.right() + 1 + TFormErrors::kPlacementGap, area.left());
  EXPECT_EQ(placed.bottom(), area.bottom());
  // Over the main window, reaching past its left edge.
  EXPECT_TRUE(placed.intersects(main.frameGeometry()));
  EXPECT_LT(placed.left(), main.frameGeometry().left());
  window.HideErrors();
  window.SetMainWindow(nullptr);
}

// No room beside a main window at 0,0 of a 1280x800 screen, the controls
// (100x40 each) down the page's left and in a row along its top.
TEST(ErrorsPlace, ClearOfTheControlsWhereThereIsSuchAPlaceElseCoveringTheLeast) {
  const QRect screen(0, 0, 1280, 800);
  const QSize frame(474, 141);
  const QRect main(0, 0, 900, 700);
  std::vector<QRect> controls;
  for (int y = 100; y < 600; y += 50) controls.emplace_back(340, y, 100, 40);
  for (int x = 460; x < 900; x += 110) controls.emplace_back(x, 100, 100, 40);
  const auto meets = [&](QPoint at) {
    for (const QRect& c : controls)
      if (c.intersects(QRect(at, frame))) return true;
    return false;
  };
  // The room right of it is enough without the gap.
  EXPECT_EQ(TFormErrors::Place(frame, screen, QRect(0, 0, 806, 600), {}, controls), QPoint(806, 0));
  // Over the items, ending left of the frames, would meet the controls: off
  // them, on the screen.
  const QRect items(0, 60, 330, 600);
  const QPoint clear = TFormErrors::Place(frame, screen, main, items, controls);
  EXPECT_FALSE(meets(clear)) << clear.x() << "," << clear.y();
  EXPECT_TRUE(screen.contains(QRect(clear, frame)));
  EXPECT_EQ(TFormErrors::Place(frame, screen, main, {}, controls), clear);
  // Controls everywhere but a strip: over that strip, covering the least
  // of the controls and then of the main window.
  const std::vector<QRect> everywhere{QRect(0, 0, 1280, 660), QRect(0, 700, 1280, 100)};
  EXPECT_EQ(TFormErrors::Place(frame, screen, main, items, everywhere), QPoint(1280 - 474, 659));
}

TEST_F(ErrorsForm, GalleryWithAFewErrors) {
  TErrorList errors;
  errors.SetTitle("Erros na Simula\xC3\xA7\xC3\xA3o");
  errors.Add(1, "\xC3\x8Dndice de S\xC3\xADtio deve estar entre 10 e 50!");
  errors.Add(12, "Idade final menor que a idade inicial!");
  errors.Add(205, "Erro de sintaxe na express\xC3\xA3o \rS*EXP(");
  errors.Add(601, "Produ\xC3\xA7\xC3\xA3o na idade 7: Idade repetida!");
  Show(errors);
  EXPECT_TRUE(Snap(*Form()).save(QString(TQ_BINARY_DIR) + "/errors-gallery.png"));
}
