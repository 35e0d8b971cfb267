#include "platform/text/field_text.h"

#include "platform/text/text_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using dorrin::text::fieldText;
using dorrin::text::notInCp949;

namespace {
QString u(const char *utf8) {
  return QString::fromUtf8(utf8);
}
} // namespace

TEST(FieldText, SeparatorsAndLineBreaksNeverReachTheFile) {
  struct Case {
    const char *typed, *separators, *stored;
  } cases[] = {
      {"me@home", "@", "me＠home"},
      {"a|b||c", "|", "a｜b｜｜c"},
      {"a|b@c", "|@", "a｜b＠c"},
      {"a|b", "@", "a|b"}, // only this file's separators change
      {"one\r\ntwo\nthree\rfour\tfive", "|", "one two three four five"},
      {"\r\n\r\n", "|", "  "},
      {"회의 3시", "|", "회의 3시"},
      {"", "|", ""},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(fieldText(u(c.typed), u(c.separators)), u(c.stored)) << c.typed;
  }
}

TEST(FieldText, FieldsStayInPlaceThroughTheFile) {
  // A guarded field, written and read back, splits into the same fields.
  dorrin::test::TempFolder dir;
  const QStringList typed = {u("a|b"), u("줄\r\n바꿈"), u("끝|")};
  QString line;
  for (const QString &t : typed)
    line += fieldText(t, u"|") + u'|';
  ASSERT_TRUE(dorrin::text::writeLines(dir.file("f.txt"), {line}));
  const auto back = dorrin::text::readLines(dir.file("f.txt"));
  ASSERT_TRUE(back && back->size() == 1);
  const QStringList fields = back->first().split(u'|');
  ASSERT_EQ(fields.size(), 4);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(fields[i], fieldText(typed[i], u"|"));
}

TEST(FieldText, CharactersCp949CannotHold) {
  struct Case {
    const char *text, *bad;
  } cases[] = {
      {"한글 똠 ABC ＠｜ ?", ""},
      {"smile 😀 and 😀 again", "😀"},
      {"é ñ", "éñ"},   // Latin-1 letters outside the code page
      {"中文 ㄱ", ""}, // common Hanja and jamo are in it
      {"x😀y🎉", "😀🎉"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(notInCp949(u(c.text)), u(c.bad)) << c.text;
}
