// Phone book search: 100,000 contacts in a real SQLite "Tel" table. Times
// the window's load, one search keystroke (the name fill of the list), a
// group click (one group of ~3,300 contacts, and "전체", all of them) and
// the export of every contact to an .xlsx. Offscreen; prints milliseconds
// (median of several runs; the export once).
#include "bench/bench_support.h"
#include "organiser/contracts/tables.h"
#include "organiser/phonebook/frm_telephone.h"
#include "organiser/phonebook/spreadsheet_export.h"
#include "platform/db/sqlite_engine.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/textbox.h"
#include "platform/spreadsheet/spreadsheet_app.h"
#include "platform/text/cp949.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace dorrin;
using bench::median;
using bench::ms;

namespace {

constexpr int kContacts = 100000;

QString syllable(QRandomGenerator &g) {
  static const QString family = QStringLiteral("김이박최정강조윤장임한오서신권황안송류홍");
  static const QString given = QStringLiteral("민수영희지현서준도윤하은재우성진혜경태");
  return QString(family[g.bounded(int(family.size()))]) + given[g.bounded(int(given.size()))] +
         given[g.bounded(int(given.size()))];
}

void type(QWidget *editor, QChar ch) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
  QApplication::sendEvent(editor, &press);
}

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir data;
  qputenv("DORRIN_DATA_DIR", data.path().toUtf8());
  QApplication app(argc, argv);
  forms::installFontSubstitutes();

  QRandomGenerator gen(15);
  std::vector<QString> names;
  db::SqliteEngine engine;
  {
    auto database = engine.OpenDatabase(data.filePath("TessivoTel.mdb"), {db::phoneTable()});
    auto rs = database->OpenRecordset("Tel");
    database->BeginTrans();
    for (int n = 0; n < kContacts; ++n) {
      const QString name = syllable(gen);
      names.push_back(name);
      rs->AddNew();
      rs->Fields(0).SetValue(name);
      rs->Fields(1).SetValue(QStringLiteral("그룹%1").arg(n % 30));
      rs->Fields(2).SetValue(QStringLiteral("02-%1").arg(1000000 + n));
      rs->Fields(4).SetValue(QStringLiteral("010-%1").arg(10000000 + n));
      rs->Fields(8).SetValue(QStringLiteral("user%1@example.com").arg(n));
      rs->Update();
    }
    database->CommitTrans();
  }
  QString line;
  for (int i = 0; i < 90; ++i)
    line += (i == 0    ? QStringLiteral("전체")
             : i <= 30 ? QStringLiteral("그룹%1").arg(i - 1)
                       : QString()) +
            u'|';
  QFile f(data.filePath("GroupName.txt"));
  f.open(QIODevice::WriteOnly);
  f.write(text::toCp949(line) + "\r\n");
  f.close();

  organiser::PhoneBookServices services;
  services.engine = &engine;
  QElapsedTimer t;
  std::vector<double> loads;
  std::unique_ptr<organiser::FrmTelephone> w;
  for (int i = 0; i < 5; ++i) {
    w.reset();
    t.start();
    w = std::make_unique<organiser::FrmTelephone>(services);
    w->Form_Load();
    w->show();
    QApplication::processEvents();
    loads.push_back(ms(t));
  }
  std::printf("window load (create, open, grid set-up, groups, first paint): %.2f ms\n",
              median(loads));

  // A keystroke: the box changes and the list is filled with that exact name.
  std::vector<double> keys;
  for (int i = 0; i < 300; ++i) {
    const QString name = names[size_t(gen.bounded(kContacts))];
    w->Text1->setText(name.left(2));
    t.restart();
    type(w->Text1->editor(), name[2]);
    keys.push_back(ms(t));
  }
  std::printf("search keystroke (name fill, %d contacts): median %.3f ms, max %.3f ms\n", kContacts,
              median(keys), *std::max_element(keys.begin(), keys.end()));
  std::vector<double> misses;
  for (int i = 0; i < 300; ++i) {
    w->Text1->setText(QString());
    t.restart();
    type(w->Text1->editor(), names[size_t(i)][0]); // one syllable: no contact has that name
    misses.push_back(ms(t));
  }
  std::printf("search keystroke, no match: median %.3f ms\n", median(misses));

  std::vector<double> groups, all;
  int groupSize = 0;
  for (int i = 0; i < 7; ++i) {
    w->Name_Last = 0;
    w->Grid_Group->setRow(1 + i);
    t.restart();
    w->Group_Load(w->Grid_Group->textMatrix(1 + i, 0));
    groups.push_back(ms(t));
    groupSize = w->Name_Last + 1;
    t.restart();
    w->Tel_Load();
    all.push_back(ms(t));
  }
  std::printf("group click (one group, %d contacts, list of 2001 rows): %.2f ms\n", groupSize,
              median(groups));
  std::printf("group click \"전체\" (all %d contacts): %.2f ms\n", kContacts, median(all));

  spreadsheet::AppOptions o;
  o.folder = [&data] { return data.path(); };
  o.canOpen = [] { return false; };
  com::ComPtr<com::IDispatch> sheetApp =
      com::ComPtr<com::IDispatch>::adopt(spreadsheet::newApplication(std::move(o)));
  t.restart();
  const auto r = organiser::exportContacts(sheetApp.get(), *w->Tel_Rs, organiser::fieldLabels());
  std::printf("export of %lld contacts to .xlsx: %.0f ms (%lld bytes)\n",
              static_cast<long long>(r.contacts), ms(t),
              static_cast<long long>(QFileInfo(r.file).size()));
  return 0;
}
