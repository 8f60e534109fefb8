// Every test program runs with the Brazilian Portuguese number formats.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"

namespace {

class PtBrEnvironment : public ::testing::Environment {
public:
  void SetUp() override { SetBrazilianFormatSettings(); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new PtBrEnvironment);
  return RUN_ALL_TESTS();
}
