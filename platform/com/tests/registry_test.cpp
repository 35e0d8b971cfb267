#include "platform/com/registry.h"

#include "tests/support/temp_folder.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

namespace dorrin::com {
namespace {

class RegistryTest : public ::testing::Test {
protected:
  test::TempFolder dir;
  QString file = dir.file("registry.ini");
};

TEST_F(RegistryTest, StoresWindowsShapedKeysAndReadsThemBackFromTheFile) {
  const std::string clsid = "CLSID\\{E881B560-E2F4-101B-96E6-0020AF38F4BB}";
  {
    Registry reg(file);
    reg.setValue(clsid, "", "Zelomm Control");
    reg.setValue(clsid + "\\InprocServer32", "", "/opt/음악/libzelomm.so");
    reg.setValue(clsid + "\\InprocServer32", "ThreadingModel", "Apartment");
    reg.setValue(clsid + "\\MiscStatus\\1", "", "131473");
    reg.setValue("Odd\\Names", "a/b\\c", "1");
    reg.setValue("Odd\\Names", "@", "2");
    reg.setValue("Odd\\Names", "100%", "3");
    ASSERT_TRUE(reg.sync());
  }
  Registry reg(file);
  EXPECT_EQ(reg.value(clsid), "Zelomm Control");
  EXPECT_EQ(reg.value(clsid + "\\InprocServer32"), "/opt/음악/libzelomm.so");
  EXPECT_EQ(reg.value(clsid + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(reg.value(clsid + "\\MiscStatus\\1"), "131473");
  EXPECT_EQ(reg.value("Odd\\Names", "a/b\\c"), "1");
  EXPECT_EQ(reg.value("Odd\\Names", "@"), "2");
  EXPECT_EQ(reg.value("Odd\\Names", "100%"), "3");
  EXPECT_FALSE(reg.value("Odd\\Names")); // no default value was written
  EXPECT_EQ(reg.subKeys(clsid), (std::vector<std::string>{"InprocServer32", "MiscStatus"}));
  auto names = reg.valueNames(clsid + "\\InprocServer32");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"", "ThreadingModel"}));
}

TEST_F(RegistryTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  Registry reg(file);
  reg.setValue("ZELOMM.ZelommCtrl.1\\CLSID", "", "{X}");
  EXPECT_EQ(reg.value("zelomm.zelommctrl.1\\clsid"), "{X}");
  reg.setValue("zelomm.ZELOMMCTRL.1\\Clsid", "", "{Y}");
  EXPECT_EQ(reg.subKeys(""), (std::vector<std::string>{"ZELOMM.ZelommCtrl.1"}));
  EXPECT_EQ(reg.value("ZELOMM.ZelommCtrl.1\\CLSID"), "{Y}");
  EXPECT_TRUE(reg.keyExists("\\Zelomm.ZelommCtrl.1\\"));
}

TEST_F(RegistryTest, RemovingAKeyRemovesItsSubkeysOnly) {
  Registry reg(file);
  reg.setValue("CLSID\\{A}", "", "a");
  reg.setValue("CLSID\\{A}\\InprocServer32", "", "/a.so");
  reg.setValue("CLSID\\{B}", "", "b");
  EXPECT_TRUE(reg.removeKey("clsid\\{a}"));
  EXPECT_FALSE(reg.removeKey("CLSID\\{A}"));
  EXPECT_FALSE(reg.keyExists("CLSID\\{A}\\InprocServer32"));
  EXPECT_EQ(reg.value("CLSID\\{B}"), "b");
}

TEST_F(RegistryTest, HandWrittenEscapesReadBackWithoutHarm) {
  // Key and value names as a user or another tool may leave them in the
  // file: only "%" with two hex digits is an escape.
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[CLSID]\n%-4=a\n%4=c\n%zz=d\n%41%=f\n");
  }
  Registry reg(file);
  auto names = reg.valueNames("CLSID");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"%-4", "%4", "%zz", "A%"}));
}

TEST_F(RegistryTest, DefaultFileFollowsTheEnvironment) {
  const QByteArray saved = qgetenv("TESSIVO_REGISTRY"), xdg = qgetenv("XDG_CONFIG_HOME");
  qputenv("TESSIVO_REGISTRY", file.toUtf8());
  EXPECT_EQ(Registry::defaultFile(), file);
  qunsetenv("TESSIVO_REGISTRY");
  qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
  EXPECT_EQ(Registry::defaultFile(), dir.path() + "/Tessivo/registry.ini");
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_TRUE(Registry::defaultFile().endsWith("/.config/Tessivo/registry.ini"));
  qputenv("TESSIVO_REGISTRY", saved);
  if (!xdg.isEmpty()) qputenv("XDG_CONFIG_HOME", xdg);
  if (saved.isEmpty()) qunsetenv("TESSIVO_REGISTRY");
}

TEST_F(RegistryTest, ReportsAFileThatCannotBeWritten) {
  dir.write("blocker", "x"); // a file where the folder should be
  Registry reg(dir.file("blocker/registry.ini"));
  reg.setValue("CLSID\\{A}", "", "a");
  EXPECT_FALSE(reg.sync());
}

} // namespace
} // namespace dorrin::com
