// Main of the GUI test programs: a QApplication on the offscreen platform
// (unless another one is asked for), then the Brazilian Portuguese number
// formats, pinned after the application exists, the recording exception
// handler, emptied before every test, and the widget set's start-up (its
// cursors), with page switches that do not pause between their frames.
#include <gtest/gtest.h>
#include <QApplication>

#include "platform/rtl/SysUtils.h"
#include "tests/support/gui/GuiSupport.h"
#include "widgets/gbOutBar.h"

namespace {

class PtBrEnvironment : public ::testing::Environment {
public:
  void SetUp() override { SetBrazilianFormatSettings(); }
};

class RecorderReset : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { ResetRecordedExceptions(); }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  SetBrazilianFormatSettings();
  InstallExceptionRecorder();
  InitOutBarUnit();
  TCustomGBGroupBar::SetDefaultFramePause(0);
  ::testing::AddGlobalTestEnvironment(new PtBrEnvironment);
  ::testing::UnitTest::GetInstance()->listeners().Append(new RecorderReset);
  const int result = RUN_ALL_TESTS();
  DoneOutBarUnit();
  return result;
}
