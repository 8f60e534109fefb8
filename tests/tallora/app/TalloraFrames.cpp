#include "tests/tallora/app/TalloraFrames.h"

#include <QApplication>

#include "tools/DefaultData.h"

TalloraFramesTest::TalloraFramesTest() {
  std::vector<TDefaultFile> files;
  AppendTalloraDefaultFiles(files);
  WriteDefaultFiles(exe.string(), files);
  grovana_ = std::make_unique<TGrovana>(nullptr, TDataFolders{exe.string(), work.string()},
                                        TDataSeams{&dialogs, &presenter});
  grovana_->SetMainWindow(&mainWindow);
  grovana_->NewSimulation();
  layout_ = new QVBoxLayout(window.get());
  window->resize(480, 560);
}

TalloraFramesTest::~TalloraFramesTest() = default;

void TalloraFramesTest::Show() {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void TalloraFramesTest::Type(QWidget* edit, const std::string& text) {
  edit->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(edit->hasFocus());
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(edit, QString::fromStdString(text));
}
