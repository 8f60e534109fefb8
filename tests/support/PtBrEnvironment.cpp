// Every test program runs with the Brazilian Portuguese number formats.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"

namespace {

class PtBrEnvironment : public ::testing::Environment {
public:
  void SetUp() override { SetBrazilianFormatSettings(); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new PtBrEnvironment);

}  // namespace
