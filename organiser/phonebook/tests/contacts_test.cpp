// The three fills of the name list and the four contact operations on a
// real "Tel" table.
#include "organiser/phonebook/tests/phonebook_fixture.h"

namespace dorrin::organiser::testing {
namespace {

using S = QString;

class Contacts : public PhoneBookFixture {};

TEST_F(Contacts, AnEmptyTableFillsNothing) {
  load();
  w->Grid_Name->setTextMatrix(0, 0, S("stale"));
  w->Tel_Load();
  EXPECT_EQ(w->Name_Last, -1);
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 0), S("stale")); // no cell written
  w->Name_Load(S("x"));
  EXPECT_EQ(w->Name_Last, -1);
}

TEST_F(Contacts, FillsCopyFiveFieldsAndBlankOnlyWhatTheyNoLongerUse) {
  std::vector<Contact> all;
  for (int i = 0; i < 10; ++i)
    all.push_back({S("이름%1").arg(i), i < 3 ? S("가족") : S("회사"), S("02-%1").arg(i), S("031"),
                   S("010"), S("5"), S("주소")});
  seed(all);
  load();
  w->Tel_Load();
  EXPECT_EQ(w->Name_Last, 9);
  EXPECT_EQ(w->Grid_Name->textMatrix(4, 0), S("이름4"));
  EXPECT_EQ(w->Grid_Name->textMatrix(4, 2), S("02-4"));
  EXPECT_EQ(w->Grid_Name->textMatrix(4, 4), S("010"));
  EXPECT_EQ(w->Grid_Name->textMatrix(4, 5), S("")); // the sixth column is never filled

  w->Group_Load(S("가족"));
  EXPECT_EQ(w->Name_Last, 2);
  EXPECT_EQ(listed(4), QStringList({S("이름0"), S("이름1"), S("이름2"), S("")}));
  for (int r = 3; r <= 9; ++r)
    for (int c = 0; c <= 4; ++c)
      ASSERT_EQ(w->Grid_Name->textMatrix(r, c), S("")) << r << "," << c;

  // Tel_Load after a longer fill leaves the rows below its own as they were.
  w->Tel_Load();
  w->Name_Load(S("이름7"));
  EXPECT_EQ(w->Name_Last, 0);
  w->Grid_Name->setTextMatrix(5, 0, S("left"));
  w->Name_Last = 9;
  w->Group_Load(S("가족"));
  EXPECT_EQ(w->Grid_Name->textMatrix(5, 0), S(""));
}

TEST_F(Contacts, ContactsBeyondTheListAreCountedNotShown) {
  std::vector<Contact> many(2500, Contact{S("같은 이름"), S("g")});
  many[2000][0] = S("마지막 줄");
  seed(many);
  load();
  w->Tel_Load();
  EXPECT_EQ(w->Name_Last, 2499);
  EXPECT_EQ(w->Grid_Name->textMatrix(2000, 0), S("마지막 줄"));
  w->Group_Load(S("g"));
  EXPECT_EQ(w->Name_Last, 2499);
  w->Name_Load(S("같은 이름"));
  EXPECT_EQ(w->Name_Last, 2498);
  EXPECT_EQ(w->Grid_Name->textMatrix(2000, 0), S("같은 이름"));
}

TEST_F(Contacts, NamesAndGroupsAreMatchedExactlyApostrophesIncluded) {
  seed({{S("O'Brien"), S("Tom's")},
        {S("OBrien"), S("Toms")},
        {S("o'brien"), S("Tom's")},
        {S("O'Brien"), S("")}});
  load();
  w->Name_Load(S("O'Brien"));
  EXPECT_EQ(w->Name_Last, 1);
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 1), S("Tom's"));
  EXPECT_EQ(w->Grid_Name->textMatrix(1, 1), S(""));
  w->Group_Load(S("Tom's"));
  EXPECT_EQ(listed(2), QStringList({S("O'Brien"), S("o'brien")}));
  w->Group_Load(S("")); // the contacts with no group
  EXPECT_EQ(listed(2), QStringList({S("O'Brien"), S("")}));

  // Showing, saving and deleting the apostrophe name touch only its record.
  w->Name_Load(S("o'brien"));
  showRow(0);
  EXPECT_EQ(value(1), S("Tom's"));
  w->Grid_Tel->setTextMatrix(2, 1, S("02-1"));
  w->Com_Click(1);
  w->Com_Click(2);
  const auto t = table();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0][0], S("O'Brien"));
  EXPECT_EQ(t[0][2], S(""));
  EXPECT_EQ(t[1][0], S("OBrien"));
  EXPECT_EQ(t[2][0], S("O'Brien"));
}

TEST_F(Contacts, TwoContactsNamedAlikeAreShownSavedAndDeletedByTheRowPicked) {
  seed({{S("김민수"), S("가족"), S("02-111")},
        {S("이영희"), S("가족"), S("02-222")},
        {S("김민수"), S("회사"), S("02-333")}});
  load();
  w->Name_Load(S("김민수"));
  ASSERT_EQ(w->Name_Last, 1);

  showRow(1);
  EXPECT_TRUE(w->Pan_Tel->visible());
  EXPECT_EQ(w->Cur_Name, S("김민수"));
  EXPECT_EQ(value(1), S("회사"));
  EXPECT_EQ(value(2), S("02-333"));

  w->Grid_Tel->setTextMatrix(2, 1, S("02-999"));
  w->Com_Click(1); // Save
  auto t = table();
  EXPECT_EQ(t[0][2], S("02-111"));
  EXPECT_EQ(t[2][2], S("02-999"));
  EXPECT_EQ(value(2), S("")); // value cells cleared, name kept
  EXPECT_EQ(w->Cur_Name, S("김민수"));

  w->Com_Click(2); // Delete
  t = table();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0][2], S("02-111"));
  EXPECT_EQ(t[1][0], S("이영희"));

  // Delete then Save without New: the record is gone, nothing is written.
  w->Grid_Tel->setTextMatrix(0, 1, S("김민수"));
  w->Com_Click(1);
  EXPECT_EQ(table().size(), 2u);
  EXPECT_EQ(table()[0][2], S("02-111"));

  // The first of the two is still reached through its own row.
  showRow(0);
  EXPECT_EQ(value(2), S("02-111"));
}

TEST_F(Contacts, SaveAfterNewAddsEveryTime) {
  seed({{S("박"), S("가족")}});
  load();
  w->Com_Click(0); // New
  EXPECT_EQ(w->Cur_Name, S(""));
  EXPECT_TRUE(w->Txt_Tel_Input->visible());
  EXPECT_EQ(w->Txt_Tel_Input->left(), 1000);
  EXPECT_EQ(w->Txt_Tel_Input->top(), w->Grid_Tel->top());
  EXPECT_EQ(w->Tel_Row, 0);
  w->Com_Click(1); // an empty name field still adds
  w->Grid_Tel->setTextMatrix(0, 1, S("최"));
  w->Grid_Tel->setTextMatrix(13, 1, S("메모"));
  w->Grid_Tel->setTextMatrix(14, 1, S("never stored"));
  w->Com_Click(1);
  const auto t = table();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[1][0], S(""));
  EXPECT_EQ(t[2][0], S("최"));
  EXPECT_EQ(t[2][13], S("메모"));
  // The database numbers each new record; the program never writes field 14.
  w->Name_Load(S("최"));
  EXPECT_GT(w->rowRecord[0], 0);
}

TEST_F(Contacts, DeleteAfterNewDeletesNothing) {
  seed({{S(""), S("이름 없는 연락처")}, {S("정"), S("")}});
  load();
  w->Com_Click(0);
  w->Com_Click(2);
  EXPECT_EQ(table().size(), 2u);
}

TEST_F(Contacts, ARenamedContactIsNotFoundByItsOldRow) {
  seed({{S("한"), S("g")}});
  load();
  w->Name_Load(S("한"));
  showRow(0);
  w->Grid_Tel->setTextMatrix(0, 1, S("한가람"));
  w->Com_Click(1);
  EXPECT_EQ(table()[0][0], S("한가람"));
  // The list is not refreshed; the row still says the old name, and its
  // record now has another one.
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 0), S("한"));
  w->Grid_Tel->setTextMatrix(0, 1, S("다른 사람"));
  w->Com_Click(1); // Cur_Name is still the old name: nothing is written
  EXPECT_EQ(table()[0][0], S("한가람"));
  showRow(0);
  EXPECT_EQ(value(0), S(""));
}

TEST_F(Contacts, CancelHidesThePanelOnly) {
  seed({{S("윤"), S("g"), S("1")}});
  load();
  w->Name_Load(S("윤"));
  showRow(0);
  w->Com_Click(3);
  EXPECT_FALSE(w->Pan_Tel->visible());
  EXPECT_FALSE(w->Txt_Tel_Input->visible());
  EXPECT_EQ(value(2), S("1"));
  w->Com_Click(4); // no such button
  EXPECT_EQ(table().size(), 1u);
}

TEST_F(Contacts, AMissingOrForeignDatabaseLeavesTheWindowWorking) {
  QFile f(dbPath());
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a database at all, several bytes long............................");
  f.close();
  load();
  w->Tel_Load();
  EXPECT_EQ(w->Name_Last, -1);
  w->Com_Click(0);
  w->Com_Click(1);
  w->Com_Click(2);
  QFile g(dbPath());
  ASSERT_TRUE(g.open(QIODevice::ReadOnly));
  EXPECT_TRUE(g.readAll().startsWith("not a database"));
}

} // namespace
} // namespace dorrin::organiser::testing
