// Group cells and the group file: what loads into which cell, what a commit
// writes, and text that must never break the file.
#include "organiser/phonebook/tests/phonebook_fixture.h"

namespace dorrin::organiser::testing {
namespace {

QByteArray cp949(const QString &s) {
  return text::toCp949(s);
}

TEST(GroupNamesLine, CellsComeFromTheirItemsInColumnOrder) {
  GroupNames g;
  g.set(5, 1, QStringLiteral("old"));
  g.set(29, 2, QStringLiteral("kept"));
  // Items 0, 1, then 35 (row 5 of column 1) and nothing beyond item 40.
  QStringList items(41);
  items[0] = QStringLiteral("가족");
  items[1] = QStringLiteral("회사, 거래처");
  items[35] = QStringLiteral("x");
  g.applyLine(items.join(u'|'));
  EXPECT_EQ(g.at(0, 0), QStringLiteral("가족"));
  EXPECT_EQ(g.at(1, 0), QStringLiteral("회사, 거래처"));
  EXPECT_EQ(g.at(5, 1), QStringLiteral("x"));
  EXPECT_EQ(g.at(29, 2), QStringLiteral("kept")); // item 89 missing: unchanged
  EXPECT_EQ(g.line().count(u'|'), 90);
  EXPECT_TRUE(g.line().startsWith(QStringLiteral("가족|회사, 거래처|||")));
  EXPECT_FALSE(g.set(31, 0, QStringLiteral("y")));
  EXPECT_EQ(g.at(-1, 0), QString());
}

class GroupFile : public PhoneBookFixture {};

TEST_F(GroupFile, TwoNamesLoadIntoTheFirstColumnAndACommitWritesNinetyItems) {
  writeGroupFile(cp949(QStringLiteral("가족|친구|\r\n")));
  load();
  EXPECT_EQ(w->Grid_Group->textMatrix(0, 0), QStringLiteral("가족"));
  EXPECT_EQ(w->Grid_Group->textMatrix(1, 0), QStringLiteral("친구"));
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 30; ++r) {
      if (c != 0 || r > 1) {
        ASSERT_EQ(w->Grid_Group->textMatrix(r, c), QString()) << r << "," << c;
      }
    }
  }

  // Double-click cell (2, 1), type a name with a comma, Enter.
  doubleClick(w->Grid_Group, 2, 1);
  ASSERT_TRUE(w->Txt_Group_Input->visible());
  EXPECT_EQ(w->Txt_Group_Input->left(), 30 + 1 * 1205);
  EXPECT_EQ(w->Txt_Group_Input->top(), 270 + 2 * 255);
  w->Txt_Group_Input->setText(QStringLiteral("동창, 고교"));
  QTest::keyClick(w->Txt_Group_Input->editor(), Qt::Key_Return);
  EXPECT_FALSE(w->Txt_Group_Input->visible());
  EXPECT_EQ(w->Txt_Group_Input->text(), QString());

  const QByteArray file = readGroupFile();
  EXPECT_TRUE(file.endsWith("|\r\n"));
  EXPECT_EQ(file.count('|'), 90);
  QStringList items(90);
  items[0] = QStringLiteral("가족");
  items[1] = QStringLiteral("친구");
  items[32] = QStringLiteral("동창, 고교");
  EXPECT_EQ(file, cp949(items.join(u'|') + QStringLiteral("|\r\n")));

  // The comma name comes back whole with every other cell as stored.
  w.reset();
  load();
  EXPECT_EQ(w->Grid_Group->textMatrix(2, 1), QStringLiteral("동창, 고교"));
  EXPECT_EQ(w->Grid_Group->textMatrix(1, 0), QStringLiteral("친구"));
}

TEST_F(GroupFile, AFileAsTheOriginalWritesItIsWrittenBackByteForByte) {
  // 90 items: Hangul, a comma, empty cells, names in the last column.
  QStringList items(90);
  items[0] = QStringLiteral("전체");
  items[1] = QStringLiteral("가족");
  items[4] = QStringLiteral("회사,거래처");
  items[30] = QStringLiteral("똠방각하"); // a syllable only CP949 (not EUC-KR) holds
  items[89] = QStringLiteral("마지막 칸");
  const QByteArray original = cp949(items.join(u'|') + QStringLiteral("|\r\n"));
  writeGroupFile(original);
  load();
  EXPECT_EQ(w->Grid_Group->textMatrix(4, 0), QStringLiteral("회사,거래처"));
  EXPECT_EQ(w->Grid_Group->textMatrix(0, 1), QStringLiteral("똠방각하"));
  EXPECT_EQ(w->Grid_Group->textMatrix(29, 2), QStringLiteral("마지막 칸"));

  // A commit that leaves the cell as it was.
  doubleClick(w->Grid_Group, 1, 0);
  QTest::keyClick(w->Txt_Group_Input->editor(), Qt::Key_Return);
  EXPECT_EQ(readGroupFile(), original);
}

TEST_F(GroupFile, NoFileGivesEmptyCellsAndTheFirstCommitCreatesIt) {
  load();
  EXPECT_EQ(w->Grid_Group->textMatrix(0, 0), QString());
  doubleClick(w->Grid_Group, 0, 0);
  w->Txt_Group_Input->setText(QStringLiteral("전체"));
  QTest::keyClick(w->Txt_Group_Input->editor(), Qt::Key_Return);
  EXPECT_EQ(readGroupFile(), cp949(QStringLiteral("전체") + QString(90, u'|') + "\r\n"));
}

TEST_F(GroupFile, SeparatorsAndLineBreaksNeverReachTheFile) {
  load();
  doubleClick(w->Grid_Group, 0, 0);
  w->Txt_Group_Input->setText(QStringLiteral("a|b\nc"));
  QTest::keyClick(w->Txt_Group_Input->editor(), Qt::Key_Return);
  const QString stored = w->Grid_Group->textMatrix(0, 0);
  EXPECT_FALSE(stored.contains(u'|'));
  EXPECT_FALSE(stored.contains(u'\n'));
  EXPECT_EQ(stored, w->Group_Names.at(0, 0));
  const QByteArray file = readGroupFile();
  EXPECT_EQ(file.count('|'), 90);
  EXPECT_EQ(file.count('\n'), 1);
  // Read back, the cell is what the grid showed and the others stay empty.
  w.reset();
  load();
  EXPECT_EQ(w->Grid_Group->textMatrix(0, 0), stored);
  EXPECT_EQ(w->Grid_Group->textMatrix(1, 0), QString());
}

TEST_F(GroupFile, CharactersTheCodePageLacksAreRefusedVisibly) {
  writeGroupFile(cp949(QStringLiteral("가족|\r\n")));
  load();
  const QByteArray before = readGroupFile();
  doubleClick(w->Grid_Group, 0, 0);
  w->Txt_Group_Input->setText(QStringLiteral("가족😀"));
  QTest::keyClick(w->Txt_Group_Input->editor(), Qt::Key_Return);
  EXPECT_EQ(dialogs.count(forms::testing::FakeDialogs::Kind::MsgBox), 1);
  EXPECT_EQ(readGroupFile(), before);
  EXPECT_EQ(w->Grid_Group->textMatrix(0, 0), QStringLiteral("가족"));
  EXPECT_TRUE(w->Txt_Group_Input->visible()); // still open for a fix
}

TEST_F(GroupFile, AFailedWriteIsReportedOnce) {
  load();
  QFile::remove(groupPath());
  ASSERT_TRUE(QDir().mkpath(groupPath())); // a folder where the file should be
  for (int i = 0; i < 2; ++i) {
    doubleClick(w->Grid_Group, i, 0);
    w->Txt_Group_Input->setText(QStringLiteral("친구"));
    QTest::keyClick(w->Txt_Group_Input->editor(), Qt::Key_Return);
  }
  EXPECT_EQ(dialogs.count(forms::testing::FakeDialogs::Kind::MsgBox), 1);
  EXPECT_TRUE(dialogs.calls.at(0).text.contains(QStringLiteral("GroupName.txt")));
  QDir(groupPath()).removeRecursively();
}

} // namespace
} // namespace dorrin::organiser::testing
