// Launcher load: the launcher part of the start-up with 600 entries on a
// real SQLite file — building the 20 lists and the link editor, the whole
// load sequence (Com_Load, Pan_Load, Com_List), Com_Load alone, listing
// all five pages, and the first paint of a page. Offscreen; prints
// milliseconds (median of a few runs).
#include "bench/bench_support.h"
#include "organiser/contracts/tables.h"
#include "organiser/main/frm_start.h"
#include "organiser/main/launcher_pages.h"
#include "platform/db/sqlite_engine.h"
#include "platform/forms/form.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/shell/testing/fake_shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace dorrin;
using bench::median;
using bench::ms;

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir data;
  qputenv("DORRIN_DATA_DIR", data.path().toUtf8());
  QApplication app(argc, argv);
  forms::installFontSubstitutes();

  db::SqliteEngine engine;
  auto database = engine.OpenDatabase(data.filePath("TessivoDorrin.mdb"), {db::launcherTable()});
  auto rs = database->OpenRecordset("Dorrin");
  database->BeginTrans();
  for (int n = 0; n < 600; ++n) {
    rs->AddNew();
    rs->Fields(0).SetValue(QString::number(n));
    rs->Fields(1).SetValue(n % 3 == 0 ? QStringLiteral("폴더") : QStringLiteral("파일"));
    rs->Fields(2).SetValue(QStringLiteral("항목 %1 바로가기").arg(n));
    rs->Fields(3).SetValue(QStringLiteral("/usr/share/doc/item%1").arg(n));
    rs->Update();
  }
  database->CommitTrans();

  std::vector<double> build, load, comLoad, list, paint;
  for (int run = 0; run < 5; ++run) {
    forms::testing::FakeDialogs dialogs;
    shell::testing::RecordingShell shell;
    shell::testing::FakeClipboard clipboard;
    organiser::FrmStart form{organiser::MainServices{&dialogs, nullptr, {}}};
    QElapsedTimer t;
    t.start();
    organiser::Launcher launcher{form, [&] { return rs.get(); }, shell, clipboard};
    build.push_back(ms(t));
    form.Form_Load();
    load.push_back(ms(t));
    launcher.Com_Load();
    comLoad.push_back(ms(t));
    for (int p = 0; p < 5; ++p)
      launcher.Com_List(p);
    list.push_back(ms(t));
    form.show();
    (void)form.grab();
    paint.push_back(ms(t));
  }
  std::printf("launcher with 600 entries (median of 5 runs, ms)\n");
  std::printf("  build 20 lists + link editor  %8.2f\n", median(build));
  std::printf("  Form_Load (Com_Load, Pan_Load, Com_List)  %8.2f\n", median(load));
  std::printf("  Com_Load alone                %8.2f\n", median(comLoad));
  std::printf("  Com_List of all five pages    %8.2f\n", median(list));
  std::printf("  show + first paint of page 0  %8.2f\n", median(paint));
  return 0;
}
