#pragma once
// The phone book window on a real SQLite "Tel" table and group file in the
// test's data folder, with scripted dialogs and a recording shell.
#include "organiser/contracts/tables.h"
#include "organiser/phonebook/frm_telephone.h"
#include "platform/db/sqlite_engine.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/forms/textbox.h"
#include "platform/paths/data_folder.h"
#include "platform/shell/testing/fake_shell.h"
#include "platform/text/cp949.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

inline void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

namespace dorrin::organiser::testing {

// Fields 0..13 of one contact; missing ones are empty.
using Contact = std::vector<QString>;

class PhoneBookFixture : public ::testing::Test {
protected:
  db::SqliteEngine engine;
  forms::testing::FakeDialogs dialogs;
  shell::testing::RecordingShell shell;
  std::unique_ptr<FrmTelephone> w;

  void SetUp() override {
    paths::ensureDataFolder();
    QFile::remove(dbPath());
    QFile::remove(groupPath());
    forms::resetSaveFailureReports();
  }
  void TearDown() override { w.reset(); }

  static QString dbPath() { return paths::resolve(QString::fromUtf8(db::kPhoneDatabase)); }
  static QString groupPath() { return paths::resolve(QString::fromUtf8(kGroupFile)); }

  // Adds contacts to the table before the window opens it.
  void seed(const std::vector<Contact> &contacts) {
    auto d = engine.OpenDatabase(dbPath(), {db::phoneTable()});
    auto rs = d->OpenRecordset(QStringLiteral("Tel"));
    d->BeginTrans();
    for (const Contact &c : contacts) {
      rs->AddNew();
      for (int i = 0; i < int(c.size()); ++i)
        rs->Fields(i).SetValue(c[size_t(i)]);
      rs->Update();
    }
    d->CommitTrans();
  }

  void writeGroupFile(const QByteArray &bytes) {
    QFile f(groupPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  static QByteArray readGroupFile() {
    QFile f(groupPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  PhoneBookServices services() {
    PhoneBookServices s;
    s.engine = &engine;
    s.shell = &shell;
    s.dialogs = &dialogs;
    return s;
  }

  void load() {
    w = std::make_unique<FrmTelephone>(services());
    w->Form_Load();
    w->show();
  }

  // Every contact in table order: fields 0..13.
  std::vector<Contact> table() {
    std::vector<Contact> out;
    auto d = engine.OpenDatabase(dbPath(), {db::phoneTable()});
    auto rs = d->OpenRecordset(QStringLiteral("Tel"));
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
      Contact c;
      for (int i = 0; i < kValueFields; ++i)
        c.push_back(rs->Fields(i).Value());
      out.push_back(c);
    }
    return out;
  }

  // Names in name-list rows 0..n-1.
  QStringList listed(int n) const {
    QStringList out;
    for (int r = 0; r < n; ++r)
      out << w->Grid_Name->textMatrix(r, 0);
    return out;
  }

  QString value(int row) const { return w->Grid_Tel->textMatrix(row, 1); }

  // A press on a cell, as the grid reports it to its handlers.
  static QPoint cellCentre(forms::FlexGrid *g, int r, int c) {
    return QPoint(forms::toPixels(g->colPos(c) + g->colWidth(c) / 2),
                  forms::toPixels(g->rowPos(r) + g->rowHeight(r) / 2));
  }
  static void press(forms::FlexGrid *g, int r, int c) {
    QTest::mousePress(g, Qt::LeftButton, {}, cellCentre(g, r, c));
    QTest::mouseRelease(g, Qt::LeftButton, {}, cellCentre(g, r, c));
  }
  static void doubleClick(forms::FlexGrid *g, int r, int c) {
    const QPoint p = cellCentre(g, r, c);
    QTest::mousePress(g, Qt::LeftButton, {}, p);
    QTest::mouseRelease(g, Qt::LeftButton, {}, p);
    QTest::mouseDClick(g, Qt::LeftButton, {}, p);
    QTest::mouseRelease(g, Qt::LeftButton, {}, p);
  }
  // Picks name-list row r and shows its contact.
  void showRow(int r) { doubleClick(w->Grid_Name, r, 0); }
  // Types text key by key (QTest's own typing knows Latin keys only).
  static void type(QWidget *editor, const QString &text) {
    for (QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(editor, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(editor, &release);
    }
  }
  // Types into the detail editor and presses Enter.
  void enter(const QString &text) {
    w->Txt_Tel_Input->setText(text);
    QTest::keyClick(w->Txt_Tel_Input->editor(), Qt::Key_Return);
  }
};

} // namespace dorrin::organiser::testing
