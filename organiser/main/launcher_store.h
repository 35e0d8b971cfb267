#pragma once
// The launcher's entries: 600 numbered slots on five pages of four lists of
// 30 rows (slot = Mb * 30 + Mc), held in three parallel arrays and stored
// one record per occupied slot in the table "Dorrin" (0 "번호" slot,
// 1 kind, 2 caption, 3 path). Also the clipboard record that carries a cut
// entry to another slot.
#include "organiser/contracts/database.h"

#include <QString>
#include <array>
#include <functional>

namespace dorrin::organiser {

inline constexpr int kRowsPerGrid = 30;
inline constexpr int kLauncherGrids = 20;
inline constexpr int kSlotsUsed = kLauncherGrids * kRowsPerGrid; // 0..599
inline constexpr int kItemLast = 610;                            // arrays 0..610

inline constexpr int slotOf(int mb, int mc) {
  return mb * kRowsPerGrid + mc;
}

// Kind words.
inline const QString kKindFolder = QStringLiteral("폴더");
inline const QString kKindFile = QStringLiteral("파일");
inline const QString kKindWeb = QStringLiteral("웹");

// Slot 0 always holds the user guide.
inline constexpr const char *kGuidePath = "c:\\Program Files\\Tessivo\\Dorrin\\Dorrin사용법.txt";
inline constexpr const char *kGuideCaption = "Tessivo Dorrin 사용법";
// The guide in the data folder.
QString guideFile();
// Writes the shipped guide into the data folder when it is not there yet
// (or is empty); a guide with content (perhaps edited by the user) is left
// alone. False with the reason in *error when it cannot be written.
bool installUserGuide(QString *error = nullptr);
// The guide's text as shipped.
QString userGuideText();

// The clipboard record of a cut entry:
// "tessivodorrin|<slot>|<kind>|<path>|<caption>".
inline constexpr const char *kClipTag = "tessivodorrin";
QString clipRecord(int slot, const QString &kind, const QString &path, const QString &caption);
// A clipboard text is taken as a record when it contains the tag anywhere.
bool isClipRecord(const QString &text);
// Fields 2, 3 and 4 of a record split at "|"; a field the text lacks stays
// null. With more than five fields the caption is the last one and the
// path runs from field 3 to the one before it (a path may hold "|").
struct ClipFields {
  QString kind, path, caption;
  bool hasKind = false, hasPath = false, hasCaption = false;
};
ClipFields parseClipRecord(const QString &text);

class LauncherStore {
public:
  // The recordset is opened after the store exists and may be replaced on
  // the next load: it is always fetched through the function. Null or
  // closed means no database (memory only).
  explicit LauncherStore(std::function<db::Recordset *()> linkRs);

  std::array<QString, kItemLast + 1> Item_Caption, Item_Path, Item_Kind;

  // An entry is occupied when its path is not empty.
  bool occupied(int n) const { return valid(n) && !Item_Path[n].isEmpty(); }
  static bool valid(int n) { return n >= 0 && n <= kItemLast; }

  // Reads every record into the arrays in table order (a later record of
  // the same slot wins) and reports each slot it filled, with the record's
  // caption, to show (the pages put it into their grid). A record without a
  // usable slot number is skipped; a Null text field leaves that field of
  // the arrays as it was.
  void load(const std::function<void(int slot, const QString &caption)> &show);
  // Slot 0 = the user guide, in memory only.
  void setGuideSlot();

  // Record operations; true when the table was changed.
  // Add: appends a record for slot n.
  bool Add(int n, const QString &kind, const QString &caption, const QString &path);
  // Replace: rewrites the first record of slot n; when the slot has none
  // (an entry shown from memory only) one is added, so what the user sees
  // is what is stored.
  bool Replace(int n, const QString &kind, const QString &caption, const QString &path);
  // Remove: deletes the first record of slot n.
  bool Remove(int n);
  // Whether the table holds a record for slot n.
  bool hasRecord(int n);
  static QString Find_Key(int n);
  // Why the last change of the table failed, for the user.
  QString lastError() const;

  QString Clip_Record(int n) const;

private:
  db::Recordset *rs() const;
  bool write(db::Recordset &rs, int n, const QString &kind, const QString &caption,
             const QString &path);

  std::function<db::Recordset *()> linkRs_;
};

} // namespace dorrin::organiser
