#include "organiser/phonebook/frm_telephone.h"

#include "organiser/contracts/tables.h"
#include "organiser/main/frm_start.h"
#include "organiser/phonebook/mail.h"
#include "organiser/phonebook/spreadsheet_export.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/textbox.h"
#include "platform/paths/data_folder.h"
#include "platform/shell/shell.h"
#include "platform/text/field_text.h"
#include "platform/text/text_file.h"

#include <QEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScreen>
#include <exception>
#include <limits>
#include <optional>

namespace dorrin::organiser {

Q_LOGGING_CATEGORY(lcPhone, "dorrin.phonebook", QtInfoMsg)

using forms::FlexGrid;
using forms::KtPanel;
using forms::rgb;
using forms::TextBox;

namespace {

constexpr int kEnter = 13;
constexpr forms::Rgb kSelectedBack = rgb(0, 100, 50);
constexpr forms::Rgb kSelectedFore = rgb(255, 255, 255);
constexpr forms::Rgb kPlainBack = rgb(255, 255, 255);
constexpr forms::Rgb kPlainFore = rgb(0, 0, 0);
constexpr int kRowHeight = 250;
constexpr int kGroupCellWidth = 1200;
// Steps between editor positions: a cell plus its grid line.
constexpr int kGroupColStep = 1205;
constexpr int kRowStep = 255;
constexpr int kValueLeft = 1000;
constexpr qint16 kCounterMax = std::numeric_limits<qint16>::max();

// a + b * c in 16-bit signed arithmetic; nullopt on overflow, where the
// placement step is skipped.
std::optional<int> offset16(int a, int b, int c) {
  const long product = long(b) * c;
  if (product > kCounterMax || product < std::numeric_limits<qint16>::min()) return std::nullopt;
  const long sum = a + product;
  if (sum > kCounterMax || sum < std::numeric_limits<qint16>::min()) return std::nullopt;
  return int(sum);
}

QString counterFieldName() {
  return db::phoneTable().fields[kValueFields].name;
}

} // namespace

const QStringList &fieldLabels() {
  static const QStringList labels = [] {
    QStringList l;
    for (const db::FieldDef &f : db::phoneTable().fields)
      l << f.name;
    return l;
  }();
  return labels;
}

FrmTelephone::FrmTelephone(PhoneBookServices services, QWidget *parent)
    : Form(parent, false), services_(std::move(services)) {
  setWindowTitle(QStringLiteral("전화번호부 (") + QString::fromLatin1(kMakerAddress) + u')');
  setFont(forms::formFont(QStringLiteral("굴림"), 9));
  setWidth(11835);
  setHeight(7920);
  buildControls();
  if (!services_.dialogs) ownDialogs_ = std::make_unique<forms::QtDialogs>(this);
  connect(this, &Form::closeRequested, this,
          [this] { step("Form_Unload", [this] { Form_Unload(); }); });
}

FrmTelephone::~FrmTelephone() = default;

forms::Dialogs *FrmTelephone::dialogs() const {
  return services_.dialogs ? services_.dialogs : ownDialogs_.get();
}

void FrmTelephone::step(const char *name, const std::function<void()> &f) {
  try {
    f();
  } catch (const std::exception &e) {
    qCWarning(lcPhone) << name << "failed:" << e.what();
  } catch (...) {
    qCWarning(lcPhone) << name << "failed";
  }
}

QString FrmTelephone::databasePath() const {
  return paths::resolve(QString::fromUtf8(db::kPhoneDatabase));
}

QString FrmTelephone::groupFilePath() const {
  return paths::resolve(QString::fromUtf8(kGroupFile));
}

void FrmTelephone::buildControls() {
  Pan_Main = new KtPanel(this);
  Pan_Main->setObjectName("Pan_Main");
  Pan_Main->place(-30, 0, 11865, 7965);

  Text1 = new TextBox(Pan_Main);
  Text1->setObjectName("Text1");
  Text1->place(30, -30, 2415, 300);
  Text1->preferNativeInput();
  connect(Text1, &TextBox::change, this,
          [this] { step("Text1_Change", [this] { Text1_Edited(Text1->text()); }); });
  // While the input method composes a syllable the box's text lacks it; the
  // search follows what the user sees.
  Text1->editor()->installEventFilter(this);

  Grid_Group = new FlexGrid(Pan_Main, kGroupRows, kGroupCols, 0, 0);
  Grid_Group->setObjectName("Grid_Group");
  Grid_Group->place(30, 270, 3615, 7065);
  connect(Grid_Group, &FlexGrid::mouseDown, this,
          [this] { step("Grid_Group_MouseDown", [this] { Grid_Group_MouseDown(); }); });
  connect(Grid_Group, &FlexGrid::clicked, this,
          [this] { step("Grid_Group_Click", [this] { Grid_Group_Click(); }); });
  connect(Grid_Group, &FlexGrid::dblClick, this,
          [this] { step("Grid_Group_DblClick", [this] { Grid_Group_DblClick(); }); });

  Txt_Group_Input = new TextBox(Pan_Main);
  Txt_Group_Input->setObjectName("Txt_Group_Input");
  Txt_Group_Input->place(1890, 7530, 1215, 270);
  Txt_Group_Input->preferNativeInput();
  Txt_Group_Input->setVisible(false);
  connect(Txt_Group_Input, &TextBox::keyDown, this, [this](int key, int) {
    step("Txt_Group_Input_KeyDown", [this, key] { Txt_Group_Input_KeyDown(key); });
  });

  static const char16_t *const captions[7] = {u"Excel",    u"이    름", u"그    룹", u"집",
                                              u"회    사", u"휴 대 폰", u"내선    "};
  static const int lefts[7] = {2430, 3630, 5325, 6630, 8025, 9630, 11025};
  static const int widths[7] = {1215, 1695, 1305, 1395, 1605, 1395, 825};
  for (int i = 0; i < 7; ++i) {
    Menu[size_t(i)] = new KtPanel(Pan_Main, QString::fromUtf16(captions[i]));
    Menu[size_t(i)]->setObjectName(QStringLiteral("Menu%1").arg(i));
    Menu[size_t(i)]->place(lefts[i], 0, widths[i], 285);
    connect(Menu[size_t(i)], &KtPanel::clicked, this,
            [this, i] { step("Menu_Click", [this, i] { Menu_Click(i); }); });
  }

  Grid_Name = new FlexGrid(Pan_Main, kNameListRows, kNameListCols, 0, 0);
  Grid_Name->setObjectName("Grid_Name");
  Grid_Name->place(3630, 270, 8235, 7665);
  connect(Grid_Name, &FlexGrid::mouseDown, this,
          [this] { step("Grid_Name_MouseDown", [this] { Grid_Name_MouseDown(); }); });
  connect(Grid_Name, &FlexGrid::dblClick, this,
          [this] { step("Grid_Name_DblClick", [this] { Grid_Name_DblClick(); }); });

  Pan_Tel = new KtPanel(Pan_Main);
  Pan_Tel->setObjectName("Pan_Tel");
  Pan_Tel->place(7410, 3030, 7035, 4365);
  Pan_Tel->setVisible(false);
  connect(Pan_Tel, &KtPanel::mouseDown, this, [this](const forms::MouseArgs &e) {
    step("Pan_Tel_MouseDown", [this, e] { Pan_Tel_MouseDown(e); });
  });
  connect(Pan_Tel, &KtPanel::mouseMove, this, [this](const forms::MouseArgs &e) {
    step("Pan_Tel_MouseMove", [this, e] { Pan_Tel_MouseMove(e); });
  });

  Grid_Tel = new FlexGrid(Pan_Tel, kFieldCount, 2, 0, 1);
  Grid_Tel->setObjectName("Grid_Tel");
  Grid_Tel->place(30, 570, 7035, 3855);
  connect(Grid_Tel, &FlexGrid::mouseDown, this,
          [this] { step("Grid_Tel_MouseDown", [this] { Grid_Tel_MouseDown(); }); });

  Txt_Tel_Input = new TextBox(Pan_Tel);
  Txt_Tel_Input->setObjectName("Txt_Tel_Input");
  Txt_Tel_Input->place(1050, 4410, 6015, 270);
  Txt_Tel_Input->preferNativeInput();
  connect(Txt_Tel_Input, &TextBox::keyDown, this, [this](int key, int) {
    step("Txt_Tel_Input_KeyDown", [this, key] { Txt_Tel_Input_KeyDown(key); });
  });

  static const char16_t *const buttons[4] = {u"신    규", u"저   장", u"삭   제", u"취   소"};
  static const int comLefts[4] = {0, 1785, 3570, 5355};
  static const int comWidths[4] = {1785, 1785, 1785, 1665};
  for (int i = 0; i < 4; ++i) {
    Com[size_t(i)] = new KtPanel(Pan_Tel, QString::fromUtf16(buttons[i]));
    Com[size_t(i)]->setObjectName(QStringLiteral("Com%1").arg(i));
    Com[size_t(i)]->place(comLefts[i], 210, comWidths[i], 345);
    connect(Com[size_t(i)], &KtPanel::clicked, this,
            [this, i] { step("Com_Click", [this, i] { Com_Click(i); }); });
  }

  // The in-place editors lie over their grids; the detail panel over the list.
  Txt_Group_Input->raise();
  Pan_Tel->raise();
  Txt_Tel_Input->raise();
  Pan_Main->show();
  rowRecord.assign(kNameListRows, -1);
}

void FrmTelephone::open() {
  if (!loaded()) {
    step("Form_Load", [this] { Form_Load(); });
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      QWidget::move(area.center() - QPoint(QWidget::width() / 2, QWidget::height() / 2));
    }
  }
  show();
  setTopMost(true);
  activate();
}

void FrmTelephone::Form_Load() {
  // Database part.
  Tel_Db.reset();
  if (services_.engine) Tel_Db = services_.engine->OpenDatabase(databasePath(), {db::phoneTable()});
  Tel_Rs =
      Tel_Db ? Tel_Db->OpenRecordset(QStringLiteral("Tel"), db::kDynaset) : db::closedRecordset();
  Tel_Rs->MoveLast();
  Tel_Rs->MoveFirst();

  setUpGrids();

  // Group cells.
  if (const auto line = readGroupLine(groupFilePath()))
    Group_Names.applyLine(*line);
  else
    qCDebug(lcPhone) << "no group file" << groupFilePath();
  for (int c = 0; c < kGroupCols; ++c)
    for (int r = 0; r < kGroupRows; ++r)
      Grid_Group->setTextMatrix(r, c, Group_Names.at(r, c));
}

void FrmTelephone::setUpGrids() {
  Pan_Tel->setTop(1020);
  Pan_Tel->setLeft(4850);
  Grid_Group->setHeight(7685);
  for (int c = 0; c < kGroupCols; ++c)
    Grid_Group->setColWidth(c, kGroupCellWidth);
  for (int r = 0; r < kGroupRows; ++r)
    Grid_Group->setRowHeight(r, kRowHeight);

  for (int r = 0; r < kNameListRows; ++r)
    Grid_Name->setRowHeight(r, kRowHeight);
  static const int nameWidths[kNameListCols] = {1700, 1300, 1400, 1600, 1400, 700};
  for (int c = 0; c < kNameListCols; ++c) {
    Grid_Name->setColWidth(c, nameWidths[c]);
    Grid_Name->setColAlignment(c, contracts::Grid::AlignLeftCenter);
  }

  Grid_Tel->setColAlignment(1, contracts::Grid::AlignLeftCenter);
  for (int r = 0; r < kValueFields; ++r)
    Grid_Tel->setRowHeight(r, kRowHeight);
  Grid_Tel->setColWidth(0, 1000);
  Grid_Tel->setColWidth(1, 7000);
  for (int r = 0; r < kFieldCount; ++r)
    Grid_Tel->setTextMatrix(r, 0, fieldLabels()[r]);
}

void FrmTelephone::Form_Unload() {
  Tel_Rs.reset();
  Tel_Db.reset();
  // The next load starts with fresh controls, as a form loaded anew does.
  // The search box's filter goes first: its editor sends events while it is
  // destroyed, when the box itself is already gone.
  if (Text1) Text1->editor()->removeEventFilter(this);
  Text1 = nullptr;
  delete Pan_Main;
  buildControls();
}

// --- fills

void FrmTelephone::copyRow(int n) {
  if (n >= kNameListRows) return; // rows beyond the list are counted, not shown
  for (int j = 0; j < 5; ++j)
    Grid_Name->setTextMatrix(n, j, Tel_Rs->Fields(j).Value());
  bool ok = false;
  const qint64 id = Tel_Rs->Fields(kValueFields).Value().toLongLong(&ok);
  rowRecord[size_t(n)] = ok ? id : -1;
}

void FrmTelephone::Tel_Load() {
  Tel_Rs->MoveFirst();
  int n = -1;
  while (!Tel_Rs->Eof()) {
    if (n < kCounterMax) ++n;
    copyRow(n);
    if (n == kNameListRows - 1) {
      // The list is full: the rest is only counted, and the table knows its size.
      n = int(std::min<qint64>(kCounterMax, std::max<qint64>(n, Tel_Rs->RecordCount() - 1)));
      break;
    }
    if (!Tel_Rs->MoveNext()) break;
  }
  Name_Last = qint16(n);
}

void FrmTelephone::fill(const QString &field, const QString &value) {
  Tel_Rs->MoveFirst();
  int n = -1;
  if (Tel_Rs->FindFirst(field, value)) {
    ++n;
    copyRow(n);
  }
  while (!Tel_Rs->Eof()) {
    if (!Tel_Rs->FindNext(field, value)) {
      if (!Tel_Rs->MoveNext()) break;
      continue;
    }
    if (n < kCounterMax) ++n;
    copyRow(n);
  }
  Data_Name_Clear(n);
  Name_Last = qint16(n);
}

void FrmTelephone::Group_Load(const QString &group) {
  fill(db::phoneTable().fields[1].name, group);
}

void FrmTelephone::Name_Load(const QString &name) {
  fill(db::phoneTable().fields[0].name, name);
}

void FrmTelephone::Data_Name_Clear(int last) {
  if (last >= Name_Last) return;
  const int end = std::min<int>(Name_Last, kNameListRows - 1);
  for (int r = last + 1; r <= end; ++r) {
    for (int j = 0; j < 5; ++j)
      Grid_Name->setTextMatrix(r, j, QString());
    rowRecord[size_t(r)] = -1;
  }
}

// --- one contact

bool FrmTelephone::findCurrent() {
  // Only the record of the row the user picked, and only while it still
  // bears the name that row showed.
  if (Cur_Record < 0) return false;
  if (!Tel_Rs->FindFirst(counterFieldName(), QString::number(Cur_Record))) return false;
  return Tel_Rs->Fields(0).Value() == Cur_Name;
}

void FrmTelephone::clearValues() {
  for (int i = 0; i < kValueFields; ++i)
    Grid_Tel->setTextMatrix(i, 1, QString());
}

void FrmTelephone::Show_Contact() {
  Pan_Tel->setVisible(true);
  Txt_Tel_Input->setVisible(false);
  Cur_Name = Grid_Name->textMatrix(Name_Row, 0);
  Cur_Record = Name_Row >= 0 && Name_Row < kNameListRows ? rowRecord[size_t(Name_Row)] : -1;
  Tel_Rs->MoveFirst();
  if (!findCurrent()) {
    clearValues();
    return;
  }
  for (int i = 0; i < kValueFields; ++i)
    Grid_Tel->setTextMatrix(i, 1, Tel_Rs->Fields(i).Value());
}

void FrmTelephone::resetDetailEditor() {
  Txt_Tel_Input->setLeft(kValueLeft);
  Txt_Tel_Input->setTop(Grid_Tel->top());
  Txt_Tel_Input->setText(QString());
  Txt_Tel_Input->setVisible(true);
  Txt_Tel_Input->editor()->setFocus();
  Tel_Row = 0;
}

void FrmTelephone::Com_Click(int index) {
  switch (index) {
  case 0: // New
    clearValues();
    Cur_Name.clear();
    Cur_Record = -1;
    resetDetailEditor();
    break;
  case 1: // Save
    if (Cur_Name.trimmed().isEmpty()) {
      Tel_Rs->MoveLast();
      if (Tel_Rs->AddNew()) {
        for (int i = 0; i < kValueFields; ++i)
          Tel_Rs->Fields(i).SetValue(Grid_Tel->textMatrix(i, 1));
        if (!Tel_Rs->Update()) qCWarning(lcPhone) << "the new contact was not stored";
      }
    } else {
      Tel_Rs->MoveFirst();
      if (findCurrent() && Tel_Rs->Edit()) {
        for (int i = 0; i < kValueFields; ++i)
          Tel_Rs->Fields(i).SetValue(Grid_Tel->textMatrix(i, 1));
        if (!Tel_Rs->Update()) qCWarning(lcPhone) << "the contact was not stored";
        Tel_Rs->MoveNext();
        if (Tel_Rs->Eof()) Tel_Rs->MoveLast();
      }
    }
    clearValues();
    resetDetailEditor();
    break;
  case 2: // Delete
    Tel_Rs->MoveFirst();
    if (findCurrent() && Tel_Rs->Delete()) {
      Tel_Rs->MoveNext();
      if (Tel_Rs->Eof()) Tel_Rs->MoveLast();
    }
    clearValues();
    resetDetailEditor();
    break;
  case 3: // Cancel
    Pan_Tel->setVisible(false);
    Txt_Tel_Input->setVisible(false);
    break;
  default:
    break;
  }
}

// --- groups

void FrmTelephone::Group_Commit() {
  // A group name never carries the file's separator or a line break, and
  // is stored only when the file's code page holds every character of it.
  const QString t = text::fieldText(Txt_Group_Input->text(), u"|");
  if (!forms::acceptCp949(dialogs(), t)) return; // the editor stays open for a fix
  Grid_Group->setTextMatrix(Group_Row, Group_Col, t);
  Group_Names.set(Group_Row, Group_Col, t);
  QString error;
  if (!text::writeLines(groupFilePath(), {Group_Names.line()}, &error))
    forms::reportSaveFailure(dialogs(), groupFilePath(), error);
  Txt_Group_Input->setVisible(false);
  Txt_Group_Input->setText(QString());
}

void FrmTelephone::Grid_Group_MouseDown() {
  Txt_Group_Input->setVisible(false);
}

void FrmTelephone::setRowColours(int row, forms::Rgb back, forms::Rgb fore) {
  for (int c = 0; c < kNameListCols; ++c) {
    if (!Grid_Name->setRow(row) || !Grid_Name->setCol(c)) continue;
    Grid_Name->setCellBackColor(back);
    Grid_Name->setCellForeColor(fore);
  }
}

void FrmTelephone::Grid_Group_Click() {
  if (windowFlags() & Qt::WindowStaysOnTopHint) setTopMost(false);
  Pan_Tel->setVisible(false);
  Txt_Tel_Input->setVisible(false);
  Group_Row = qint16(Grid_Group->mouseRow());
  Group_Col = qint16(Grid_Group->mouseCol());
  Grid_Group->setRow(Group_Row);
  Grid_Group->setCol(Group_Col);
  const QString cell = Grid_Group->text();
  if (cell == QStringView(kAllGroups)) {
    Tel_Load();
    Pan_Tel->setVisible(false);
  } else {
    Group_Load(cell);
  }
  setRowColours(Name_Row, kPlainBack, kPlainFore);
}

void FrmTelephone::placeGroupEditor() {
  if (const auto x = offset16(Grid_Group->left(), Group_Col, kGroupColStep))
    Txt_Group_Input->setLeft(*x);
  if (const auto y = offset16(Grid_Group->top(), Group_Row, kRowStep)) Txt_Group_Input->setTop(*y);
}

void FrmTelephone::Grid_Group_DblClick() {
  placeGroupEditor();
  Txt_Group_Input->setText(Grid_Group->textMatrix(Group_Row, Group_Col));
  Txt_Group_Input->setSelStart(int(Txt_Group_Input->text().size()));
  Txt_Group_Input->setVisible(true);
  Txt_Group_Input->raise();
  Txt_Group_Input->editor()->setFocus();
  Txt_Group_Input->setSelStart(int(Txt_Group_Input->text().size()));
}

void FrmTelephone::Txt_Group_Input_KeyDown(int keyCode) {
  if (keyCode == kEnter) Group_Commit();
}

// --- search

void FrmTelephone::Text1_Edited(const QString &text) {
  Name_Load(text);
}

bool FrmTelephone::eventFilter(QObject *watched, QEvent *e) {
  if (Text1 && watched == Text1->editor() && e->type() == QEvent::InputMethod) {
    auto *line = qobject_cast<QLineEdit *>(Text1->editor());
    const QString preedit = static_cast<QInputMethodEvent *>(e)->preeditString();
    // Let the box take the event first, then search for its text with the
    // syllable being composed in place.
    static_cast<QObject *>(watched)->event(e);
    if (line && !preedit.isEmpty()) {
      QString shown = line->text();
      shown.insert(std::clamp<qsizetype>(line->cursorPosition(), 0, shown.size()), preedit);
      step("Text1_Compose", [this, shown] { Text1_Edited(shown); });
    }
    return true;
  }
  return Form::eventFilter(watched, e);
}

// --- name list and detail grid

void FrmTelephone::Grid_Name_MouseDown() {
  setRowColours(Name_Row, kPlainBack, kPlainFore);
  Name_Row = qint16(Grid_Name->mouseRow());
  setRowColours(Name_Row, kSelectedBack, kSelectedFore);
}

void FrmTelephone::Grid_Name_DblClick() {
  Show_Contact();
}

void FrmTelephone::placeDetailEditor() {
  if (const auto y = offset16(Grid_Tel->top(), Tel_Row, kRowStep)) {
    Txt_Tel_Input->setLeft(kValueLeft);
    Txt_Tel_Input->setTop(*y);
  }
}

void FrmTelephone::Grid_Tel_MouseDown() {
  Tel_Row = qint16(Grid_Tel->mouseRow());
  if (Grid_Tel->mouseCol() == 1) {
    placeDetailEditor();
    Txt_Tel_Input->setText(Grid_Tel->textMatrix(Tel_Row, 1));
    Txt_Tel_Input->setSelStart(int(Txt_Tel_Input->text().size()));
    Txt_Tel_Input->setVisible(true);
    Txt_Tel_Input->editor()->setFocus();
  }
  if (Grid_Tel->mouseCol() == 0 && Tel_Row == kMailField)
    Send_Mail(Grid_Tel->textMatrix(kMailField, 1));
}

void FrmTelephone::Txt_Tel_Input_KeyDown(int keyCode) {
  if (keyCode != kEnter) return;
  Grid_Tel->setTextMatrix(Tel_Row, 1, Txt_Tel_Input->text());
  if (Tel_Row > 12) {
    Txt_Tel_Input->setVisible(false);
    return;
  }
  ++Tel_Row;
  placeDetailEditor();
  Txt_Tel_Input->setText(Grid_Tel->textMatrix(Tel_Row, 1));
  Txt_Tel_Input->setSelStart(int(Txt_Tel_Input->text().size()));
  Txt_Tel_Input->editor()->setFocus();
}

void FrmTelephone::Pan_Tel_MouseDown(const forms::MouseArgs &e) {
  dragX_ = e.x;
  dragY_ = e.y;
}

void FrmTelephone::Pan_Tel_MouseMove(const forms::MouseArgs &e) {
  if (!(e.button & forms::kLeftButton)) return;
  // The point grabbed stays under the pointer.
  Pan_Tel->setLeft(Pan_Tel->left() + e.x - dragX_);
  Pan_Tel->setTop(Pan_Tel->top() + e.y - dragY_);
}

// --- mail and export

void FrmTelephone::Send_Mail(const QString &address) {
  if (!services_.shell) return;
  const QString url = mailtoUrl(address);
  const int result =
      services_.shell->ShellExecute(QString(), url, QString(), QString(), shell::SW_SHOWNORMAL);
  if (!shell::succeeded(result)) qCInfo(lcPhone) << "no mail program opened" << url << result;
}

void FrmTelephone::Menu_Click(int index) {
  if (index == 0) Export_Contacts();
}

void FrmTelephone::Export_Contacts() {
  com::ComPtr<com::IDispatch> app;
  const com::HRESULT hr = services_.createSpreadsheet ? services_.createSpreadsheet(app.put())
                                                      : createSpreadsheetApplication(app.put());
  if (!com::succeeded(hr) || !app) {
    qCWarning(lcPhone) << "cannot create the spreadsheet application:" << hr;
    return;
  }
  const ExportResult r = exportContacts(app.get(), *Tel_Rs, fieldLabels());
  qCInfo(lcPhone) << "exported" << r.contacts << "contacts to" << r.file;
  if (!r.shown && !r.file.isEmpty() && dialogs())
    dialogs()->msgBox(QStringLiteral("엑셀 파일을 열 프로그램을 찾지 못했습니다.\n"
                                     "파일은 다음 위치에 저장되었습니다:\n") +
                          r.file,
                      forms::vbOKOnly | forms::vbInformation, QStringLiteral("전화번호부"));
}

} // namespace dorrin::organiser
