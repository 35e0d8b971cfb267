#include "organiser/main/launcher_store.h"
#include "organiser/main/tests/link_table.h"
#include "platform/paths/data_folder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;
using linktest::LinkRecord;
using linktest::rec;

namespace {

QString u(const char *s) {
  return QString::fromUtf8(s);
}

struct StoreFixture : ::testing::Test {
  linktest::LinkTable table;
  LauncherStore store{[this] { return table.recordset(); }};
  std::vector<std::pair<int, QString>> shown;
  void load() {
    store.load([this](int n, const QString &c) { shown.emplace_back(n, c); });
  }
};

} // namespace

TEST_F(StoreFixture, LoadTakesRecordsInTableOrderAndSkipsBadOnes) {
  table.insert(5, u("파일"), u("먼저"), u("/a.txt"));
  table.insert({u("7"), u("폴더"), u("일곱"), u("/seven")});
  table.insert({std::nullopt, u("웹"), u("번호 없음"), u("http://nowhere")}); // no slot
  table.insert(5, u("웹"), u("나중"), u("http://b"));                         // the same slot again
  table.insert(700, u("파일"), u("너무 큼"), u("/big"));                      // beyond the arrays
  table.insert(605, u("파일"), u("쓰지 않는 칸"), u("/605"));                 // arrays only
  table.insert({u("7"), std::nullopt, std::nullopt, u("/seven/new")});        // Null texts
  table.insert(-3, u("파일"), u("음수"), u("/neg"));
  load();

  EXPECT_EQ(store.Item_Caption[5], u("나중"));
  EXPECT_EQ(store.Item_Path[5], u("http://b"));
  EXPECT_EQ(store.Item_Kind[5], u("웹"));
  // Null fields leave what the earlier record of slot 7 put there.
  EXPECT_EQ(store.Item_Kind[7], u("폴더"));
  EXPECT_EQ(store.Item_Caption[7], u("일곱"));
  EXPECT_EQ(store.Item_Path[7], u("/seven/new"));
  EXPECT_EQ(store.Item_Path[605], u("/605"));
  for (int n = 0; n <= kItemLast; ++n)
    if (n != 5 && n != 7 && n != 605) {
      EXPECT_TRUE(store.Item_Path[n].isEmpty()) << n;
    }
  const std::vector<std::pair<int, QString>> expected = {
      {5, u("먼저")}, {7, u("일곱")}, {5, u("나중")}, {7, QString()}};
  EXPECT_EQ(shown, expected);
}

TEST_F(StoreFixture, ReplaceAndRemoveTouchOnlyTheFirstRecordOfASlot) {
  table.insert(5, u("파일"), u("첫째"), u("/1"));
  table.insert(6, u("파일"), u("다른 칸"), u("/6"));
  table.insert(5, u("파일"), u("둘째"), u("/2"));
  EXPECT_EQ(LauncherStore::Find_Key(5), u("번호=5"));

  EXPECT_TRUE(store.Replace(5, u("웹"), u("바뀜"), u("http://x")));
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{rec(5, "웹", "바뀜", "http://x"),
                                                      rec(6, "파일", "다른 칸", "/6"),
                                                      rec(5, "파일", "둘째", "/2")}));
  EXPECT_TRUE(store.Remove(5));
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{rec(6, "파일", "다른 칸", "/6"),
                                                      rec(5, "파일", "둘째", "/2")}));
  EXPECT_TRUE(store.Remove(5));
  EXPECT_FALSE(store.Remove(5)); // nothing left to remove
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{rec(6, "파일", "다른 칸", "/6")}));
}

TEST_F(StoreFixture, ChangesSurviveReopeningTheDatabase) {
  EXPECT_TRUE(store.Add(12, u("파일"), u("메모장"), u("/usr/bin/gedit")));
  EXPECT_TRUE(store.Add(599, u("폴더"), u("폴더: 사진"), u("/home/kim/사진")));
  EXPECT_TRUE(store.Add(30, u("웹"), u("웹: 네이버"), u("http://www.naver.com")));
  EXPECT_TRUE(store.Replace(599, u("폴더"), u("사진들"), u("/home/kim/사진")));
  EXPECT_TRUE(store.Remove(12));
  // A slot shown from memory only (no record) is stored by Replace.
  EXPECT_TRUE(store.Replace(44, u("파일"), u("기억만"), u("/only/in/memory")));
  EXPECT_TRUE(store.hasRecord(44));
  EXPECT_FALSE(store.hasRecord(12));

  table.close();
  table.open();
  LauncherStore fresh{[this] { return table.recordset(); }};
  fresh.load({});
  EXPECT_TRUE(fresh.Item_Path[12].isEmpty());
  EXPECT_EQ(fresh.Item_Caption[599], u("사진들"));
  EXPECT_EQ(fresh.Item_Path[30], u("http://www.naver.com"));
  EXPECT_EQ(fresh.Item_Kind[30], u("웹"));
  EXPECT_EQ(fresh.Item_Path[44], u("/only/in/memory"));
  EXPECT_EQ(table.records().size(), 3u);
}

TEST(LauncherStore, WithoutADatabaseEverythingIsMemoryOnly) {
  for (auto source : {std::function<db::Recordset *()>{},
                      std::function<db::Recordset *()>([] { return nullptr; })}) {
    LauncherStore store{source};
    store.load([](int, const QString &) { ADD_FAILURE() << "nothing to show"; });
    EXPECT_FALSE(store.Add(1, u("파일"), u("a"), u("/a")));
    EXPECT_FALSE(store.Replace(1, u("파일"), u("a"), u("/a")));
    EXPECT_FALSE(store.Remove(1));
  }
  auto closed = db::closedRecordset();
  LauncherStore store{[&] { return closed.get(); }};
  EXPECT_FALSE(store.Add(1, u("파일"), u("a"), u("/a")));
}

TEST(ClipRecord, FormatAndFields) {
  EXPECT_EQ(clipRecord(5, u("파일"), u("c:\\a.txt"), u("a")),
            u("tessivodorrin|5|파일|c:\\a.txt|a"));
  struct Case {
    const char *text;
    bool record;
    int fields; // how many of kind, path, caption are there
    const char *kind, *path, *caption;
  } cases[] = {
      {"tessivodorrin|5|파일|/a.txt|a", true, 3, "파일", "/a.txt", "a"},
      // Only a path may hold "|": the caption is the last field.
      {"tessivodorrin|5|파일|/a|b.txt|a", true, 3, "파일", "/a|b.txt", "a"},
      {"tessivodorrin|5|파일|/a.txt|a|b|c", true, 3, "파일", "/a.txt|a|b", "c"},
      {"tessivodorrin|5|웹|http://x", true, 2, "웹", "http://x", ""},
      {"tessivodorrin|5|폴더", true, 1, "폴더", "", ""},
      {"see tessivodorrin here", true, 0, "", "", ""},
      {"xtessivodorrinx|1|k|p|c", true, 3, "k", "p", "c"},
      {"TessivoDorrin|1|k|p|c", false, 3, "k", "p", "c"}, // the tag is matched exactly
      {"", false, 0, "", "", ""},
  };
  for (const auto &c : cases) {
    const QString t = u(c.text);
    EXPECT_EQ(isClipRecord(t), c.record) << c.text;
    const ClipFields f = parseClipRecord(t);
    EXPECT_EQ(f.hasKind, c.fields >= 1) << c.text;
    EXPECT_EQ(f.hasPath, c.fields >= 2) << c.text;
    EXPECT_EQ(f.hasCaption, c.fields >= 3) << c.text;
    EXPECT_EQ(f.kind, u(c.kind)) << c.text;
    EXPECT_EQ(f.path, u(c.path)) << c.text;
    EXPECT_EQ(f.caption, u(c.caption)) << c.text;
  }
  LauncherStore store{{}};
  store.Item_Kind[9] = u("파일");
  store.Item_Path[9] = u("/x|y");
  store.Item_Caption[9] = u("x");
  EXPECT_EQ(store.Clip_Record(9), u("tessivodorrin|9|파일|/x|y|x"));
  // A record carries any entry whole: "|" in the path stays, one in a
  // caption or kind (from an older table) shows in its full-width form.
  store.Item_Kind[9] = u("파|일");
  store.Item_Path[9] = u("/a|b/c||d|");
  store.Item_Caption[9] = u("x|y|");
  const ClipFields back = parseClipRecord(store.Clip_Record(9));
  EXPECT_EQ(back.kind, u("파｜일"));
  EXPECT_EQ(back.path, u("/a|b/c||d|"));
  EXPECT_EQ(back.caption, u("x｜y｜"));
}

TEST(UserGuide, InstalledOnceAndNeverOverwritten) {
  const QString file = guideFile();
  EXPECT_EQ(file, paths::resolve(u("Dorrin사용법.txt")));
  QFile::remove(file);
  ASSERT_TRUE(installUserGuide());
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(f.readAll());
  f.close();
  EXPECT_EQ(text, userGuideText());
  for (const char *topic : {"팝업 메뉴", "주간 계획", "알람", "전화번호부", "F11", "F10",
                            "알림 영역", "--show", "--hide", "--toggle"})
    EXPECT_TRUE(text.contains(u(topic))) << topic;
  // A guide the user has edited stays.
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("my notes");
  f.close();
  EXPECT_TRUE(installUserGuide());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("my notes"));
  f.close();
  // An empty guide (left by an old failed write) is written anew.
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.close();
  EXPECT_TRUE(installUserGuide());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(f.readAll()), userGuideText());
  f.close();

  LauncherStore store{{}};
  store.setGuideSlot();
  EXPECT_EQ(store.Item_Caption[0], u("Tessivo Dorrin 사용법"));
  EXPECT_EQ(store.Item_Path[0], file);
}
