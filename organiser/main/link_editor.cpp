#include "organiser/main/link_editor.h"

#include "organiser/main/frm_start.h"
#include "organiser/main/launcher_store.h"
#include "platform/forms/buttons.h"
#include "platform/forms/splitter.h"
#include "platform/forms/textbox.h"
#include "platform/fsview/fs_lists.h"

#include <QListWidget>

namespace dorrin::organiser {

using forms::KtPanel;

// ---------------------------------------------------------------- ListView

ListView::ListView(QWidget *parent) : Control(parent), list_(new QListWidget(this)) {
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setResizeMode(QListView::Adjust);
  setFocusProxy(list_);
  connect(list_, &QListWidget::itemActivated, this, [this] { emit dblClick(); });
  setView(0);
}

void ListView::setView(int v) {
  view_ = v;
  list_->setViewMode(v == 0 ? QListView::IconMode : QListView::ListMode);
}

QString ListView::selectedText() const {
  const auto sel = list_->selectedItems();
  return sel.isEmpty() ? QString() : sel.first()->text();
}

void ListView::resizeEvent(QResizeEvent *e) {
  list_->setGeometry(rect());
  Control::resizeEvent(e);
}

// -------------------------------------------------------------- LinkEditor

namespace {

KtPanel *label(QWidget *parent, const char *name, const QString &caption, int l, int t, int w,
               int h) {
  auto *p = new KtPanel(parent, caption);
  p->setObjectName(QString::fromLatin1(name));
  p->place(l, t, w, h);
  return p;
}

} // namespace

LinkEditor::LinkEditor(KtPanel &panDir) : QObject(&panDir), pan_(panDir) {
  QWidget *pan = &panDir;
  KtPanel3 = label(pan, "KtPanel3", QStringLiteral("이름"), 30, 60, 645, 315);
  Txt_Cap = new forms::TextBox(pan);
  Txt_Cap->setObjectName("Txt_Cap");
  Txt_Cap->place(690, 60, 6555, 270);
  Btn_HawkIn = label(pan, "Btn_HawkIn", QStringLiteral("확인"), 7290, 60, 945, 285);
  KtPanel4 = label(pan, "KtPanel4", QStringLiteral("경로"), 30, 360, 645, 315);
  Txt_Path = new forms::TextBox(pan);
  Txt_Path->setObjectName("Txt_Path");
  Txt_Path->place(690, 360, 6555, 285);
  Btn_Cancel = label(pan, "Btn_Cancel", QStringLiteral("취소"), 7290, 360, 945, 285);
  for (KtPanel *b : {Btn_HawkIn, Btn_Cancel})
    b->setCursor(Qt::PointingHandCursor);

  // Captions are typed in Hangul, paths and addresses in Latin letters: the
  // input method is told so for each box.
  Txt_Cap->preferNativeInput();
  Txt_Path->preferLatinInput();
  connect(Txt_Cap, &forms::TextBox::gotFocus, Txt_Cap, &forms::TextBox::preferNativeInput);
  connect(Txt_Path, &forms::TextBox::gotFocus, Txt_Path, &forms::TextBox::preferLatinInput);

  DriveBox = new fsview::DriveListBox(pan);
  DriveBox->setObjectName("DriveBox");
  DriveBox->place(60, 690, 8175, 300);

  const char *viewNames[] = {"대", nullptr, "소"};
  for (int i : {0, 2}) {
    Option1[i] = new forms::KtOption(pan, QString::fromUtf8(viewNames[i]));
    Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    Option1[i]->place(i == 0 ? 6840 : 7545, 690, 705, 315);
    connect(Option1[i], &forms::KtOption::clicked, this, [this, i] {
      if (Option1[i]->value()) FrmStart::call("Option1_Click", [&] { Option1_Click(i); });
    });
  }

  KtSplitter1 = new forms::KtSplitter(pan, {1, 1});
  KtSplitter1->setObjectName("KtSplitter1");
  KtSplitter1->place(60, 1050, 8175, 5805);
  DirBox = new fsview::DirListBox;
  DirBox->setObjectName("DirBox");
  ListView1 = new ListView;
  ListView1->setObjectName("ListView1");
  KtSplitter1->setPaneControl(0, DirBox);
  KtSplitter1->setPaneControl(1, ListView1);
  // The right pane starts where the file list lies over it.
  KtSplitter1->setPaneWidth(0, 3390 - 60 - 15 - 60);

  FileBox = new fsview::FileListBox(pan);
  FileBox->setObjectName("FileBox");
  FileBox->place(3390, 1080, 4800, 5745);
  FileBox->setVisible(false);
  connect(KtSplitter1, &forms::KtSplitter::panesChanged, this,
          &LinkEditor::keepFileBoxOverRightPane);

  Option1[0]->setValue(true); // large icons
  // The drive list and the option buttons share a line; the options stay
  // on top at its right end.
  Option1[0]->raise();
  Option1[2]->raise();

  connect(DriveBox, &fsview::DriveListBox::change, this,
          [this] { FrmStart::call("DriveBox_Change", [this] { DriveBox_Change(); }); });
  connect(DirBox, &fsview::DirListBox::change, this,
          [this] { FrmStart::call("DirBox_Change", [this] { DirBox_Change(); }); });
  connect(FileBox, &forms::Control::dblClick, this,
          [this] { FrmStart::call("FileBox_DblClick", [this] { FileBox_DblClick(); }); });
  connect(ListView1, &forms::Control::dblClick, this,
          [this] { FrmStart::call("ListView1_DblClick", [this] { ListView1_DblClick(); }); });
  connect(Btn_HawkIn, &forms::Control::clicked, this, &LinkEditor::okClicked);
  connect(Btn_Cancel, &forms::Control::clicked, this, &LinkEditor::cancelClicked);
}

void LinkEditor::keepFileBoxOverRightPane() {
  // The file list covers the right pane (inside its 15-twip margin) when
  // the bar between the panes is dragged.
  const QRect r = KtSplitter1->layout().paneRect(1);
  FileBox->place(KtSplitter1->left() + r.left(), KtSplitter1->top() + r.top() + 15, r.width(),
                 r.height() - 30);
}

void LinkEditor::DriveBox_Change() {
  DirBox->setPath(DriveBox->drive());
}

void LinkEditor::DirBox_Change() {
  FileBox->setPath(DirBox->path());
  Txt_Path->setText(DirBox->path());
  Pick_Kind = kKindFolder;
  Txt_Cap->setText(QStringLiteral("폴더: ") + fsview::lastPart(Txt_Path->text()));
  ListView1->setVisible(false);
  FileBox->setVisible(true);
  FileBox->raise();
}

void LinkEditor::FileBox_DblClick() {
  FileBox->setPath(DirBox->path());
  const QString f = FileBox->fileName();
  if (f.isEmpty()) return; // a double-click beside the names picks nothing
  Txt_Path->setText(fsview::joinPath(FileBox->path(), f));
  Pick_Kind = kKindFile;
  Txt_Cap->setText(QStringLiteral("파일: ") + f);
}

void LinkEditor::ListView1_DblClick() {
  const QString f = ListView1->selectedText();
  if (f.isEmpty()) return;
  Txt_Path->setText(fsview::joinPath(FileBox->path(), f));
  Pick_Kind = kKindFile;
  Txt_Cap->setText(QStringLiteral("파일: ") + f);
}

void LinkEditor::Option1_Click(int i) {
  ListView1->setView(i);
}

} // namespace dorrin::organiser
