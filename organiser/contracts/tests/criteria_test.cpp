#include "organiser/contracts/database.h"

#include <gtest/gtest.h>

using dorrin::db::parseCriteria;

TEST(Criteria, ValueIsBetweenTheFirstEqualsQuoteAndTheFinalQuote) {
  struct Case {
    const char *criteria;
    const char *field; // nullptr: not readable
    const char *value;
  } cases[] = {
      {"BDate='2026-12-06'", "BDate", "2026-12-06"},
      {"BMemo='it's'", "BMemo", "it's"},
      {"BMemo='a='b'", "BMemo", "a='b"},
      {"BMemo=''", "BMemo", ""},
      {"BMemo=''''", "BMemo", "''"},
      {" BMemo = 'x y ' ", "BMemo", "x y "},
      {"번호=5", "번호", "5"},
      {"번호=-12", "번호", "-12"},
      {"이름='홍길동'", "이름", "홍길동"},
      {"BMemo='open", nullptr, nullptr},
      {"BMemo='", nullptr, nullptr},
      {"BMemo=text", nullptr, nullptr},
      {"BMemo=", nullptr, nullptr},
      {"='x'", nullptr, nullptr},
      {"BMemo", nullptr, nullptr},
      {"", nullptr, nullptr},
  };
  for (const auto &c : cases) {
    const auto parsed = parseCriteria(QString::fromUtf8(c.criteria));
    ASSERT_EQ(parsed.has_value(), c.field != nullptr) << c.criteria;
    if (!parsed) continue;
    EXPECT_EQ(parsed->field, QString::fromUtf8(c.field)) << c.criteria;
    EXPECT_EQ(parsed->value, QString::fromUtf8(c.value)) << c.criteria;
  }
}
