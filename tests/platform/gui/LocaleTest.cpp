// The number formats of a locale, and a layer that never sets them by itself.

#include <gtest/gtest.h>
#include <QLocale>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/InputHub.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Puts the pinned settings back after a test that loads others.
struct Restore {
  TFormatSettings saved = FormatSettings();
  ~Restore() { FormatSettings() = saved; }
};

}  // namespace

TEST(LocaleFormats, BrazilianPortugueseGivesThePinnedSettings) {
  Restore restore;
  FormatSettings() = TFormatSettings{};
  LoadFormatSettingsFromLocale(QLocale("pt_BR"));
  EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
  EXPECT_EQ(FormatSettings().ThousandSeparator, '.');
  EXPECT_EQ(FormatSettings().CurrencyString, "R$");
  EXPECT_EQ(FormatCurrency(1234.56), "R$ 1.234,56");
  EXPECT_EQ(FormatCurrency(-3.5), "-R$ 3,50");
  TFormatSettings pinned = FormatSettings();
  SetBrazilianFormatSettings();
  EXPECT_EQ(pinned.CurrencyFormat, FormatSettings().CurrencyFormat);
  EXPECT_EQ(pinned.NegCurrFormat, FormatSettings().NegCurrFormat);
  EXPECT_EQ(pinned.CurrencyDecimals, FormatSettings().CurrencyDecimals);
}

TEST(LocaleFormats, AmericanEnglishSwapsTheSeparators) {
  Restore restore;
  LoadFormatSettingsFromLocale(QLocale("en_US"));
  EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
  EXPECT_EQ(FormatSettings().ThousandSeparator, ',');
  EXPECT_EQ(FormatSettings().CurrencyString, "$");
  EXPECT_EQ(FormatCurrency(1234.56), "$1,234.56");
  EXPECT_EQ(FormatCurrency(-3.5), "-$3.50");
}

TEST(LocaleFormats, TheLayerLeavesThePinnedSettingsAlone) {
  QLocale saved;
  QLocale::setDefault(QLocale("en_US"));
  {
    TControl control;
    control.SetBounds(0, 0, 10, 10);
    InputHub::Instance();
    GetSystemMetrics(SM_CXSCREEN);
  }
  QLocale::setDefault(saved);
  EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
  EXPECT_EQ(FormatSettings().ThousandSeparator, '.');
  EXPECT_EQ(FormatCurrency(1234.56), "R$ 1.234,56");
}
