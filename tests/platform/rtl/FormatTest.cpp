#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SafeFile.h"
#include "platform/rtl/SysUtils.h"
#include "tests/support/TempDir.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Tests that change the settings get pt-BR back afterwards.
class PtBr : public ::testing::Test {
protected:
  void TearDown() override { SetBrazilianFormatSettings(); }
};

using FloatToStrTest = PtBr;
using FormatTest = PtBr;
using FormatFloatTest = PtBr;
using StrToFloatTest = PtBr;

TEST_F(FloatToStrTest, GeneralFormat) {
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");
  EXPECT_EQ(FloatToStr(1.0 / 3.0), "0,333333333333333");
  EXPECT_EQ(FloatToStr(1e15), "1E15");
  EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
  EXPECT_EQ(FloatToStr(0.0001), "0,0001");
  EXPECT_EQ(FloatToStr(0.00001), "1E-5");
  EXPECT_EQ(FloatToStr(1e-6), "1E-6");
  EXPECT_EQ(FloatToStr(1e100), "1E100");
  EXPECT_EQ(FloatToStr(1234567890.123456789), "1234567890,12346");
  EXPECT_EQ(FloatToStr(1234567890123456.123), "1,23456789012346E15");
  EXPECT_EQ(FloatToStr(0.000442615029219009), "0,000442615029219009");
  EXPECT_EQ(FloatToStr(0.0000442615029219009), "4,42615029219009E-5");
  EXPECT_EQ(FloatToStr(-1.0), "-1");
  EXPECT_EQ(FloatToStr(-3.0), "-3");
  EXPECT_EQ(FloatToStr(9.99), "9,99");
  EXPECT_EQ(FloatToStr(-1.5e-7), "-1,5E-7");
  EXPECT_EQ(FloatToStr(DBL_MAX), "1,79769313486232E308");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::denorm_min()), "4,94065645841247E-324");
  // 999999999999999.5 rounds up to 16 digits: the exponent is taken after rounding.
  EXPECT_EQ(FloatToStr(999999999999999.5), "1E15");
}

TEST_F(FloatToStrTest, TiesAwayFromZeroZerosAndNonFinite) {
  // Integers below 2^53 are exact: the 16th digit 5 is a true tie.
  EXPECT_EQ(FloatToStr(1234567890123445.0), "1,23456789012345E15");
  EXPECT_EQ(FloatToStr(-1234567890123445.0), "-1,23456789012345E15");
  EXPECT_EQ(FloatToStr(1000000000000005.0), "1,00000000000001E15");
  EXPECT_EQ(FloatToStr(0.0), "0");
  EXPECT_EQ(FloatToStr(-0.0), "0");
  EXPECT_EQ(FloatToStr(kNaN), "NAN");
  EXPECT_EQ(FloatToStr(kInf), "INF");
  EXPECT_EQ(FloatToStr(-kInf), "-INF");
}

TEST_F(FormatTest, IntegersAndTexts) {
  EXPECT_EQ(Format("%d", {42}), "42");
  EXPECT_EQ(Format("%3d|%3d|%3d", {7, -7, 12345}), "  7| -7|12345");
  EXPECT_EQ(Format("%-4d|%.3d", {7, -7}), "7   |-007");
  EXPECT_EQ(Format("%d", {INT64_MIN}), "-9223372036854775808");
  EXPECT_EQ(Format("NO %s (%d ANOS)", {"CORTE", 7}), "NO CORTE (7 ANOS)");
  EXPECT_EQ(Format("%-16s|", {"Adubação"}), "Adubação        |");
  EXPECT_EQ(Format("%10s|%-3s|", {std::string("Adubação"), std::string_view("longo")}), "  Adubação|longo|");
  EXPECT_EQ(Format("%*s|%*s|", {4, "ab", -4, "ab"}), "  ab|ab  |");
  EXPECT_EQ(Format("%.2s", {"ção"}), "çã");
  EXPECT_EQ(Format("100%% de %s", {"ar"}), "100% de ar");
  EXPECT_EQ(Format("%3d   ", {5u}), "  5   ");
}

TEST_F(FormatTest, FixedNotation) {
  EXPECT_EQ(Format("%f", {1.0}), "1,00");
  EXPECT_EQ(Format("%.1f", {0.25}), "0,3");  // tie, away from zero
  EXPECT_EQ(Format("%.2f|%.2f|%.2f", {0.125, 1.005, 2.675}), "0,13|1,00|2,67");
  EXPECT_EQ(Format("%.0f|%.0f|%.0f", {2.5, -2.5, 0.5}), "3|-3|1");
  EXPECT_EQ(Format("%7.1f|%7.0f|%5.0f", {-3.14159, 1234.5, 99999.9}), "   -3,1|   1235|100000");
  EXPECT_EQ(Format("%10.1f", {1234567.25}), " 1234567,3");
  EXPECT_EQ(Format("%4.1f-%4.1f", {1.25, 10.05}), " 1,3-10,1");
  EXPECT_EQ(Format("%2.1f", {123.45}), "123,5");  // 123.45 lies above the tie
  EXPECT_EQ(Format("%.2f|%.1f|%.1f", {-0.004, -0.0, -0.05}), "0,00|0,0|-0,1");
  EXPECT_EQ(Format("%.0f", {1e20}), "100000000000000000000");
  EXPECT_EQ(Format("%6.1f|%f", {kNaN, -kInf}), "   NAN|-INF");
}

TEST_F(FormatTest, BadSpecifiersAndArgumentsRaise) {
  EXPECT_THROW(Format("%d", {1.5}), EConvertError);
  EXPECT_THROW(Format("%f", {1}), EConvertError);
  EXPECT_THROW(Format("%s", {1}), EConvertError);
  EXPECT_THROW(Format("%d %d", {1}), EConvertError);
  EXPECT_THROW(Format("%x", {1}), EConvertError);
  EXPECT_THROW(Format("abc %5", {1}), EConvertError);
  EXPECT_THROW(Format("%*s", {"a", "b"}), EConvertError);
  try {
    Format("%d", {"x"});
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Formato inválido ou incompatível com o argumento: '%d'");
  }
}

TEST_F(FormatFloatTest, Masks) {
  EXPECT_EQ(FormatFloat("##.0", 12.25), "12,3");
  EXPECT_EQ(FormatFloat("##.0", 0.25), ",3");
  EXPECT_EQ(FormatFloat("##.0", 123.44), "123,4");
  EXPECT_EQ(FormatFloat("#0.0", 0.25), "0,3");
  EXPECT_EQ(FormatFloat("0.0", 0.25), "0,3");
  EXPECT_EQ(FormatFloat("### %", 95), "95 %");
  EXPECT_EQ(FormatFloat("### %", 100.4), "100 %");
  EXPECT_EQ(FormatFloat("#,##0.0", 1234567.25), "1.234.567,3");
  EXPECT_EQ(FormatFloat("#,##0.0", 999.95), "1.000,0");  // 999.95 lies above the tie
  EXPECT_EQ(FormatFloat("#,##0.0", 12.0), "12,0");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
  EXPECT_EQ(FormatFloat("#,##0.00", -1234567.891), "-1.234.567,89");
  EXPECT_EQ(FormatFloat("#,##0.00", 0.0), "0,00");
  EXPECT_EQ(FormatFloat("#0.0000", 3.14159265), "3,1416");
  EXPECT_EQ(FormatFloat("0.00", 0.125), "0,13");
  EXPECT_EQ(FormatFloat("0.00", 1.005), "1,00");
  EXPECT_EQ(FormatFloat("0.00", 2.675), "2,67");
  EXPECT_EQ(FormatFloat("#0", 2.5), "3");
  EXPECT_EQ(FormatFloat("#0", -2.5), "-3");
  EXPECT_EQ(FormatFloat("#0", 1e20), "100000000000000000000");
  EXPECT_EQ(FormatFloat("#,##0", 1e20), "100.000.000.000.000.000.000");
  EXPECT_EQ(FormatFloat("#.##", 5.0), "5");
  EXPECT_EQ(FormatFloat("#.##", 5.1), "5,1");
  EXPECT_EQ(FormatFloat("000", 7), "007");
}

TEST_F(FormatFloatTest, SignZeroAndNonFinite) {
  EXPECT_EQ(FormatFloat("0.00", -0.004), "0,00");
  EXPECT_EQ(FormatFloat("#0.0", -0.0), "0,0");
  EXPECT_EQ(FormatFloat("##.0", -0.25), "-,3");
  EXPECT_EQ(FormatFloat("#0.0", kNaN), "NAN");
  EXPECT_EQ(FormatFloat("#,##0.00", kInf), "INF");
  EXPECT_EQ(FormatFloat("#0", -kInf), "-INF");
  EXPECT_EQ(FormatFloat("", 0.1 + 0.2), "0,3");
}

TEST_F(FormatTest, CurrencyAndRound) {
  EXPECT_EQ(FormatCurrency(1234.56), "R$ 1.234,56");
  EXPECT_EQ(FormatCurrency(-3.5), "-R$ 3,50");
  EXPECT_EQ(FormatCurrency(-0.004), "R$ 0,00");
  EXPECT_EQ(FormatCurrency(0.125), "R$ 0,13");
  FormatSettings() = TFormatSettings{};
  EXPECT_EQ(FormatCurrency(1234.5), "$1,234.50");
  EXPECT_EQ(FormatCurrency(-3.5), "-$3.50");

  EXPECT_EQ(Round(402.5), 402.0);
  EXPECT_EQ(Round(403.5), 404.0);
  EXPECT_EQ(Round(-2.5), -2.0);
  EXPECT_EQ(Round(2.6), 3.0);
}

TEST_F(StrToFloatTest, Accepted) {
  double v = 0;
  auto parse = [&](std::string_view s) {
    v = -999;
    EXPECT_TRUE(TryStrToFloat(s, v)) << s;
    return v;
  };
  EXPECT_EQ(parse("1,5"), 1.5);
  EXPECT_EQ(parse(" \t2,5E3\r\n"), 2500.0);
  EXPECT_EQ(parse(",5"), 0.5);
  EXPECT_EQ(parse("5,"), 5.0);
  EXPECT_EQ(parse("+5"), 5.0);
  EXPECT_EQ(parse("-1,25e-2"), -0.0125);
  EXPECT_EQ(parse("0,1"), 0.1);
  EXPECT_EQ(parse("1E-310"), 1e-310);
  EXPECT_EQ(parse("1,7976931348623157E308"), DBL_MAX);
  EXPECT_EQ(parse("0E999"), 0.0);
  EXPECT_TRUE(TryStrToFloat("1.5", v, '.'));
  EXPECT_EQ(v, 1.5);
  EXPECT_EQ(StrToFloat("12,25"), 12.25);
}

TEST_F(StrToFloatTest, Rejected) {
  double v = 7;
  for (std::string_view s : {"",    "   ", "INF", "NAN", "inf", "$1F",   "1E",     "E5",     "E-1",  "1,2,3",
                             "1.5", "-",   ",",   "1 2", "1e+", "1E400", "-1E400", "1E-400", "0x10", "1,5x"})
    EXPECT_FALSE(TryStrToFloat(s, v)) << s;
  EXPECT_EQ(v, 7.0);
  EXPECT_FALSE(TryStrToFloat("1,5", v, '.'));
  try {
    StrToFloat("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' não é um valor de ponto flutuante válido");
  }
}

TEST(StrToInt, DecimalAndHex) {
  EXPECT_EQ(StrToInt("$1E"), 30);
  EXPECT_EQ(StrToInt("$A"), 10);
  EXPECT_EQ(StrToInt("+5"), 5);
  EXPECT_EQ(StrToInt("-3"), -3);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(StrToInt("$7FFFFFFF"), 2147483647);
  int v = 9;
  for (std::string_view s : {"", "\t", "+", "$", "0x1e", " 42", "42\t", "1;2", "1\t2", "12a", "$G", "1,0", "2147483648",
                             "-2147483649", "$80000000", "99999999999999999999"})
    EXPECT_FALSE(TryStrToInt(s, v)) << s;
  EXPECT_EQ(v, 9);
  try {
    StrToInt("1;2");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'1;2' não é um valor inteiro válido");
  }
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToStr(0), "0");
}

TEST(TextHelpers, TrimCaseAndUtf8) {
  EXPECT_EQ(Trim("\t\r\n a b \x01"), "a b");
  EXPECT_EQ(Trim(" ção "), "ção");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(UpperCase("ação $/ha"), "AçãO $/HA");
  EXPECT_EQ(LowerCase("ANUAL"), "anual");
  EXPECT_TRUE(SameText("Unitario", "UNITARIO"));
  EXPECT_FALSE(SameText("a", "ab"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_GT(CompareText("ab", "A"), 0);
  EXPECT_GT(CompareText("_", "a"), 0);  // letters compare as upper case

  EXPECT_EQ(Utf8Length("Adubação"), 8u);
  EXPECT_EQ(Utf8Length("€😀"), 2u);
  EXPECT_EQ(Utf8Length("\xFF"
                       "ab\xE3\x81"),
            5u);                                      // invalid bytes count one each
  EXPECT_EQ(Utf8Length("\xC0\xAF\xED\xA0\x80"), 5u);  // overlong form, surrogate
  EXPECT_EQ(Utf8Left("ção", 2), "çã");
  EXPECT_EQ(Utf8Left("ab", 5), "ab");

  EXPECT_EQ(PrintableText("a\x01\nb\xFF\xC2\x85"), "a?\nb??");
  EXPECT_EQ(PrintableText("ação", 4), "ação");
  EXPECT_EQ(PrintableText("ações\x01", 4), "açõ…");  // at most 4 characters, the ellipsis included
}

TEST(FileNames, PartsAndExistence) {
  EXPECT_EQ(ExtractFileName("/a/b/c.dat"), "c.dat");
  EXPECT_EQ(ExtractFileName("c.dat"), "c.dat");
  EXPECT_EQ(ExtractFilePath("/a/b/c.dat"), "/a/b/");
  EXPECT_EQ(ExtractFilePath("c.dat"), "");
  EXPECT_EQ(ExtractFileExt("/a/b/c.dat"), ".dat");
  EXPECT_EQ(ExtractFileExt("/a.b/c"), "");
  EXPECT_EQ(ChangeFileExt("/a.b/c", ".rtf"), "/a.b/c.rtf");
  EXPECT_EQ(ChangeFileExt("Plano1.dat", ".bak"), "Plano1.bak");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");

  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() /
                 ("tq_sysutils_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  fs::path file = dir / "Simulação.dat";
  std::ofstream(file) << "x";
  EXPECT_TRUE(FileExists(file.string()));
  EXPECT_FALSE(FileExists(dir.string()));
  EXPECT_FALSE(FileExists((dir / "nada.dat").string()));
  EXPECT_FALSE(FileExists(""));
  fs::remove_all(dir);
}

TEST(FileNames, ReplacingAFileSaysWhyItFailedInPortuguese) {
  TempDir dir;
  WriteFileBytes(dir / "a.rtf", "velho");
  ReplaceFileContents(dir / "a.rtf", std::string("novo\0", 5));
  EXPECT_EQ(ReadFileBytes(dir / "a.rtf"), std::string("novo\0", 5));
  // A file in place of a folder: refused even for the superuser.
  for (const std::string& failure : {std::string(), std::string("Sem arquivo")}) {
    try {
      ReplaceFileContents(dir / "a.rtf/b.rtf", "x", failure);
      ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
      const std::string head = failure.empty() ? "Não foi possível criar o arquivo " + (dir / "a.rtf/b.rtf") : failure;
      EXPECT_EQ(e.Message(), head + ": Um dos nomes do caminho não é uma pasta");
    }
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// Renaming needs only the folder's permission; a file the user may not write
// stays as it was all the same.
TEST(FileNames, AFileTheUserMayNotWriteIsNotReplaced) {
  TempDir dir;
  WriteFileBytes(dir / "a.dat", "velho");
  std::filesystem::permissions(dir / "a.dat", std::filesystem::perms::owner_read);
  // The superuser may write anything: a check that refuses stands for the user.
  const SaveAccessCheck old = ::geteuid() == 0 ? SetSaveAccessCheck([](const std::string&) { return EACCES; })
                                               : nullptr;
  try {
    ReplaceFileContents(dir / "a.dat", "novo");
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Não foi possível criar o arquivo " + (dir / "a.dat") + ": Permissão negada");
  }
  if (old) SetSaveAccessCheck(old);
  EXPECT_EQ(ReadFileBytes(dir / "a.dat"), "velho");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// A link is followed even when its file is not there yet; a loop says why.
TEST(FileNames, ALinkThatPointsNowhereGetsItsFile) {
  namespace fs = std::filesystem;
  TempDir dir;
  fs::create_symlink("sub/a.dat", dir / "link.dat");
  fs::create_directory(dir.Path() / "sub");
  ReplaceFileContents(dir / "link.dat", "novo");
  EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
  EXPECT_EQ(ReadFileBytes(dir / "sub/a.dat"), "novo");

  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  try {
    ReplaceFileContents(dir / "loop1", "x");
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(),
              "Não foi possível criar o arquivo " + (dir / "loop1") + ": Níveis demais de links simbólicos");
  }
}

}  // namespace
