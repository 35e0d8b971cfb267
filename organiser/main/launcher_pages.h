#pragma once
// The launcher as the user sees it on pages 0 to 4 of the main window: four
// coloured lists of 30 slots per page, the pop-up menu of a right press
// (link a file or folder, link a web address, cut, paste, cancel), the link
// editor, moving entries through the clipboard, and running an entry with a
// double-click.
//
// Constructing a Launcher installs the main window's launcher procedures
// (Com_Load, Set_Guide_Slot, DirBox_Reset, Pan_Load, Com_List) as its
// hooks; destroying it removes them. Destroy it before the form (it is no
// child of the form; its controls are).
#include "organiser/contracts/database.h"
#include "organiser/main/frm_start.h"
#include "organiser/main/launcher_store.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

namespace dorrin::forms {
class FlexGrid;
class KtCommand;
} // namespace dorrin::forms
namespace dorrin::shell {
class Shell;
class Clipboard;
} // namespace dorrin::shell

namespace dorrin::organiser {

class LinkEditor;

// Captions of the pop-up buttons Com(0..4); the handler picks the command
// by the pressed button's caption.
inline const QString kComLink = QStringLiteral("  파일 폴더 연결");
inline const QString kComWeb = QStringLiteral("  Web 연결");
inline const QString kComCut = QStringLiteral("  이동,삭제");
inline const QString kComPaste = QStringLiteral("  붙이기");
inline const QString kComCancel = QStringLiteral("  취소");
// What a paste of a clipboard text that is no entry shows.
inline const QString kNoEntryMessage =
    QStringLiteral("알맞는 데이터가 존재하지 않습니다.\n\r\n\r이동하기 원하는 것을 클릭하고 "
                   "이동삭제 버튼을 선택하십시오");

// Where the pop-up menu goes for a right press at (x, y) in the list of
// pane j; w0, h0 are pane 0's width and height, h2 pane 2's height and s
// the splitter's height (twips). A press low in a lower pane lifts the
// menu by 1500 twips so it stays inside the page.
QPoint popupPosition(int j, int x, int y, int w0, int h0, int h2, int s);

class Launcher : public QObject {
  Q_OBJECT
public:
  Launcher(FrmStart &form, std::function<db::Recordset *()> linkRs, shell::Shell &shell,
           shell::Clipboard &clipboard);
  ~Launcher() override;

  LauncherStore &store() { return store_; }
  LinkEditor &editor() { return *editor_; }

  // FGrid(k) in pane PanA(k); Com(i) in the pop-up Pan_Com.
  std::array<forms::FlexGrid *, kLauncherGrids> FGrid{};
  std::array<forms::KtCommand *, 5> Com{};

  // The slot last pressed; every command acts on it.
  std::int16_t Mb = 0, Mc = 0;
  // Index of the pop-up button last pressed.
  std::int16_t Link_Mode = 0;

  // Procedures of the main window.
  void Com_Load();
  void Set_Guide_Slot();
  void DirBox_Reset();
  void Pan_Load(int p);
  void Com_List(int p);
  void PanA_Resize(int k);

  // Events.
  void FGrid_MouseDown(int k, int button, int x, int y);
  void FGrid_DblClick(int k);
  void Com_MouseDown(int i);
  void Btn_HawkIn_Click();
  void Btn_Cancel_Click();

  // Runs the entry of slot Mb * 30 + Mc.
  void Com_Start();

private:
  void buildGrids();
  void buildPopup();
  void linkFileOrFolder(int n);
  void linkWeb(int n);
  void cut(int n);
  void paste(int n);
  // A change of the launcher table failed: the user is told once per run.
  void reportStoreFailure();
  void showEditor(int height);
  void restorePageSize();
  void setCell(int n, const QString &text);
  QString cellText(int n) const;

  FrmStart &form_;
  QPointer<FrmStart> formAlive_;
  LauncherStore store_;
  shell::Shell &shell_;
  shell::Clipboard &clipboard_;
  LinkEditor *editor_ = nullptr; // a child of Pan_Dir
  bool guideInstalled_ = false;
};

} // namespace dorrin::organiser
