// Main of the GUI test programs: a QApplication on the offscreen platform
// (unless another one is asked for), then the Brazilian Portuguese number
// formats, pinned after the application exists.
#include <gtest/gtest.h>
#include <QApplication>

#include "platform/rtl/SysUtils.h"

namespace {

class PtBrEnvironment : public ::testing::Environment {
public:
  void SetUp() override { SetBrazilianFormatSettings(); }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  SetBrazilianFormatSettings();
  ::testing::AddGlobalTestEnvironment(new PtBrEnvironment);
  return RUN_ALL_TESTS();
}
