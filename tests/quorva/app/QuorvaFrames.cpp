#include "tests/quorva/app/QuorvaFrames.h"

#include <QApplication>
#include <QLineEdit>

#include "platform/dbctrls/DbGrid.h"

QuorvaFramesTest::QuorvaFramesTest() {
  for (const char* name : {"Produtos.dat", "Custo.dat", "Plano1.dat"})
    std::filesystem::copy_file(std::filesystem::path(TQ_DATA_DIR) / name, exe / name);
  MakeDataModules();
  marquel_->NewPlan();
  layout_ = new QVBoxLayout(window.get());
  window->resize(480, 560);
}

QuorvaFramesTest::~QuorvaFramesTest() = default;

void QuorvaFramesTest::MakeDataModules() {
  const TDataFolders folders{exe.string(), work.string()};
  catalog_ = std::make_unique<TCatalog>(nullptr, folders, TDataSeams{&dialogs, &presenter});
  marquel_ = std::make_unique<TMarquel>(nullptr, folders, TDataSeams{&dialogs, &presenter});
  marquel_->SetCatalog(catalog_.get());
  marquel_->SetMainWindow(&mainWindow);
}

void QuorvaFramesTest::Show() {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void QuorvaFramesTest::Type(QWidget* edit, const std::string& text) {
  edit->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(edit->hasFocus());
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(edit, QString::fromStdString(text));
}

void QuorvaFramesTest::Keys(const std::string& text) {
  for (const QChar c : QString::fromStdString(text)) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClicks(focus, QString(c));
  }
}

void QuorvaFramesTest::DoubleClickRow(DbGrid* grid, int row) {
  const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

std::string TextOf(const QWidget* edit) {
  const auto* line = qobject_cast<const QLineEdit*>(edit);
  return line ? line->text().toStdString() : "?";
}
