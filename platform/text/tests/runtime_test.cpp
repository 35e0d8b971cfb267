#include "platform/text/runtime.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dorrin::text;

TEST(Runtime, ValReadsTheLeadingNumber) {
  struct Case {
    const char *text;
    double value;
  } cases[] = {
      {"03/", 3},
      {"  12ab", 12},
      {"-5", -5},
      {"abc", 0},
      {"", 0},
      {"1.5", 1.5},
      {".5x", 0.5},
      {"+7", 7},
      {"1 2 3", 123},
      {"\t4\n2", 42},
      {"1e3", 1000},
      {"2.5E-1", 0.25},
      {"1e", 1},
      {"3d2", 300},
      {"12/6(일)", 12},
      {"-", 0},
      {".", 0},
      {"1.2.3", 1.2},
      {"16777215", 16777215},
      {"0012", 12},
      {"1,5", 1},
      {"*", 0},
  };
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(val(QString::fromUtf8(c.text)), c.value) << c.text;
  EXPECT_TRUE(std::isinf(val(u"1e999")));
}

TEST(Runtime, WholeNumberFormsRoundHalvesToEvenAndRefuseOverflow) {
  EXPECT_EQ(valInt16(u"03/"), qint16(3));
  EXPECT_EQ(valInt16(u"1.5"), qint16(2));
  EXPECT_EQ(valInt16(u"2.5"), qint16(2));
  EXPECT_EQ(valInt16(u"-2.6"), qint16(-3));
  EXPECT_EQ(valInt16(u"abc"), qint16(0));
  EXPECT_EQ(valInt16(u"32767"), qint16(32767));
  EXPECT_EQ(valInt16(u"-32768"), qint16(-32768));
  EXPECT_FALSE(valInt16(u"32768").has_value());
  EXPECT_FALSE(valInt16(u"1e999").has_value());
  EXPECT_EQ(valInt32(u"16777215"), 16777215);
  EXPECT_FALSE(valInt32(u"2147483648").has_value());
}

TEST(Runtime, TrimRemovesBlanksOnly) {
  EXPECT_EQ(trim(u"  a b  "), "a b");
  EXPECT_EQ(trim(u"   "), "");
  EXPECT_EQ(trim(u"\ta\t"), "\ta\t");
  EXPECT_EQ(trim(QString::fromUtf8(" 한글 ")), QString::fromUtf8("한글"));
}

TEST(Runtime, ShortDateIsIsoWhateverTheLocale) {
  QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
  EXPECT_EQ(shortDate(QDate(2026, 12, 6)), "2026-12-06");
  EXPECT_EQ(shortDate(QDate(2100, 1, 1)), "2100-01-01");
  EXPECT_EQ(shortDate(QDate()), "");
  QLocale::setDefault(QLocale::c());

  EXPECT_EQ(parseShortDate(u"2026-12-06"), QDate(2026, 12, 6));
  EXPECT_EQ(parseShortDate(u"2024-02-29"), QDate(2024, 2, 29));
  for (const char *bad : {"2023-02-29", "2026-1-05", " 2026-01-05", "2026-01-05 ", "26-01-05",
                          "2026/01/05", "", "abcd-ef-gh"})
    EXPECT_FALSE(parseShortDate(QString::fromLatin1(bad)).isValid()) << bad;
}
