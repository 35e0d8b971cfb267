#pragma once
// The link editor inside the main window's panel Pan_Dir: caption and path
// boxes with OK and Cancel, and below them the pickers — drive list,
// folder list, file list and list view — on the real file system. Picking
// a folder or a file fills the two boxes and the kind word (Pick_Kind).
#include "platform/forms/panel.h"

#include <QString>
#include <array>

class QListWidget;

namespace dorrin::forms {
class TextBox;
class KtOption;
class KtSplitter;
} // namespace dorrin::forms
namespace dorrin::fsview {
class DriveListBox;
class DirListBox;
class FileListBox;
} // namespace dorrin::fsview

namespace dorrin::organiser {

// The list view of the right pane: items with icons, shown as large icons
// (view 0) or as a list (view 2).
class ListView : public forms::Control {
  Q_OBJECT
public:
  explicit ListView(QWidget *parent = nullptr);
  int view() const { return view_; }
  void setView(int v);
  // The selected item's text ("" when none).
  QString selectedText() const;
  QListWidget *listWidget() const { return list_; }

protected:
  void resizeEvent(QResizeEvent *e) override;

private:
  QListWidget *list_;
  int view_ = 0;
};

class LinkEditor : public QObject {
  Q_OBJECT
public:
  // Heights of Pan_Dir: the whole editor, and the boxes only (web links).
  static constexpr int kFullHeight = 6915;
  static constexpr int kBoxesHeight = 700;

  explicit LinkEditor(forms::KtPanel &panDir);

  forms::KtPanel *KtPanel3 = nullptr; // "이름"
  forms::TextBox *Txt_Cap = nullptr;
  forms::KtPanel *Btn_HawkIn = nullptr; // "확인"
  forms::KtPanel *KtPanel4 = nullptr;   // "경로"
  forms::TextBox *Txt_Path = nullptr;
  forms::KtPanel *Btn_Cancel = nullptr; // "취소"
  fsview::DriveListBox *DriveBox = nullptr;
  std::array<forms::KtOption *, 3> Option1{}; // 0 "대", 2 "소"
  forms::KtSplitter *KtSplitter1 = nullptr;
  fsview::DirListBox *DirBox = nullptr;
  ListView *ListView1 = nullptr;
  fsview::FileListBox *FileBox = nullptr;

  // Kind word set by the pickers: "폴더" or "파일".
  QString Pick_Kind;

  // Event handlers, also run by the controls' own events.
  void DriveBox_Change();
  void DirBox_Change();
  void FileBox_DblClick();
  void ListView1_DblClick();
  void Option1_Click(int i);

signals:
  void okClicked();
  void cancelClicked();

private:
  void keepFileBoxOverRightPane();
  forms::KtPanel &pan_;
};

} // namespace dorrin::organiser
