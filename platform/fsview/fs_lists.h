#pragma once
// The file-system lists of the forms, on the real file system:
// - DriveListBox: the places a folder walk starts from. Linux has no drive
//   letters; its "drives" are the file-system roots the user can reach:
//   "/", the home folder and mounted volumes (USB sticks, disks, network
//   shares), not the system's pseudo file systems.
// - DirListBox: the folder list. It shows the current folder's ancestors
//   from the root down, the current folder, and the folders in it; a
//   double-click (or Enter) on one makes it the current folder. Path
//   changes (by the user or by code) raise change(); a path that is empty,
//   missing or unreadable is refused and the list stays where it was.
// - FileListBox: the files of one folder (hidden ones left out), with the
//   selected file's name; a double-click raises dblClick().
#include "platform/forms/control.h"

#include <QString>
#include <vector>

class QComboBox;
class QListWidget;

namespace dorrin::fsview {

struct Drive {
  QString path;  // the root folder
  QString label; // what the list shows
};
// Whether a mounted file system at root with type fsType is a place the
// user keeps files (a disk, a stick, a share), not a system mount.
bool isUserVolume(const QString &root, const QByteArray &fsType);
// "/", the home folder, then the user volumes, each once, all readable.
std::vector<Drive> reachableDrives();
// The last part of a folder path ("" for the root): "/home/kim" -> "kim".
QString lastPart(const QString &folder);
// folder and name joined by one "/".
QString joinPath(const QString &folder, const QString &name);

class DriveListBox : public forms::Control {
  Q_OBJECT
public:
  // The volumes are read when the box is first shown or asked (reading them
  // and their icons is slow for a window that starts with the box hidden).
  explicit DriveListBox(QWidget *parent = nullptr);
  // Re-reads the mounted volumes; keeps the chosen drive when it is still there.
  void refresh();
  int listCount() const;
  QString list(int i) const; // a drive's path
  // The chosen drive's path ("" when none).
  QString drive() const;
  // Chooses the drive whose path this is (or that holds it); raises change()
  // when the choice changes. False when no drive holds the path.
  bool setDrive(const QString &path);
  QComboBox *box() const {
    ensureFilled();
    return box_;
  }

signals:
  void change();

protected:
  void resizeEvent(QResizeEvent *e) override;
  void showEvent(QShowEvent *e) override;

private:
  void ensureFilled() const;

  QComboBox *box_;
  bool quiet_ = false;
  bool filled_ = false;
};

// The folder and file lists read their folder when first shown or asked,
// as the drive list does.
class DirListBox : public forms::Control {
  Q_OBJECT
public:
  explicit DirListBox(QWidget *parent = nullptr);
  QString path() const { return path_; }
  // Makes folder the current one; true when it is (already or now). A
  // change of folder raises change().
  bool setPath(const QString &folder);
  // Rows: ancestors and the current folder first, then its folders.
  int listCount() const;
  QString itemPath(int row) const;
  int currentRow() const; // the row of the current folder
  QListWidget *listWidget() const {
    ensureFilled();
    return list_;
  }

signals:
  void change();

protected:
  void resizeEvent(QResizeEvent *e) override;
  void showEvent(QShowEvent *e) override;

private:
  void fill();
  void ensureFilled() const;
  QListWidget *list_;
  QString path_;
  int current_ = -1;
  bool stale_ = false; // path_ changed since the list was filled
};

class FileListBox : public forms::Control {
  Q_OBJECT
public:
  explicit FileListBox(QWidget *parent = nullptr);
  QString path() const { return path_; }
  // Lists folder's files; the same folder again keeps the list and its
  // selection. False (and no change) for a folder that cannot be read.
  bool setPath(const QString &folder);
  // Re-reads the current folder.
  void refresh();
  int listCount() const;
  QString list(int i) const;
  int listIndex() const;
  bool setListIndex(int i);
  // The selected file's name ("" when none).
  QString fileName() const;
  QListWidget *listWidget() const {
    ensureFilled();
    return list_;
  }

protected:
  void resizeEvent(QResizeEvent *e) override;
  void showEvent(QShowEvent *e) override;

private:
  void ensureFilled() const;
  QListWidget *list_;
  QString path_;
  bool stale_ = false; // path_ changed since the list was filled
};

} // namespace dorrin::fsview
