// The settings line of "dorrat.txt": exact layout, round trip, and what
// short, damaged and shifted lines leave behind.
#include "organiser/main/frm_start.h"
#include "organiser/main/settings_file.h"
#include "organiser/main/settings_line.h"

#include <gtest/gtest.h>

using namespace dorrin::organiser;

QT_BEGIN_NAMESPACE
// Readable failure messages.
inline void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

PageState defaults() {
  PageState s;
  s.setDefaults();
  return s;
}

QString pageBlock(const char *caption) {
  return QString::fromUtf8(caption) + QStringLiteral("@5000@8000@5000@8000@3000@3000@2000@");
}

const QString kDefaultColors =
    QStringLiteral("26367@16777215@11817090@16777215@52326@16777215@3376260@16777215@");

// Every stored field of two states, for whole-state comparisons.
void expectSameStored(const PageState &a, const PageState &b) {
  EXPECT_EQ(a.Desktop_Hidden, b.Desktop_Hidden);
  EXPECT_EQ(a.Cur_Page, b.Cur_Page);
  EXPECT_EQ(a.Win_Top, b.Win_Top);
  EXPECT_EQ(a.Win_Left, b.Win_Left);
  for (int p = 0; p < kPageSlots; ++p) {
    EXPECT_EQ(a.Page_Name[p], b.Page_Name[p]) << p;
    EXPECT_EQ(a.Page_Height[p], b.Page_Height[p]) << p;
    EXPECT_EQ(a.Page_Width[p], b.Page_Width[p]) << p;
    EXPECT_EQ(a.Split_Height[p], b.Split_Height[p]) << p;
    EXPECT_EQ(a.Split_Width[p], b.Split_Width[p]) << p;
    EXPECT_EQ(a.Pane_Height[p], b.Pane_Height[p]) << p;
    EXPECT_EQ(a.Pane_Width[p], b.Pane_Width[p]) << p;
    EXPECT_EQ(a.Pane2_Height[p], b.Pane2_Height[p]) << p;
  }
  EXPECT_EQ(a.Back_Color, b.Back_Color);
  EXPECT_EQ(a.Fore_Color, b.Fore_Color);
}

// 76 fields, each closed by "@".
void expectWellFormed(const QString &line) {
  EXPECT_EQ(line.count(u'@'), kSettingsFields) << line.toStdString();
  EXPECT_TRUE(line.endsWith(u'@'));
}

} // namespace

TEST(SettingsLine, DefaultsWriteTheExactLine) {
  const QString expected = QStringLiteral("False@0@4000@6000@") + pageBlock("사과") +
                           pageBlock("폴더") + pageBlock("파일") + pageBlock("WEB") +
                           pageBlock("음악") + pageBlock("일정") + pageBlock("메모") +
                           pageBlock("전화") + kDefaultColors;
  const QString line = formatSettingsLine(defaults(), 4000, 6000);
  EXPECT_EQ(line, expected);
  EXPECT_TRUE(line.endsWith(kDefaultColors));
  expectWellFormed(line);
}

TEST(SettingsLine, RoundTripKeepsEveryStoredValue) {
  PageState s = defaults();
  s.Desktop_Hidden = true;
  s.Start_Page = 6;
  s.Cur_Page = 2; // not stored: field 1 carries the start page
  for (int p = 0; p < kStoredPages; ++p) {
    s.Page_Name[p] = QStringLiteral("탭 %1, 그리고 쉼표").arg(p); // a comma is no separator
    s.Page_Height[p] = static_cast<std::int16_t>(1000 + p);
    s.Page_Width[p] = static_cast<std::int16_t>(2000 + p);
    s.Split_Height[p] = static_cast<std::int16_t>(3000 + p);
    s.Split_Width[p] = static_cast<std::int16_t>(32767 - p);
    s.Pane_Height[p] = static_cast<std::int16_t>(-32768 + p);
    s.Pane_Width[p] = static_cast<std::int16_t>(6000 + p);
    s.Pane2_Height[p] = static_cast<std::int16_t>(7000 + p);
  }
  s.Page_Name[3] = QStringLiteral("  여백  "); // stored trimmed
  s.Back_Color = {0, 1, 0xFFFFFF, 0x123456};
  s.Fore_Color = {0x654321, 255, 65280, 16711680};
  const QString line = formatSettingsLine(s, 40000, -70000); // beyond 16 bits: kept whole
  expectWellFormed(line);
  // Field positions of the file format, on one page and one colour pair.
  const QStringList f = line.split(u'@');
  EXPECT_EQ(f.mid(0, 4), (QStringList{"True", "6", "40000", "-70000"}));
  EXPECT_EQ(f.mid(4 + 8 * 2, 8), (QStringList{"탭 2, 그리고 쉼표", "1002", "2002", "3002", "32765",
                                              "-32766", "6002", "7002"}));
  EXPECT_EQ(f.mid(68 + 2 * 3, 2), (QStringList{"1193046", "16711680"}));

  PageState read = defaults();
  EXPECT_EQ(parseSettingsLine(line, read), kSettingsFields);
  PageState expected = s;
  expected.Cur_Page = 6;
  expected.Win_Top = 40000;
  expected.Win_Left = -70000;
  expected.Page_Name[3] = QStringLiteral("여백");
  expected.Page_Name[8] = QStringLiteral("바탕"); // page 8 is never stored
  expectSameStored(read, expected);
  read.Start_Page = read.Cur_Page; // as the start-up does after reading
  EXPECT_EQ(formatSettingsLine(read, 40000, -70000), line);
}

TEST(SettingsLine, CaptionWithSeparatorShiftsLaterFieldsButStaysSound) {
  PageState s = defaults();
  s.Page_Name[0] = QStringLiteral("a@b");
  const QString line = formatSettingsLine(s, 4000, 6000);
  EXPECT_EQ(line.count(u'@'), kSettingsFields + 1);

  PageState read = defaults();
  parseSettingsLine(line, read);
  EXPECT_EQ(read.Page_Name[0], QStringLiteral("a"));
  EXPECT_EQ(read.Page_Height[0], 0);   // "b"
  EXPECT_EQ(read.Page_Width[0], 5000); // was the height
  EXPECT_EQ(read.Pane2_Height[0], 3000);
  EXPECT_EQ(read.Page_Name[1], QStringLiteral("2000"));
  EXPECT_EQ(read.Page_Height[1], 0); // "폴더"
  EXPECT_EQ(read.Pane2_Height[7], 3000);
  EXPECT_EQ(read.Back_Color[0], 2000u); // page 7's pane height
  EXPECT_EQ(read.Fore_Color[0], 26367u);
  EXPECT_EQ(read.Fore_Color[3], 3376260u);

  // The next write is a proper line again and reads back as it was.
  const QString next = formatSettingsLine(read, 4000, 6000);
  expectWellFormed(next);
  PageState again = defaults();
  parseSettingsLine(next, again);
  expectSameStored(again, read);
}

TEST(SettingsLine, ShortAndDamagedLinesFillWhatTheyHave) {
  struct Case {
    const char *name;
    QString line;
    void (*expect)(PageState &);
  };
  const Case cases[] = {
      {"empty", QString(), [](PageState &) {}},
      {"two fields", QStringLiteral("True@3@"),
       [](PageState &e) {
         e.Desktop_Hidden = true;
         e.Cur_Page = 3;
       }},
      {"cut inside a field", QStringLiteral("False@1@12"),
       [](PageState &e) {
         e.Cur_Page = 1;
         e.Win_Top = 12;
       }},
      {"CR LF left on", QStringLiteral("TRUE@2@100@200@\r\n"),
       [](PageState &e) {
         e.Desktop_Hidden = true;
         e.Cur_Page = 2;
         e.Win_Top = 100;
         e.Win_Left = 200;
       }},
      {"leading numbers and junk", QStringLiteral("yes@x7@  123abc@@탭@5.5e2@ -7 @1,5@"),
       [](PageState &e) {
         // "yes" is no boolean: kept. Empty text is 0.
         e.Cur_Page = 0;
         e.Win_Top = 123;
         e.Win_Left = 0;
         e.Page_Name[0] = QStringLiteral("탭");
         e.Page_Height[0] = 550;
         e.Page_Width[0] = -7;
         e.Split_Height[0] = 1;
       }},
      {"line breaks and tabs inside a caption: read as the blanks they are written as",
       QStringLiteral("False@1@4\uFFFD00@0@\r\ra\rb\tc\r@"),
       [](PageState &e) {
         e.Cur_Page = 1;
         e.Win_Top = 4;
         e.Win_Left = 0;
         e.Page_Name[0] = QStringLiteral("  a b c ");
       }},
      {"numeric flag", QStringLiteral("-1@"), [](PageState &e) { e.Desktop_Hidden = true; }},
      {"page out of range", QStringLiteral("False@37@"), [](PageState &) {}},
      {"negative page", QStringLiteral("False@-1@"), [](PageState &) {}},
      {"more than 76 fields", formatSettingsLine(defaults(), 1, 2) + QStringLiteral("9@9@9@"),
       [](PageState &e) {
         e.Cur_Page = 0;
         e.Win_Top = 1;
         e.Win_Left = 2;
       }},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    PageState read = defaults();
    read.Cur_Page = 4;
    parseSettingsLine(c.line, read);
    PageState expected = defaults();
    expected.Cur_Page = 4;
    c.expect(expected);
    expectSameStored(read, expected);
    expectWellFormed(formatSettingsLine(read, read.Win_Top, read.Win_Left));
  }
}

TEST(SettingsLine, NumbersThatDoNotFitKeepTheirValue) {
  // Window top / left 32-bit, sizes 16-bit, colours 0..0xFFFFFF.
  PageState s = defaults();
  QString line = formatSettingsLine(s, 4000, 6000);
  QStringList f = line.split(u'@');
  f[2] = QStringLiteral("3000000000");
  f[3] = QStringLiteral("-2147483648");
  f[5] = QStringLiteral("40000");   // page 0 height
  f[6] = QStringLiteral("-32768");  // fits
  f[7] = QStringLiteral("32767.6"); // rounds past the top
  f[8] = QStringLiteral("1e9");
  f[68] = QStringLiteral("16777216");
  f[69] = QStringLiteral("-1");
  f[70] = QStringLiteral("16777215");
  PageState read = defaults();
  parseSettingsLine(f.join(u'@'), read);

  EXPECT_EQ(read.Win_Top, 4000);
  EXPECT_EQ(read.Win_Left, -2147483647 - 1);
  EXPECT_EQ(read.Page_Height[0], 5000);
  EXPECT_EQ(read.Page_Width[0], -32768);
  EXPECT_EQ(read.Split_Height[0], 5000);
  EXPECT_EQ(read.Split_Width[0], 8000);
  EXPECT_EQ(read.Back_Color[0], 26367u);
  EXPECT_EQ(read.Fore_Color[0], 16777215u);
  EXPECT_EQ(read.Back_Color[1], 16777215u);
}

TEST(SettingsFile, SmallWindowSizesAreStoredAs1000) {
  const struct {
    int width, height, storedWidth, storedHeight;
  } cases[] = {{600, 700, 1000, 1000}, {1000, 999, 1000, 1000}, {1500, 1200, 1500, 1200}};
  for (const auto &c : cases) {
    FrmStart saved{MainServices{}};
    saved.state().Cur_Page = 2;
    saved.setWidth(c.width);
    saved.setHeight(c.height);
    ASSERT_EQ(saved.width(), c.width);
    ASSERT_TRUE(Frm_Save(saved));
    EXPECT_EQ(saved.state().Page_Width[2], c.storedWidth) << c.width;
    EXPECT_EQ(saved.state().Page_Height[2], c.storedHeight) << c.height;
    // And so they come back at the next start.
    FrmStart read{MainServices{}};
    Frm_load(read);
    EXPECT_EQ(read.state().Page_Width[2], c.storedWidth) << c.width;
    EXPECT_EQ(read.state().Page_Height[2], c.storedHeight) << c.height;
  }
}
