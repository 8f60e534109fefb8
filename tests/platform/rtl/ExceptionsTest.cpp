#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatChecks.h"

TEST(FloatChecks, FaultsRaiseWithPortugueseMessages) {
  EXPECT_THROW(CheckedDiv(1.0, 0.0), EZeroDivide);
  EXPECT_THROW(CheckedDiv(0.0, 0.0), EInvalidOp);
  EXPECT_THROW(CheckedLn(0.0), EZeroDivide);
  EXPECT_THROW(CheckedLn(-1.0), EInvalidOp);
  EXPECT_THROW(CheckedSqrt(-1e-300), EInvalidOp);
  EXPECT_THROW(CheckedExp(710.0), EOverflow);
  EXPECT_EQ(CheckedExp(-800.0), 0.0);
  EXPECT_THROW(CheckedDiv(1e308, 1e-308), EOverflow);
  try {
    CheckedDiv(1.0, 0.0);
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Divisão por zero.");
  }
  EXPECT_THROW(TruncToInt64(9.3e18), EInvalidOp);
  EXPECT_THROW(TruncToInt64(std::nan("")), EInvalidOp);
  EXPECT_EQ(TruncToInt64(-2.9), -2);
  EXPECT_THROW(IntDiv(1, 0), EDivByZero);
  EXPECT_THROW(IntMod(1, 0), EDivByZero);
  EXPECT_THROW(IntDiv(INT64_MIN, -1), EIntOverflow);
  EXPECT_EQ(IntMod(INT64_MIN, -1), 0);
  EXPECT_EQ(IntMod(-7, 3), -1);
  EXPECT_EQ(IntDiv(-7, 3), -2);
}

TEST(Exceptions, ListIndexErrorCarriesTheIndex) {
  try {
    ThrowListIndexError(7);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "Índice de lista fora dos limites (7)");
  }
}
