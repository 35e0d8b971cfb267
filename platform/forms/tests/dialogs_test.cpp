#include "platform/forms/dialogs.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/forms/translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace dorrin::forms;
using dorrin::forms::testing::FakeDialogs;

TEST(MsgBoxStyle, ButtonSetsAndDefaults) {
  struct Case {
    int style, count, first, def;
  };
  for (const Case k : {Case{vbOKOnly, 1, vbOK, vbOK}, Case{vbOKCancel, 2, vbOK, vbOK},
                       Case{vbYesNo | vbQuestion, 2, vbYes, vbYes},
                       Case{vbYesNo | vbDefaultButton2, 2, vbYes, vbNo},
                       Case{vbYesNoCancel | vbDefaultButton3, 3, vbYes, vbCancel},
                       Case{vbOKOnly | vbDefaultButton2, 1, vbOK, vbOK},
                       Case{vbAbortRetryIgnore, 3, vbAbort, vbAbort},
                       Case{vbRetryCancel | vbCritical, 2, vbRetry, vbRetry}}) {
    SCOPED_TRACE(k.style);
    const MsgBoxButtons b = msgBoxButtons(k.style);
    EXPECT_EQ(b.count, k.count);
    EXPECT_EQ(b.answers[0], k.first);
    EXPECT_EQ(msgBoxDefault(k.style), k.def);
  }
  EXPECT_EQ(vbYes, 6);
  EXPECT_EQ(vbNo, 7);
  EXPECT_EQ(vbOK, 1);
  EXPECT_EQ(vbCancel, 2);
}

TEST(FakeDialogs, AnswersFromTheQueueAndRecordsEveryCall) {
  FakeDialogs d;
  Dialogs &dialogs = d;
  d.msgBoxAnswers = {vbNo};
  d.inputAnswers = {QStringLiteral("새 제목"), QString(), std::nullopt};
  d.colorAnswers = {rgb(1, 2, 3)};
  EXPECT_EQ(dialogs.msgBox(QStringLiteral("메모를 지우시 겠습니까?"), vbYesNo,
                           QStringLiteral("데이터 삭제")),
            vbNo);
  EXPECT_EQ(dialogs.inputBox(QStringLiteral("제목을 입력하십시오"), QStringLiteral("제목")),
            QStringLiteral("새 제목"));
  EXPECT_EQ(dialogs.inputBox(QStringLiteral("p")), QString()) << "OK with nothing typed";
  EXPECT_EQ(dialogs.inputBox(QStringLiteral("p")), std::nullopt) << "cancel";
  EXPECT_EQ(dialogs.pickColor(rgb(9, 9, 9)), rgb(1, 2, 3));
  EXPECT_EQ(d.unanswered, 0);
  ASSERT_EQ(d.calls.size(), 5u);
  EXPECT_EQ(d.calls[0].text, "메모를 지우시 겠습니까?");
  EXPECT_EQ(d.calls[0].title, "데이터 삭제");
  EXPECT_EQ(d.calls[0].style, vbYesNo);
  EXPECT_EQ(d.calls[4].initialColor, rgb(9, 9, 9));
  EXPECT_EQ(d.count(FakeDialogs::Kind::InputBox), 3);

  // Unscripted calls: the default button, or cancel.
  EXPECT_EQ(dialogs.msgBox(QStringLiteral("?"), vbYesNo | vbDefaultButton2), vbNo);
  EXPECT_EQ(dialogs.inputBox(QStringLiteral("?")), std::nullopt);
  EXPECT_EQ(dialogs.pickColor(0), std::nullopt);
  EXPECT_EQ(d.unanswered, 3);
}

namespace {

// Presses the button reading `label` of the next modal dialog, or types
// `typed` and presses it.
void answerNextDialog(const QString &label, const QString &typed = {}) {
  QTimer::singleShot(0, [=] {
    QWidget *w = QApplication::activeModalWidget();
    if (!w) {
      answerNextDialog(label, typed);
      return;
    }
    if (auto *edit = w->findChild<QLineEdit *>()) edit->setText(typed);
    for (auto *b : w->findChildren<QAbstractButton *>())
      if (b->text() == label) {
        b->click();
        return;
      }
    ADD_FAILURE() << "no button " << label.toStdString();
    w->close();
  });
}

} // namespace

TEST(QtDialogs, KoreanButtonsGiveTheRuntimeAnswers) {
  QtDialogs d;
  answerNextDialog(QStringLiteral("아니요"));
  EXPECT_EQ(
      d.msgBox(QStringLiteral("메모를 지우시 겠습니까?"), vbYesNo, QStringLiteral("데이터 삭제")),
      vbNo);
  answerNextDialog(QStringLiteral("예"));
  EXPECT_EQ(d.msgBox(QStringLiteral("?"), vbYesNo), vbYes);
  answerNextDialog(QStringLiteral("확인"));
  EXPECT_EQ(d.msgBox(QStringLiteral("알맞는 데이터가 존재하지 않습니다.")), vbOK);
  answerNextDialog(QStringLiteral("확인"), QStringLiteral("일정"));
  EXPECT_EQ(d.inputBox(QStringLiteral("제목을 입력하십시오"), QStringLiteral("제목")),
            QStringLiteral("일정"));
  answerNextDialog(QStringLiteral("확인"), QString());
  EXPECT_EQ(d.inputBox(QStringLiteral("제목을 입력하십시오")), QString());
  answerNextDialog(QStringLiteral("취소"), QStringLiteral("버려짐"));
  EXPECT_EQ(d.inputBox(QStringLiteral("제목을 입력하십시오")), std::nullopt);
}

TEST(KoreanTranslations, StandardDialogsSpeakKorean) {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                     QStringLiteral("/qtbase_ko.qm")))
    GTEST_SKIP() << "qt6-translations-l10n is not installed";
  ASSERT_TRUE(installKoreanTranslations());
  EXPECT_TRUE(installKoreanTranslations()) << "a second call is harmless";
  const QString basic = QCoreApplication::translate("QColorDialog", "&Basic colors");
  EXPECT_NE(basic, QStringLiteral("&Basic colors"));
  EXPECT_TRUE(basic.contains(QChar(0xAE30))) << basic.toStdString(); // "기본"
  QColorDialog dialog;
  const auto buttons = dialog.findChildren<QPushButton *>();
  bool cancelInKorean = false;
  for (const QPushButton *b : buttons)
    cancelInKorean |= b->text().contains(QStringLiteral("취소"));
  EXPECT_TRUE(cancelInKorean);
}
