#include "platform/paths/data_folder.h"

#include <gtest/gtest.h>

using dorrin::paths::dataFolder;
using dorrin::paths::resolve;

TEST(DataFolder, MapsInstallPathsIntoTheDataFolder) {
  qputenv("DORRIN_DATA_DIR", "/tmp/dorrin-x");
  struct Case {
    const char *in;
    QString out;
  } cases[] = {
      {"c:\\Program Files\\Tessivo\\Dorrin\\dorrat.txt", "/tmp/dorrin-x/dorrat.txt"},
      {"C:\\PROGRAM FILES\\tessivo\\dorrin\\TessivoWeek.mdb", "/tmp/dorrin-x/TessivoWeek.mdb"},
      {"c:/Program Files/Tessivo/Dorrin/sub/a.txt", "/tmp/dorrin-x/sub/a.txt"},
      {"c:\\Program Files\\Tessivo\\Dorrin", "/tmp/dorrin-x"},
      {"음1.wav", "/tmp/dorrin-x/음1.wav"},
      {"/home/u/file.txt", "/home/u/file.txt"},
      {"d:\\other\\x.txt", "d:\\other\\x.txt"},
  };
  for (const auto &c : cases) EXPECT_EQ(resolve(QString::fromUtf8(c.in)), c.out) << c.in;
}

TEST(DataFolder, FollowsXdgWhenNotOverridden) {
  qunsetenv("DORRIN_DATA_DIR");
  qputenv("XDG_DATA_HOME", "/tmp/xdg");
  EXPECT_EQ(dataFolder(), "/tmp/xdg/Tessivo/Dorrin");
  qunsetenv("XDG_DATA_HOME");
  EXPECT_TRUE(dataFolder().endsWith("/.local/share/Tessivo/Dorrin"));
}
