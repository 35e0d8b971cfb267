#include "organiser/main/launcher_store.h"

#include "platform/paths/data_folder.h"
#include "platform/text/atomic_file.h"
#include "platform/text/field_text.h"

#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLauncher, "dorrin.launcher")

namespace dorrin::organiser {

QString guideFile() {
  return paths::resolve(QString::fromUtf8(kGuidePath));
}

bool installUserGuide(QString *error) {
  const QString file = guideFile();
  // An empty guide is what a full disk once left behind: it is written anew.
  // A guide with content (perhaps the user's own) is left alone.
  const QFileInfo info(file);
  if (info.exists() && info.size() > 0) return true;
  if (!paths::ensureDataFolder()) {
    if (error) *error = QStringLiteral("the data folder cannot be created");
    return false;
  }
  QString why;
  if (!text::replaceFile(file, userGuideText().toUtf8(), &why)) {
    qCWarning(lcLauncher) << "cannot write the user guide" << file << ":" << why;
    if (error) *error = why;
    return false;
  }
  return true;
}

QString clipRecord(int slot, const QString &kind, const QString &path, const QString &caption) {
  // Kind and caption are written with "|" in its full-width form (a caption
  // from an older table may hold one), so a reader finds the path whole.
  return QString::fromLatin1(kClipTag) + u'|' + QString::number(slot) + u'|' +
         text::fieldText(kind, u"|") + u'|' + path + u'|' + text::fieldText(caption, u"|");
}

bool isClipRecord(const QString &text) {
  return text.contains(QLatin1String(kClipTag));
}

ClipFields parseClipRecord(const QString &text) {
  const QStringList f = text.split(u'|');
  ClipFields c;
  if (f.size() > 2) {
    c.kind = f[2];
    c.hasKind = true;
  }
  if (f.size() > 3) {
    c.path = f[3];
    c.hasPath = true;
  }
  if (f.size() > 4) {
    // Kind and caption never hold "|" (see clipRecord); a path may (a file
    // name may hold one): the caption is the last field and the path
    // everything between the kind and it.
    c.path = f.mid(3, f.size() - 4).join(u'|');
    c.caption = f.last();
    c.hasCaption = true;
  }
  return c;
}

LauncherStore::LauncherStore(std::function<db::Recordset *()> linkRs)
    : linkRs_(std::move(linkRs)) {}

db::Recordset *LauncherStore::rs() const {
  db::Recordset *r = linkRs_ ? linkRs_() : nullptr;
  return r && r->IsOpen() ? r : nullptr;
}

QString LauncherStore::lastError() const {
  db::Recordset *r = linkRs_ ? linkRs_() : nullptr;
  return r ? r->LastError() : QStringLiteral("the database is not open");
}

QString LauncherStore::Find_Key(int n) {
  return QStringLiteral("번호=") + QString::number(n);
}

void LauncherStore::setGuideSlot() {
  Item_Path[0] = guideFile();
  Item_Caption[0] = QString::fromUtf8(kGuideCaption);
}

void LauncherStore::load(const std::function<void(int, const QString &)> &show) {
  db::Recordset *r = rs();
  if (!r) return;
  r->MoveFirst();
  while (!r->Eof()) {
    // The slot number decides where every other field goes: a record
    // without a usable one is skipped whole rather than written over the
    // slot of the record before it.
    bool ok = false;
    const int n = r->Fields(0).IsNull() ? -1 : r->Fields(0).Value().trimmed().toInt(&ok);
    if (ok && valid(n)) {
      auto take = [&](int field, QString &into) {
        if (!r->Fields(field).IsNull()) into = r->Fields(field).Value();
      };
      take(1, Item_Kind[n]);
      take(2, Item_Caption[n]);
      take(3, Item_Path[n]);
      if (n < kSlotsUsed && show) show(n, r->Fields(2).Value());
    } else {
      qCInfo(lcLauncher) << "skipping a launcher record with slot" << r->Fields(0).Value();
    }
    if (!r->MoveNext()) break;
  }
}

bool LauncherStore::write(db::Recordset &r, int n, const QString &kind, const QString &caption,
                          const QString &path) {
  bool ok = r.Fields(0).SetValue(QString::number(n));
  ok = r.Fields(1).SetValue(kind) && ok;
  ok = r.Fields(2).SetValue(caption) && ok;
  ok = r.Fields(3).SetValue(path) && ok;
  // A record is stored even when a field was refused, as the engine leaves
  // a refused field Null; only the slot number must be right.
  return r.Update() && ok;
}

bool LauncherStore::Add(int n, const QString &kind, const QString &caption, const QString &path) {
  db::Recordset *r = rs();
  if (!r) return false;
  r->MoveLast();
  if (!r->AddNew()) return false;
  return write(*r, n, kind, caption, path);
}

bool LauncherStore::Replace(int n, const QString &kind, const QString &caption,
                            const QString &path) {
  db::Recordset *r = rs();
  if (!r) return false;
  r->MoveFirst();
  if (!r->FindFirst(Find_Key(n))) return Add(n, kind, caption, path);
  if (!r->Edit()) return false;
  const bool stored = write(*r, n, kind, caption, path);
  if (!r->MoveNext() || r->Eof()) r->MoveLast();
  return stored;
}

bool LauncherStore::Remove(int n) {
  db::Recordset *r = rs();
  if (!r) return false;
  r->MoveFirst();
  if (!r->FindFirst(Find_Key(n))) return false;
  r->Edit();
  const bool removed = r->Delete();
  if (!r->MoveNext() || r->Eof()) r->MoveLast();
  return removed;
}

bool LauncherStore::hasRecord(int n) {
  db::Recordset *r = rs();
  if (!r) return false;
  r->MoveFirst();
  return r->FindFirst(Find_Key(n));
}

QString LauncherStore::Clip_Record(int n) const {
  if (!valid(n)) return clipRecord(n, {}, {}, {});
  return clipRecord(n, Item_Kind[n], Item_Path[n], Item_Caption[n]);
}

} // namespace dorrin::organiser
