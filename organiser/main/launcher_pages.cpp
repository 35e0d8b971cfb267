#include "organiser/main/launcher_pages.h"

#include "organiser/contracts/tables.h"
#include "organiser/main/frm_start.h"
#include "organiser/main/launcher_run.h"
#include "organiser/main/link_editor.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/splitter.h"
#include "platform/forms/textbox.h"
#include "platform/fsview/fs_lists.h"
#include "platform/paths/data_folder.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/shell.h"
#include "platform/text/field_text.h"
#include "platform/text/runtime.h"

#include <QDir>

namespace dorrin::organiser {

using forms::FlexGrid;
using forms::KtCommand;

namespace {
constexpr forms::Rgb kTabChosen = forms::rgb(156, 156, 255);
constexpr int kLift = 1500;
} // namespace

QPoint popupPosition(int j, int x, int y, int w0, int h0, int h2, int s) {
  int left = x + 300, top = y + 600;
  if (j == 2 || j == 3) left += w0;
  if (j == 1) top += h0;
  if (j == 3) top += h2;
  if ((j == 1 || j == 3) && top > s - 900) top -= kLift;
  return {left, top};
}

Launcher::Launcher(FrmStart &form, std::function<db::Recordset *()> linkRs, shell::Shell &shell,
                   shell::Clipboard &clipboard)
    : form_(form), formAlive_(&form), store_(std::move(linkRs)), shell_(shell),
      clipboard_(clipboard) {
  buildGrids();
  buildPopup();
  editor_ = new LinkEditor(*form_.Pan_Dir);
  connect(editor_, &LinkEditor::okClicked, this,
          [this] { FrmStart::call("Btn_HawkIn_Click", [this] { Btn_HawkIn_Click(); }); });
  connect(editor_, &LinkEditor::cancelClicked, this,
          [this] { FrmStart::call("Btn_Cancel_Click", [this] { Btn_Cancel_Click(); }); });

  auto &h = form_.hooks;
  h.Com_Load = [this] { Com_Load(); };
  h.Set_Guide_Slot = [this] { Set_Guide_Slot(); };
  h.DirBox_Reset = [this] { DirBox_Reset(); };
  h.Pan_Load = [this](int p) { Pan_Load(p); };
  h.Com_List = [this](int p) { Com_List(p); };
}

Launcher::~Launcher() {
  if (!formAlive_) return;
  auto &h = form_.hooks;
  h.Com_Load = nullptr;
  h.Set_Guide_Slot = nullptr;
  h.DirBox_Reset = nullptr;
  h.Pan_Load = nullptr;
  h.Com_List = nullptr;
}

void Launcher::buildGrids() {
  for (int k = 0; k < kLauncherGrids; ++k) {
    forms::KtPanel *pane = form_.PanA[k];
    // One fixed row and one fixed column in a one-column grid: every cell
    // is fixed and looks like a button.
    auto *g = new FlexGrid(pane, kRowsPerGrid, 1, 1, 1);
    g->setObjectName(QStringLiteral("FGrid%1").arg(k));
    g->setScrollBars(2); // the rows scroll; the column always fits the pane
    g->place(0, 0, pane->width(), pane->height());
    g->setColWidth(0, pane->width());
    FGrid[k] = g;
    connect(pane, &forms::Control::resized, this,
            [this, k] { FrmStart::call("PanA_Resize", [this, k] { PanA_Resize(k); }); });
    connect(g, &forms::Control::mouseDown, this, [this, k](const forms::MouseArgs &e) {
      FrmStart::call("FGrid_MouseDown", [&] { FGrid_MouseDown(k, e.button, e.x, e.y); });
    });
    connect(g, &forms::Control::dblClick, this,
            [this, k] { FrmStart::call("FGrid_DblClick", [this, k] { FGrid_DblClick(k); }); });
  }
}

void Launcher::buildPopup() {
  const QString captions[] = {kComLink, kComWeb, kComCut, kComPaste, kComCancel};
  const int tops[] = {30, 375, 720, 1065, 1410};
  for (int i = 0; i < 5; ++i) {
    auto *b = new KtCommand(form_.Pan_Com, captions[i]);
    b->setObjectName(QStringLiteral("Com%1").arg(i));
    b->place(30, tops[i], 1575, 345);
    b->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Com[i] = b;
    connect(b, &forms::Control::mouseDown, this, [this, i](const forms::MouseArgs &) {
      FrmStart::call("Com_MouseDown", [this, i] { Com_MouseDown(i); });
    });
  }
}

// ------------------------------------------------------------ procedures

void Launcher::setCell(int n, const QString &text) {
  if (n < 0 || n >= kSlotsUsed) return;
  FGrid[n / kRowsPerGrid]->setTextMatrix(n % kRowsPerGrid, 0, text);
}

QString Launcher::cellText(int n) const {
  if (n < 0 || n >= kSlotsUsed) return {};
  return FGrid[n / kRowsPerGrid]->textMatrix(n % kRowsPerGrid, 0);
}

void Launcher::Com_Load() {
  store_.load([this](int n, const QString &caption) { setCell(n, u' ' + caption); });
}

void Launcher::Set_Guide_Slot() {
  if (!guideInstalled_) {
    QString error;
    guideInstalled_ = installUserGuide(&error);
    if (!guideInstalled_) forms::reportSaveFailure(form_.dialogs(), guideFile(), error);
  }
  store_.setGuideSlot();
}

void Launcher::DirBox_Reset() {
  // The folder walk starts in the user's home folder, where the files to
  // link are.
  editor_->DirBox->setPath(QDir::homePath());
}

void Launcher::Pan_Load(int p) {
  if (p < 0 || p > 4) return;
  PageState &s = form_.state();
  form_.Pan_Menu->setWidth(s.Split_Width[p] + 70); // 1
  for (int j = 0; j < 4; ++j) {                    // 2
    FlexGrid *g = FGrid[4 * p + j];
    g->setTop(0);
    g->setLeft(0);
    for (int r = 0; r < kRowsPerGrid; ++r)
      g->setRowHeight(r, s.Link_Row_Height);
  }
  forms::KtPanel *back = form_.Pan_Back[p]; // 3
  back->setVisible(true);
  back->setTop(600);
  back->setLeft(45);
  back->setHeight(s.Split_Height[p] + 80);
  back->setWidth(s.Split_Width[p] + 70);
  forms::KtSplitter *split = form_.Spilt[p]; // 4
  split->setLeft(30);
  split->setTop(30);
  split->setHeight(s.Split_Height[p]);
  split->setWidth(s.Split_Width[p]);
  form_.setWidth(s.Split_Width[p] + 160); // 5
  // The resize rules give the splitter the window height less 745; taking
  // the same 745 here keeps the stored splitter height from growing by 5
  // twips at every save and load.
  form_.setHeight(s.Split_Height[p] + 745);
  if (auto h = text::toInt16(form_.height())) s.Page_Height[p] = *h;
  if (auto w = text::toInt16(form_.width())) s.Page_Width[p] = *w;
  split->setPaneHeight(0, s.Pane_Height[p]); // 6
  split->setPaneHeight(2, s.Pane2_Height[p]);
  split->setPaneWidth(0, s.Pane_Width[p]);
  for (int j = 0; j < 4; ++j) { // 7
    FlexGrid *g = FGrid[4 * p + j];
    g->setBackColorFixed(s.Back_Color[j]);
    g->setBackColorSel(s.Back_Color[j]);
    g->setForeColorFixed(s.Fore_Color[j]);
    g->setForeColorSel(s.Fore_Color[j]);
  }
  form_.Form_Resize(); // 8
  for (int j = 0; j < 4; ++j)
    PanA_Resize(4 * p + j);
  form_.Menu[p]->setBackColor(kTabChosen); // 9
}

void Launcher::Com_List(int p) {
  if (p < 0 || p > 4) return;
  for (int r = 0; r < kRowsPerGrid; ++r)
    for (int j = 0; j < 4; ++j)
      FGrid[4 * p + j]->setTextMatrix(r, 0, u' ' + store_.Item_Caption[120 * p + 30 * j + r]);
}

void Launcher::PanA_Resize(int k) {
  if (k < 0 || k >= kLauncherGrids) return;
  forms::KtPanel *pane = form_.PanA[k];
  FlexGrid *g = FGrid[k];
  g->setWidth(pane->width());
  g->setColWidth(0, pane->width());
  // The list also takes the pane's height, so its 30 rows scroll inside it.
  g->setHeight(pane->height());
}

// ---------------------------------------------------------------- events

void Launcher::FGrid_MouseDown(int k, int button, int x, int y) {
  if (k < 0 || k >= kLauncherGrids) return;
  FlexGrid *g = FGrid[k];
  const int j = k % 4;
  Mb = static_cast<std::int16_t>(k);
  Mc = static_cast<std::int16_t>(g->mouseRow());
  if (button == forms::kLeftButton) {
    form_.Pan_Com->setVisible(false);
    g->setRow(g->mouseRow());
    g->setCol(g->mouseCol());
  } else if (button == forms::kRightButton) {
    const int page = form_.state().Cur_Page;
    forms::KtSplitter *split = page >= 0 && page < 5 ? form_.Spilt[page] : form_.Spilt[k / 4];
    const QPoint at = popupPosition(j, x, y, split->paneWidth(0), split->paneHeight(0),
                                    split->paneHeight(2), split->height());
    form_.Pan_Com->setLeft(at.x());
    form_.Pan_Com->setTop(at.y());
    form_.Pan_Com->setVisible(true);
    form_.Pan_Com->raise();
  }
  // Every press leaves the current cell on the last row.
  g->setRow(kRowsPerGrid - 1);
  g->setCol(0);
}

void Launcher::FGrid_DblClick(int k) {
  if (k < 0 || k >= kLauncherGrids) return;
  Mb = static_cast<std::int16_t>(k);
  Mc = static_cast<std::int16_t>(FGrid[k]->mouseRow());
  Com_Start();
}

void Launcher::Com_MouseDown(int i) {
  if (i < 0 || i >= static_cast<int>(Com.size())) return;
  const int n = slotOf(Mb, Mc);
  Link_Mode = static_cast<std::int16_t>(i);
  const QString caption = Com[i]->caption();
  if (LauncherStore::valid(n)) {
    if (caption == kComLink)
      linkFileOrFolder(n);
    else if (caption == kComWeb)
      linkWeb(n);
    else if (caption == kComCut)
      cut(n);
    else if (caption == kComPaste)
      paste(n);
  }
  form_.Pan_Com->setVisible(false);
}

void Launcher::showEditor(int height) {
  forms::KtPanel *dir = form_.Pan_Dir;
  dir->setHeight(height);
  dir->setVisible(true);
  dir->raise();
  form_.setWidth(dir->width());
  form_.setHeight(dir->height());
}

void Launcher::restorePageSize() {
  const PageState &s = form_.state();
  const int p = s.Cur_Page;
  if (p >= 0 && p < kPageSlots) {
    form_.setHeight(s.Page_Height[p]);
    form_.setWidth(s.Page_Width[p]);
  }
  form_.Pan_Dir->setVisible(false);
}

void Launcher::linkFileOrFolder(int n) {
  LinkEditor &e = *editor_;
  const QString path = store_.Item_Path[n];
  // The boxes show the entry; then the folder list goes to the entry's
  // folder, and when that is another folder than the list's current one its
  // change handling fills both boxes with that folder (kind "폴더"). The
  // entry's kind goes with its own values, so OK on an unchanged editor
  // keeps the kind the boxes show.
  e.Txt_Path->setText(path);
  e.Txt_Cap->setText(store_.Item_Caption[n]);
  if (!path.isEmpty()) e.Pick_Kind = store_.Item_Kind[n];
  const qsizetype slash = path.lastIndexOf(u'/');
  if (slash >= 0) e.DirBox->setPath(path.left(slash + 1));
  showEditor(LinkEditor::kFullHeight);
}

void Launcher::linkWeb(int n) {
  LinkEditor &e = *editor_;
  if (store_.Item_Path[n].contains(QLatin1String("//"))) {
    e.Txt_Path->setText(store_.Item_Path[n]);
    e.Txt_Cap->setText(store_.Item_Caption[n]);
  } else {
    e.Txt_Path->setText(QStringLiteral("http://www."));
    e.Txt_Cap->setText(QStringLiteral("웹: "));
  }
  showEditor(LinkEditor::kBoxesHeight);
  FGrid[Mb]->setRow(20);
  FGrid[Mb]->setCol(0);
}

void Launcher::cut(int n) {
  clipboard_.setText(store_.Clip_Record(n));
  store_.Item_Path[n].clear();
  store_.Item_Caption[n].clear();
  store_.Item_Kind[n].clear();
  setCell(n, QString());
  // A slot shown from memory only (the user guide) has no record to remove.
  if (store_.hasRecord(n) && !store_.Remove(n)) reportStoreFailure();
}

void Launcher::reportStoreFailure() {
  forms::reportSaveFailure(form_.dialogs(),
                           paths::resolve(QString::fromUtf8(db::kLauncherDatabase)),
                           store_.lastError());
}

void Launcher::paste(int n) {
  const QString t = text::trim(cellText(n));
  const QString c = clipboard_.text();
  if (!isClipRecord(c)) {
    if (form_.dialogs()) form_.dialogs()->msgBox(kNoEntryMessage, forms::vbOKOnly);
    return;
  }
  const ClipFields f = parseClipRecord(c);
  if (f.hasKind) store_.Item_Kind[n] = f.kind;
  if (f.hasPath) store_.Item_Path[n] = f.path;
  if (f.hasCaption) store_.Item_Caption[n] = f.caption;
  // A cut record has five fields. A shorter one changes only what it carries
  // in memory: storing it would mix its fields with the slot's old ones.
  if (!(f.hasKind && f.hasPath && f.hasCaption)) return;
  // What the slot now holds is what is stored. A slot that shows nothing
  // may still have a record (an entry with an empty caption): it is
  // rewritten rather than doubled.
  const QString &kind = store_.Item_Kind[n], &caption = store_.Item_Caption[n],
                &path = store_.Item_Path[n];
  bool stored = true;
  if (!t.isEmpty() || store_.hasRecord(n))
    stored = store_.Replace(n, kind, caption, path);
  else if (!path.isEmpty())
    stored = store_.Add(n, kind, caption, path);
  if (!stored) reportStoreFailure();
  setCell(n, u' ' + caption);
}

void Launcher::Btn_HawkIn_Click() {
  LinkEditor &e = *editor_;
  const int n = slotOf(Mb, Mc);
  if (!LauncherStore::valid(n)) return;
  // 1. A path is one line; a caption also never holds the clipboard
  // record's "|". Both are shown as they are stored.
  const QString p = text::fieldText(e.Txt_Path->text(), {});
  const QString c = text::fieldText(e.Txt_Cap->text(), u"|");
  if (p != e.Txt_Path->text()) e.Txt_Path->setText(p);
  if (c != e.Txt_Cap->text()) e.Txt_Cap->setText(c);
  const QString t = text::trim(cellText(n));
  const QString kind = Link_Mode == 1 ? kKindWeb : e.Pick_Kind; // 2
  store_.Item_Path[n] = p;
  store_.Item_Caption[n] = c;
  store_.Item_Kind[n] = kind;
  restorePageSize();                                        // 3
  if ((Link_Mode == 0 || Link_Mode == 1) && !p.isEmpty()) { // 4
    const bool stored = !t.isEmpty() || store_.hasRecord(n) ? store_.Replace(n, kind, c, p)
                                                            : store_.Add(n, kind, c, p);
    if (!stored) reportStoreFailure();
    setCell(n, u' ' + c);
  }
  FGrid[Mb]->setRow(kRowsPerGrid - 1); // 5
}

void Launcher::Btn_Cancel_Click() {
  restorePageSize();
}

void Launcher::Com_Start() {
  const int n = slotOf(Mb, Mc);
  if (!LauncherStore::valid(n)) return;
  const QString p = store_.Item_Path[n];
  switch (routeOf(p)) {
  case Route::Nothing:
    return;
  case Route::Internet:
    Internetexe(shell_, p);
    return;
  case Route::File:
    RunFile(shell_, form_.dialogs(), p, QString(), shell::SW_SHOWDEFAULT);
    return;
  }
}

} // namespace dorrin::organiser
