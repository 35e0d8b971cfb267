#include "platform/fsview/fs_lists.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QLoggingCategory>
#include <QSet>
#include <QStorageInfo>
#include <QStyle>

Q_LOGGING_CATEGORY(lcFsView, "dorrin.fsview")

namespace dorrin::fsview {

namespace {

constexpr int kPathRole = Qt::UserRole;

bool reachable(const QString &folder) {
  const QFileInfo fi(folder);
  return fi.isDir() && fi.isReadable() && fi.isExecutable();
}

QString normalFolder(const QString &folder) {
  if (folder.trimmed().isEmpty()) return {};
  return QDir::cleanPath(QDir(folder).absolutePath());
}

QIcon icon(QStyle::StandardPixmap which) {
  return QApplication::style()->standardIcon(which);
}

// Small icons of one size, whatever the style's own sizes are.
void smallIcons(QAbstractItemView *view) {
  const int side = view->style()->pixelMetric(QStyle::PM_SmallIconSize);
  view->setIconSize(QSize(side, side));
}

} // namespace

bool isUserVolume(const QString &root, const QByteArray &fsType) {
  static const QSet<QByteArray> pseudo = {
      "proc",       "sysfs",           "devtmpfs",    "devpts",        "tmpfs",   "ramfs",
      "mqueue",     "debugfs",         "tracefs",     "securityfs",    "pstore",  "bpf",
      "configfs",   "fusectl",         "hugetlbfs",   "binfmt_misc",   "nsfs",    "efivarfs",
      "rpc_pipefs", "selinuxfs",       "autofs",      "squashfs",      "overlay", "cgroup",
      "cgroup2",    "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse", "nfsd",    "none"};
  if (pseudo.contains(fsType) || fsType.startsWith("cgroup")) return false;
  if (root == QLatin1String("/")) return true;
  // Removable media are mounted under /run/media or /media; the rest of
  // these folders belong to the system.
  if (root.startsWith(QLatin1String("/run/media/")) || root.startsWith(QLatin1String("/media/")))
    return true;
  static const char *system[] = {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var",
                                 "/etc",  "/usr", "/tmp", "/opt", "/srv",  "/lib",  "/bin"};
  for (const char *s : system) {
    const QString p = QString::fromLatin1(s);
    if (root == p || root.startsWith(p + u'/')) return false;
  }
  return true;
}

std::vector<Drive> reachableDrives() {
  std::vector<Drive> drives;
  QSet<QString> seen;
  auto add = [&](const QString &path, const QString &label) {
    const QString p = normalFolder(path);
    if (p.isEmpty() || seen.contains(p) || !reachable(p)) return;
    seen.insert(p);
    drives.push_back(
        {p, label.isEmpty() || label == p ? p : p + QStringLiteral("  [") + label + u']'});
  };
  add(QDir::rootPath(), {});
  add(QDir::homePath(), QStringLiteral("홈 폴더"));
  QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo &a, const QStorageInfo &b) {
    return a.rootPath() < b.rootPath();
  });
  for (const QStorageInfo &v : volumes) {
    if (!v.isValid() || !v.isReady() || !isUserVolume(v.rootPath(), v.fileSystemType())) continue;
    add(v.rootPath(), v.name());
  }
  return drives;
}

QString lastPart(const QString &folder) {
  const qsizetype slash = folder.lastIndexOf(u'/');
  return slash < 0 ? folder : folder.mid(slash + 1);
}

QString joinPath(const QString &folder, const QString &name) {
  if (folder.isEmpty()) return name;
  return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// ------------------------------------------------------------ DriveListBox

DriveListBox::DriveListBox(QWidget *parent) : Control(parent), box_(new QComboBox(this)) {
  box_->setEditable(false);
  setFocusProxy(box_);
  Control::setBackColor(forms::rgb(255, 255, 255));
  connect(box_, &QComboBox::currentIndexChanged, this, [this] {
    if (!quiet_) emit change();
  });
}

void DriveListBox::ensureFilled() const {
  if (!filled_) const_cast<DriveListBox *>(this)->refresh();
}

void DriveListBox::showEvent(QShowEvent *e) {
  ensureFilled();
  Control::showEvent(e);
}

void DriveListBox::refresh() {
  filled_ = true;
  const QString keep = box_->currentData(kPathRole).toString();
  quiet_ = true;
  box_->clear();
  for (const Drive &d : reachableDrives())
    box_->addItem(icon(QStyle::SP_DriveHDIcon), d.label, d.path);
  const int i = box_->findData(keep.isEmpty() ? QDir::rootPath() : keep);
  box_->setCurrentIndex(i < 0 ? 0 : i);
  quiet_ = false;
}

int DriveListBox::listCount() const {
  ensureFilled();
  return box_->count();
}

QString DriveListBox::list(int i) const {
  ensureFilled();
  return i >= 0 && i < box_->count() ? box_->itemData(i, kPathRole).toString() : QString();
}

QString DriveListBox::drive() const {
  ensureFilled();
  return box_->currentData(kPathRole).toString();
}

bool DriveListBox::setDrive(const QString &pathIn) {
  ensureFilled();
  const QString path = normalFolder(pathIn);
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < box_->count(); ++i) {
    const QString d = list(i);
    const bool holds = path == d || path.startsWith(d.endsWith(u'/') ? d : d + u'/');
    if (holds && d.size() > bestLength) {
      best = i;
      bestLength = d.size();
    }
  }
  if (best < 0) return false;
  box_->setCurrentIndex(best); // raises change() when it moved
  return true;
}

void DriveListBox::resizeEvent(QResizeEvent *e) {
  box_->setGeometry(rect());
  Control::resizeEvent(e);
}

// ------------------------------------------------------------ DirListBox

DirListBox::DirListBox(QWidget *parent) : Control(parent), list_(new QListWidget(this)) {
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  smallIcons(list_);
  setFocusProxy(list_);
  Control::setBackColor(forms::rgb(255, 255, 255));
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem *item) { setPath(item->data(kPathRole).toString()); });
}

bool DirListBox::setPath(const QString &folderIn) {
  const QString folder = normalFolder(folderIn);
  if (folder.isEmpty() || !reachable(folder)) {
    qCInfo(lcFsView) << "folder list: cannot show" << folderIn;
    return false;
  }
  if (folder == path_) return true;
  path_ = folder;
  stale_ = true;
  if (isVisible()) fill();
  emit change();
  return true;
}

void DirListBox::ensureFilled() const {
  if (stale_) const_cast<DirListBox *>(this)->fill();
}

void DirListBox::showEvent(QShowEvent *e) {
  ensureFilled();
  Control::showEvent(e);
}

void DirListBox::fill() {
  stale_ = false;
  list_->clear();
  // Ancestors from the root down to the current folder, each indented one
  // step more, then the folders inside it.
  QStringList chain;
  for (QString p = path_;; p = QFileInfo(p).path()) {
    chain.prepend(p);
    if (p == QDir::rootPath() || QFileInfo(p).path() == p) break;
  }
  int depth = 0;
  for (const QString &p : chain) {
    auto *item =
        new QListWidgetItem(icon(QStyle::SP_DirOpenIcon),
                            QString(depth * 2, u' ') + (p == QDir::rootPath() ? p : lastPart(p)));
    item->setData(kPathRole, p);
    list_->addItem(item);
    ++depth;
  }
  current_ = list_->count() - 1;
  const QStringList children = QDir(path_).entryList(
      QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
  for (const QString &name : children) {
    auto *item = new QListWidgetItem(icon(QStyle::SP_DirIcon), QString(depth * 2, u' ') + name);
    item->setData(kPathRole, joinPath(path_, name));
    list_->addItem(item);
  }
  list_->setCurrentRow(current_);
}

int DirListBox::listCount() const {
  ensureFilled();
  return list_->count();
}

QString DirListBox::itemPath(int row) const {
  ensureFilled();
  const QListWidgetItem *item = list_->item(row);
  return item ? item->data(kPathRole).toString() : QString();
}

int DirListBox::currentRow() const {
  ensureFilled();
  return current_;
}

void DirListBox::resizeEvent(QResizeEvent *e) {
  list_->setGeometry(rect());
  Control::resizeEvent(e);
}

// ------------------------------------------------------------ FileListBox

FileListBox::FileListBox(QWidget *parent) : Control(parent), list_(new QListWidget(this)) {
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  smallIcons(list_);
  setFocusProxy(list_);
  Control::setBackColor(forms::rgb(255, 255, 255));
  connect(list_, &QListWidget::itemActivated, this, [this] { emit dblClick(); });
}

bool FileListBox::setPath(const QString &folderIn) {
  const QString folder = normalFolder(folderIn);
  if (folder.isEmpty() || !reachable(folder)) {
    qCInfo(lcFsView) << "file list: cannot show" << folderIn;
    return false;
  }
  if (folder == path_) return true;
  path_ = folder;
  stale_ = true;
  if (isVisible()) refresh();
  return true;
}

void FileListBox::ensureFilled() const {
  if (stale_) const_cast<FileListBox *>(this)->refresh();
}

void FileListBox::showEvent(QShowEvent *e) {
  ensureFilled();
  Control::showEvent(e);
}

void FileListBox::refresh() {
  stale_ = false;
  list_->clear();
  if (path_.isEmpty()) return;
  const QStringList files =
      QDir(path_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
  for (const QString &name : files)
    list_->addItem(new QListWidgetItem(icon(QStyle::SP_FileIcon), name));
}

int FileListBox::listCount() const {
  ensureFilled();
  return list_->count();
}

QString FileListBox::list(int i) const {
  ensureFilled();
  const QListWidgetItem *item = list_->item(i);
  return item ? item->text() : QString();
}

int FileListBox::listIndex() const {
  ensureFilled();
  const auto sel = list_->selectedItems();
  return sel.isEmpty() ? -1 : list_->row(sel.first());
}

bool FileListBox::setListIndex(int i) {
  ensureFilled();
  if (i < -1 || i >= list_->count()) return false;
  if (i < 0)
    list_->clearSelection();
  else
    list_->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
  return true;
}

QString FileListBox::fileName() const {
  const int i = listIndex();
  return i < 0 ? QString() : list(i);
}

void FileListBox::resizeEvent(QResizeEvent *e) {
  list_->setGeometry(rect());
  Control::resizeEvent(e);
}

} // namespace dorrin::fsview
