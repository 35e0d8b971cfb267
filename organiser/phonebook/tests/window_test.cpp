// The window as the user meets it: layout, search as one types, group
// choice, highlight, the detail editor's Enter walk, mail and dragging.
#include "organiser/phonebook/mail.h"
#include "organiser/phonebook/tests/phonebook_fixture.h"

#include <QInputMethodEvent>

namespace dorrin::organiser::testing {
namespace {

using S = QString;
using forms::rgb;

class Window : public PhoneBookFixture {};

TEST_F(Window, LayoutAndGridSetUp) {
  load();
  EXPECT_EQ(w->windowTitle(), S("전화번호부 (www.tessivo.co.kr)"));
  EXPECT_EQ(w->width(), 11835);
  EXPECT_EQ(w->height(), 7920);
  const std::vector<std::pair<forms::KtPanel *, QString>> captions = {
      {w->Menu[0], S("Excel")},    {w->Menu[1], S("이    름")}, {w->Menu[2], S("그    룹")},
      {w->Menu[3], S("집")},       {w->Menu[4], S("회    사")}, {w->Menu[5], S("휴 대 폰")},
      {w->Menu[6], S("내선    ")}, {w->Com[0], S("신    규")},  {w->Com[1], S("저   장")},
      {w->Com[2], S("삭   제")},   {w->Com[3], S("취   소")}};
  for (const auto &[panel, caption] : captions)
    EXPECT_EQ(panel->caption(), caption);
  EXPECT_EQ(w->Menu[4]->left(), 8025);
  EXPECT_EQ(w->Menu[4]->width(), 1605);
  EXPECT_EQ(w->Com[3]->left(), 5355);
  EXPECT_EQ(w->Com[3]->width(), 1665);
  EXPECT_FALSE(w->Pan_Tel->visible());
  EXPECT_EQ(w->Pan_Tel->left(), 4850);
  EXPECT_EQ(w->Pan_Tel->top(), 1020);
  EXPECT_EQ(w->Grid_Group->height(), 7685);
  EXPECT_EQ(w->Grid_Group->colWidth(2), 1200);
  EXPECT_EQ(w->Grid_Group->rowHeight(29), 250);
  EXPECT_EQ(w->Grid_Name->rows(), 2001);
  EXPECT_EQ(w->Grid_Name->rowHeight(2000), 250);
  EXPECT_EQ(w->Grid_Name->colWidth(3), 1600);
  EXPECT_EQ(w->Grid_Name->colWidth(5), 700);
  EXPECT_EQ(w->Grid_Name->colAlignment(5), 1);
  EXPECT_EQ(w->Grid_Tel->fixedCols(), 1);
  EXPECT_EQ(w->Grid_Tel->colWidth(0), 1000);
  EXPECT_EQ(w->Grid_Tel->colWidth(1), 7000);
  EXPECT_EQ(w->Grid_Tel->rowHeight(13), 250);
  EXPECT_NE(w->Grid_Tel->rowHeight(14), 250);
  EXPECT_EQ(w->Grid_Tel->textMatrix(0, 0), S("이름"));
  EXPECT_EQ(w->Grid_Tel->textMatrix(8, 0), S("메일1"));
  EXPECT_EQ(w->Grid_Tel->textMatrix(14, 0), S("번호"));
}

TEST_F(Window, SearchFollowsTheTextAfterEachEdit) {
  seed({{S(""), S("no name")}, {S("김"), S("a")}, {S("김민"), S("b")}, {S("김민"), S("c")}});
  load();
  type(w->Text1->editor(), S("김"));
  EXPECT_EQ(w->Name_Last, 0);
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 1), S("a"));
  type(w->Text1->editor(), S("민"));
  EXPECT_EQ(listed(3), QStringList({S("김민"), S("김민"), S("")}));
  QTest::keyClick(w->Text1->editor(), Qt::Key_Backspace);
  EXPECT_EQ(w->Name_Last, 0);
  EXPECT_EQ(w->Grid_Name->textMatrix(1, 0), S(""));
  QTest::keyClick(w->Text1->editor(), Qt::Key_Backspace); // empty box: the nameless contact
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 1), S("no name"));
  w->Text1->setText(S("김민")); // a paste
  EXPECT_EQ(w->Name_Last, 1);
}

TEST_F(Window, SearchFollowsHangulCompositionThroughTheInputMethod) {
  seed({{S("김"), S("kim")}, {S("기"), S("gi")}});
  load();
  w->Text1->editor()->setFocus();
  auto send = [&](const QString &preedit, const QString &commit) {
    QInputMethodEvent e(preedit, {});
    e.setCommitString(commit);
    QApplication::sendEvent(w->Text1->editor(), &e);
  };
  send(S("기"), S(""));
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 1), S("gi"));
  send(S("김"), S(""));
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 1), S("kim"));
  send(S(""), S("김"));
  EXPECT_EQ(w->Text1->text(), S("김"));
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 1), S("kim"));
  EXPECT_EQ(w->Name_Last, 0);
}

TEST_F(Window, GroupChoiceAllAndAnOrdinaryGroup) {
  seed({{S("a"), S("전체 ")}, {S("b"), S("x")}, {S("c"), S("전체 ")}});
  writeGroupFile(text::toCp949(S("전체|전체 |\r\n")));
  load();
  w->open();
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  press(w->Grid_Group, 0, 0);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->Name_Last, 2);
  EXPECT_EQ(listed(3), QStringList({S("a"), S("b"), S("c")}));
  press(w->Grid_Group, 1, 0);
  EXPECT_EQ(w->Group_Row, 1);
  EXPECT_EQ(w->Name_Last, 1);
  EXPECT_EQ(listed(3), QStringList({S("a"), S("c"), S("")}));
}

TEST_F(Window, HighlightMovesWithTheRowPressedAndAGroupClickRemovesIt) {
  seed({{S("a")}, {S("b")}, {S("c")}, {S("d")}});
  load();
  w->Tel_Load();
  auto colours = [&](int r, int c) {
    w->Grid_Name->setRow(r);
    w->Grid_Name->setCol(c);
    return std::pair(w->Grid_Name->cellBackColor(), w->Grid_Name->cellForeColor());
  };
  const auto selected = std::pair(rgb(0, 100, 50), rgb(255, 255, 255));
  const auto plain = std::pair(rgb(255, 255, 255), rgb(0, 0, 0));
  press(w->Grid_Name, 1, 2);
  press(w->Grid_Name, 3, 0);
  EXPECT_EQ(w->Name_Row, 3);
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(colours(3, c), selected) << c;
    EXPECT_EQ(colours(1, c), plain) << c;
  }
  press(w->Grid_Group, 0, 0);
  for (int c = 0; c < 6; ++c)
    EXPECT_EQ(colours(3, c), plain) << c;
}

TEST_F(Window, EnterWalksDownTheValueCellsAndCloses) {
  seed({{S("a"), S("g"), S("1"), S("2"), S("3"), S("4"), S("5"), S("6")}});
  load();
  w->Name_Load(S("a"));
  showRow(0);
  press(w->Grid_Tel, 5, 1);
  EXPECT_EQ(w->Tel_Row, 5);
  EXPECT_TRUE(w->Txt_Tel_Input->visible());
  EXPECT_EQ(w->Txt_Tel_Input->text(), S("4"));
  enter(S("내선 9"));
  EXPECT_EQ(value(5), S("내선 9"));
  EXPECT_EQ(w->Tel_Row, 6);
  EXPECT_EQ(w->Txt_Tel_Input->text(), S("5"));
  EXPECT_EQ(w->Txt_Tel_Input->selStart(), 1);
  EXPECT_EQ(w->Txt_Tel_Input->top(), w->Grid_Tel->top() + 6 * 255);
  EXPECT_EQ(w->Txt_Tel_Input->left(), 1000);

  press(w->Grid_Tel, 13, 1);
  enter(S("마지막"));
  EXPECT_EQ(value(13), S("마지막"));
  EXPECT_FALSE(w->Txt_Tel_Input->visible());

  // Right after New, the first Enter stores the name in the value cell.
  w->Com_Click(0);
  enter(S("새 이름"));
  EXPECT_EQ(value(0), S("새 이름"));
  EXPECT_EQ(w->Grid_Tel->textMatrix(0, 0), S("이름"));
  EXPECT_EQ(w->Tel_Row, 1);
}

TEST_F(Window, MailAddressesAreHandedToTheOpenerAsMailtoUrls) {
  const std::vector<std::pair<QString, QString>> cases = {
      {S(""), S("mailto:")},
      {S("  kim@example.com "), S("mailto:kim@example.com")},
      {S("kim min@example.com"), S("mailto:kim%20min@example.com")},
      {S("김민수@예제.kr"), S("mailto:%EA%B9%80%EB%AF%BC%EC%88%98@%EC%98%88%EC%A0%9C.kr")},
      {S("MAILTO:a@b.c"), S("mailto:a@b.c")},
      {S("a@b.c?subject=x"), S("mailto:a@b.c%3Fsubject=x")},
  };
  for (const auto &[address, url] : cases)
    EXPECT_EQ(mailtoUrl(address), url) << address.toStdString();

  seed({{S("a"), S(""), S(""), S(""), S(""), S(""), S(""), S(""), S("a b@c.kr")}});
  load();
  w->Pan_Tel->setVisible(true);
  press(w->Grid_Tel, 8, 0); // the label of an empty value cell
  w->Name_Load(S("a"));
  showRow(0);
  press(w->Grid_Tel, 7, 0); // another label: nothing
  press(w->Grid_Tel, 8, 0);
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].file, S("mailto:"));
  EXPECT_EQ(shell.calls[1].file, S("mailto:a%20b@c.kr"));
  EXPECT_EQ(w->Tel_Row, 8);
}

TEST_F(Window, TheDetailPanelFollowsADrag) {
  load();
  w->Pan_Tel->setVisible(true);
  const QPoint grab(20, 5);
  QTest::mousePress(w->Pan_Tel, Qt::LeftButton, {}, grab);
  QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(10, 4)), QPointF(), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w->Pan_Tel, &move);
  EXPECT_EQ(w->Pan_Tel->left(), 4850 + 150);
  EXPECT_EQ(w->Pan_Tel->top(), 1020 + 60);
}

TEST_F(Window, ClosingUnloadsAndTheNextOpenLoadsAnew) {
  seed({{S("a"), S("g")}});
  load();
  w->Tel_Load();
  w->Grid_Tel->setTextMatrix(0, 1, S("x"));
  w->close();
  EXPECT_FALSE(w->loaded());
  seed({{S("b"), S("g")}});
  w->open();
  EXPECT_TRUE(w->loaded());
  EXPECT_EQ(w->Grid_Name->textMatrix(0, 0), S("")); // the list is empty until a fill
  EXPECT_EQ(w->Grid_Tel->textMatrix(0, 1), S(""));
  w->Group_Load(S("g"));
  EXPECT_EQ(listed(2), QStringList({S("a"), S("b")}));
}

} // namespace
} // namespace dorrin::organiser::testing
