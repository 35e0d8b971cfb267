#include "platform/text/cp949.h"

#include <gtest/gtest.h>

using dorrin::text::fromCp949;
using dorrin::text::toCp949;

namespace {

QString u(const char *utf8) {
  return QString::fromUtf8(utf8);
}

} // namespace

TEST(Cp949, ConvertsBothWays) {
  struct Case {
    QByteArray bytes;
    QString text;
  } cases[] = {
      {"", u("")},
      {"abc 123|@", u("abc 123|@")},
      {"\xC7\xD1\xB1\xDB", u("한글")},
      {"\x8C\x63", u("똠")}, // beyond EUC-KR
      {"\xB0\xA1|\x8C\x63|c:\\a.txt", u("가|똠|c:\\a.txt")},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(fromCp949(c.bytes), c.text) << c.bytes.toHex().constData();
    bool lossless = false;
    EXPECT_EQ(toCp949(c.text, &lossless), c.bytes) << c.text.toStdString();
    EXPECT_TRUE(lossless);
  }
}

TEST(Cp949, InvalidBytesBecomeReplacementsAndTheRestSurvives) {
  const QString r(QChar(0xFFFD));
  struct Case {
    QByteArray bytes;
    QString text;
  } cases[] = {
      {"ab\xFF"
       "cd",
       u("ab") + r + u("cd")},
      // A lead byte whose trail is not valid: only the lead is lost.
      {"\xC7\x20\xB1\xDB", r + u(" 글")},
      {"\xC7\xD1\x80\x80\xB1\xDB", u("한") + r + r + u("글")},
      // A lead byte cut off at the end.
      {"\xC7\xD1\xC7", u("한") + r},
      {"\xFF", r},
  };
  for (const auto &c : cases)
    EXPECT_EQ(fromCp949(c.bytes), c.text) << c.bytes.toHex().constData();
}

TEST(Cp949, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  bool lossless = true;
  EXPECT_EQ(toCp949(u("aกb😀한"), &lossless), QByteArray("a?b?\xC7\xD1"));
  EXPECT_FALSE(lossless);
  EXPECT_EQ(toCp949(u("what?"), &lossless), QByteArray("what?"));
  EXPECT_TRUE(lossless);
}
