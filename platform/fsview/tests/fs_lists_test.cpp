#include "platform/fsview/fs_lists.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace dorrin::fsview;

TEST(FsLists, UserVolumesLeaveOutTheSystemsMounts) {
  struct Case {
    const char *root;
    const char *type;
    bool user;
  } cases[] = {
      {"/", "ext4", true},
      {"/media/kim/USB", "vfat", true},
      {"/run/media/kim/DISK", "exfat", true},
      {"/mnt/share", "cifs", true},
      {"/home", "btrfs", true},
      {"/work", "ext4", true},
      {"/proc", "proc", false},
      {"/sys/fs/cgroup/cpu", "cgroup", false},
      {"/dev/shm", "tmpfs", false},
      {"/run/user/1000", "tmpfs", false},
      {"/run/lock", "ext4", false},
      {"/boot/efi", "vfat", false},
      {"/snap/core/1", "squashfs", false},
      {"/etc/hosts", "ext4", false},
  };
  for (const auto &c : cases)
    EXPECT_EQ(isUserVolume(QString::fromLatin1(c.root), c.type), c.user) << c.root;
}

TEST(FsLists, PathParts) {
  EXPECT_EQ(lastPart("/home/kim"), "kim");
  EXPECT_EQ(lastPart("/"), "");
  EXPECT_EQ(joinPath("/", "a.txt"), "/a.txt");
  EXPECT_EQ(joinPath("/home/kim", "a.txt"), "/home/kim/a.txt");
}

TEST(FsLists, DrivesStartAtTheRootAndTheHomeFolder) {
  const auto drives = reachableDrives();
  ASSERT_GE(drives.size(), 1u);
  EXPECT_EQ(drives[0].path, "/");
  DriveListBox box;
  EXPECT_EQ(box.drive(), "/");
  QSignalSpy changes(&box, &DriveListBox::change);
  EXPECT_TRUE(box.setDrive(QDir::homePath() + "/anything"));
  // The home folder is a drive of its own unless it is the root itself.
  EXPECT_EQ(box.drive(), QDir::homePath() == "/" ? QString("/") : QDir::homePath());
  EXPECT_EQ(changes.count(), QDir::homePath() == "/" ? 0 : 1);
}

TEST(FsLists, FolderListWalksTheRealFolders) {
  dorrin::test::TempFolder tmp;
  QDir(tmp.path()).mkpath("사진/2024");
  QDir(tmp.path()).mkpath("문서");
  QDir(tmp.path()).mkpath(".hidden");
  tmp.write("a.txt", "a");

  DirListBox dirs;
  QSignalSpy changes(&dirs, &DirListBox::change);
  EXPECT_TRUE(dirs.setPath(tmp.path() + "/"));
  EXPECT_EQ(dirs.path(), tmp.path());
  EXPECT_EQ(changes.count(), 1);
  EXPECT_TRUE(dirs.setPath(tmp.path())); // the same folder: no change
  EXPECT_EQ(changes.count(), 1);
  // Refused: nothing moves.
  EXPECT_FALSE(dirs.setPath(QString()));
  EXPECT_FALSE(dirs.setPath(tmp.file("missing")));
  EXPECT_FALSE(dirs.setPath(tmp.file("a.txt")));
  EXPECT_EQ(dirs.path(), tmp.path());
  EXPECT_EQ(changes.count(), 1);

  // Rows: "/" .. the current folder, then its folders without the hidden one.
  const int cur = dirs.currentRow();
  EXPECT_EQ(dirs.itemPath(0), "/");
  EXPECT_EQ(dirs.itemPath(cur), tmp.path());
  ASSERT_EQ(dirs.listCount(), cur + 3);
  QStringList children{dirs.itemPath(cur + 1), dirs.itemPath(cur + 2)};
  children.sort();
  EXPECT_EQ(children, (QStringList{tmp.file("문서"), tmp.file("사진")}));

  // Activating a row (double-click, Enter) opens it.
  emit dirs.listWidget()->itemActivated(dirs.listWidget()->item(cur + 1));
  EXPECT_EQ(dirs.path(), dirs.itemPath(dirs.currentRow()));
  EXPECT_EQ(changes.count(), 2);
}

TEST(FsLists, FileListKeepsItsSelectionForTheSameFolder) {
  dorrin::test::TempFolder tmp;
  tmp.write("b.txt", "b");
  tmp.write("가.txt", "k");
  tmp.write(".secret", "s");
  QDir(tmp.path()).mkdir("sub");

  FileListBox files;
  EXPECT_TRUE(files.setPath(tmp.path()));
  ASSERT_EQ(files.listCount(), 2);
  EXPECT_EQ(files.fileName(), "");
  const int k = files.list(0) == "가.txt" ? 0 : 1;
  ASSERT_TRUE(files.setListIndex(k));
  EXPECT_TRUE(files.setPath(tmp.path()));
  EXPECT_EQ(files.fileName(), "가.txt");
  EXPECT_FALSE(files.setPath(tmp.file("none")));
  EXPECT_EQ(files.path(), tmp.path());
}
