#include "platform/forms/entry_checks.h"

#include "platform/forms/testing/fake_dialogs.h"

#include <gtest/gtest.h>

using namespace dorrin::forms;
using dorrin::forms::testing::FakeDialogs;

TEST(EntryChecks, RefusesTextTheFilesCannotHold) {
  FakeDialogs d;
  EXPECT_TRUE(acceptCp949(&d, QString::fromUtf8("회의 @ 3시 ｜")));
  EXPECT_TRUE(d.calls.empty());

  EXPECT_FALSE(acceptCp949(&d, QString::fromUtf8("생일 🎂 파티 🎂")));
  ASSERT_EQ(d.calls.size(), 1u);
  EXPECT_TRUE(d.calls[0].text.contains(QString::fromUtf8("🎂")));
  EXPECT_EQ(d.calls[0].text.count(QString::fromUtf8("🎂")), 1); // each character named once
  EXPECT_FALSE(acceptCp949(nullptr, QString::fromUtf8("🎂")));  // no dialogs: still refused
}

TEST(EntryChecks, EachFileFailureIsShownOnce) {
  resetSaveFailureReports();
  FakeDialogs d;
  reportSaveFailure(&d, "/data/timedata.txt", "Permission denied");
  reportSaveFailure(&d, "/data/timedata.txt", "Permission denied");
  reportSaveFailure(&d, "/data/GroupName.txt", "No space left on device");
  reportSaveFailure(&d, "/data/timedata.txt", "No space left on device");
  ASSERT_EQ(d.calls.size(), 2u);
  EXPECT_TRUE(d.calls[0].text.contains("/data/timedata.txt"));
  EXPECT_TRUE(d.calls[0].text.contains("Permission denied"));
  EXPECT_TRUE(d.calls[1].text.contains("GroupName.txt"));

  resetSaveFailureReports();
  reportSaveFailure(&d, "/data/timedata.txt", "again");
  EXPECT_EQ(d.calls.size(), 3u);
}
