#include "organiser/alarms/time_editor.h"

#include "organiser/main/frm_start.h"
#include "platform/forms/buttons.h"
#include "platform/forms/calendar.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/scrollbar.h"
#include "platform/forms/textbox.h"
#include "platform/text/field_text.h"
#include "platform/text/runtime.h"

#include <QLoggingCategory>
#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcAlarms)

namespace dorrin::organiser {

using forms::KtCommand;
using forms::KtFrame;
using forms::KtOption;
using forms::KtPanel;
using forms::rgb;

namespace {

const char16_t *const kKindOptions[] = {u"지정", u"매시", u"매일", u"매월", u"월", u"화",
                                        u"수",   u"목",   u"금",   u"토",   u"일"};

// A number typed into a date or time box: digits only (blanks around them
// allowed), within lo..hi.
std::optional<int> plainNumber(QStringView typed, int lo, int hi) {
  const QString t = text::trim(typed);
  if (t.isEmpty() || t.size() > 4) return std::nullopt;
  int n = 0;
  for (QChar ch : t) {
    if (ch < u'0' || ch > u'9') return std::nullopt;
    n = n * 10 + (ch.unicode() - u'0');
  }
  if (n < lo || n > hi) return std::nullopt;
  return n;
}

// The index (1..n) of the chosen option of an array, 0 when none is.
template <size_t N> int chosen(const std::array<KtOption *, N> &opts) {
  for (size_t i = 1; i < N; ++i)
    if (opts[i] && opts[i]->value()) return static_cast<int>(i);
  return 0;
}

} // namespace

QString kindOfOption(int index) {
  return index >= 1 && index <= 11 ? QString::fromUtf16(kKindOptions[index - 1]) : QString();
}

int optionOfKind(QStringView kind) {
  for (int i = 1; i <= 11; ++i)
    if (kind == QStringView(kKindOptions[i - 1])) return i;
  return 0;
}

TimeEditor::TimeEditor(AlarmTable &table, Services services, QWidget *parent)
    : Form(parent, false), table_(table), services_(std::move(services)) {
  setObjectName("Time");
  setWindowTitle(QStringLiteral("Tessivo-알람메모(") + QString::fromLatin1(kMakerAddress) +
                 QStringLiteral(")"));
  setBackColor(rgb(192, 192, 192));
  setFont(forms::formFont(QStringLiteral("굴림"), 9));
  buildControls();
  // The window's own close button closes like Close, dropping an open edit.
  connect(this, &Form::closeRequested, this, [this] {
    FrmStart::call("Time close", [this] {
      if (Edit_Mode) Com_D_Click();
      Com_Close_Click();
    });
  });
}

TimeEditor::~TimeEditor() = default;

void TimeEditor::buildControls() {
  auto guarded = [](const char *name, std::function<void()> f) {
    return [name, f = std::move(f)] { FrmStart::call(name, f); };
  };
  Grid_B = new forms::FlexGrid(this, 50, 11, 1, 1);
  Grid_B->setObjectName("Grid_B");
  Grid_B->place(100, 100, 11400, 4200);
  for (int r = 1; r <= 49; ++r)
    Grid_B->setRowHeight(r, 300);
  Grid_B->setFormatString(
      QStringLiteral("^번호|^알람|^종류|^월|^일|^시|^분|^음향|^파일|^표시|^내용"));
  for (int c = 0; c <= 9; ++c)
    Grid_B->setColWidth(c, 500);
  Grid_B->setColWidth(10, 6000);
  Grid_B->setColAlignment(10, 1);
  connect(Grid_B, &forms::Control::dblClick, this,
          guarded("Grid_B_DblClick", [this] { Grid_B_DblClick(Grid_B->mouseRow()); }));

  auto button = [this](const char *name, const char *caption, int left) {
    auto *b = new KtCommand(this, QString::fromUtf8(caption));
    b->setObjectName(name);
    b->place(left, 4400, 1300, 390);
    return b;
  };
  Com_C = button("Com_C", "내용 첨가", 100);
  Com_B = button("Com_B", "저  장", 1500);
  Com_D = button("Com_D", "취  소", 2900);
  Com_E = button("Com_E", "삭   제", 4300);
  Com_Close = button("Com_Close", "닫   기", 10200);
  Txt_Number = new forms::TextBox(this);
  Txt_Number->setObjectName("Txt_Number");
  Txt_Number->place(5800, 4430, 700, 330);
  Txt_Number->setLocked(true);
  connect(Com_C, &forms::Control::mouseDown, this,
          guarded("Com_C_MouseDown", [this] { Com_C_MouseDown(); }));
  connect(Com_B, &forms::Control::mouseDown, this,
          guarded("Com_B_MouseDown", [this] { Com_B_MouseDown(); }));
  connect(Com_D, &forms::Control::clicked, this, guarded("Com_D_Click", [this] { Com_D_Click(); }));
  connect(Com_E, &forms::Control::clicked, this, guarded("Com_E_Click", [this] { Com_E_Click(); }));
  connect(Com_Close, &forms::Control::clicked, this,
          guarded("Com_Close_Click", [this] { Com_Close_Click(); }));

  Pan_Setting = new KtPanel(this);
  Pan_Setting->setObjectName("Pan_Setting");
  Pan_Setting->place(100, 4900, 11400, 2560);

  auto frame = [this](const char *caption, int left, int top, int width, int height) {
    auto *f = new KtFrame(Pan_Setting, QString::fromUtf8(caption));
    f->place(left, top, width, height);
    return f;
  };
  auto option = [](QWidget *parent, const QString &caption, int left, int top, int width) {
    auto *o = new KtOption(parent, caption);
    o->place(left, top, width, 280);
    return o;
  };
  auto yesNo = [&](std::array<KtOption *, 3> &opts, const char *name, KtFrame *f) {
    opts[1] = option(f, QStringLiteral("yes"), 150, 300, 1000);
    opts[2] = option(f, QStringLiteral("no"), 150, 650, 1000);
    opts[1]->setObjectName(QStringLiteral("%1_1").arg(QLatin1String(name)));
    opts[2]->setObjectName(QStringLiteral("%1_2").arg(QLatin1String(name)));
  };

  yesNo(OptAlamYesNO, "OptAlamYesNO", frame("알람 사용", 60, 60, 1300, 1100));

  KtFrame *kinds = frame("알람 종류", 1420, 60, 4100, 1400);
  for (int i = 1; i <= 11; ++i) {
    const int row = (i - 1) / 4, col = (i - 1) % 4;
    OptGibon[static_cast<size_t>(i)] =
        option(kinds, kindOfOption(i), 120 + col * 980, 240 + row * 260, 900);
    OptGibon[static_cast<size_t>(i)]->setObjectName(QStringLiteral("OptGibon%1").arg(i));
    connect(OptGibon[static_cast<size_t>(i)], &forms::Control::clicked, this,
            guarded("OptGibon_Click", [this, i] { OptGibon_Click(i); }));
  }
  TxtDate = new forms::TextBox(kinds);
  TxtDate->setObjectName("TxtDate");
  TxtDate->place(120, 1060, 900, 280);
  TxtDate->setText(QStringLiteral("03/13"));
  TxtDay = new forms::TextBox(kinds);
  TxtDay->setObjectName("TxtDay");
  TxtDay->place(1100, 1060, 600, 280);
  Pan2 = new KtPanel(kinds, QStringLiteral("일"));
  Pan2->setObjectName("Pan2");
  Pan2->setBevel(KtPanel::Bevel::None);
  Pan2->place(1720, 1060, 300, 280);

  KtFrame *times = frame("알람시간", 5580, 60, 2900, 1400);
  auto spinPanel = [&](const char *name, const char *caption, int left, forms::TextBox *&box,
                       forms::ScrollBar *&bar, int max) {
    auto *p = new KtPanel(times, QString::fromUtf8(caption));
    p->setObjectName(name);
    p->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    p->place(left, 260, 1300, 1050);
    box = new forms::TextBox(p);
    box->place(100, 400, 750, 330);
    box->setText(QStringLiteral("0"));
    bar = new forms::ScrollBar(Qt::Vertical, p);
    bar->place(900, 300, 280, 600);
    bar->setMin(0);
    bar->setMax(max);
    return p;
  };
  Pan_Hour = spinPanel("Pan_Hour", "시(24시)", 100, Txt_Hour, VScroll1, 23);
  Pan_Minute = spinPanel("Pan_Minute", "분", 1500, Txt_Minute, VScroll2, 59);
  Txt_Hour->setObjectName("Txt_Hour");
  Txt_Minute->setObjectName("Txt_Minute");
  VScroll1->setObjectName("VScroll1");
  VScroll2->setObjectName("VScroll2");
  connect(VScroll1, &forms::ScrollBar::change, this,
          guarded("VScroll1_Change", [this] { VScroll1_Change(); }));
  connect(VScroll2, &forms::ScrollBar::change, this,
          guarded("VScroll2_Change", [this] { VScroll2_Change(); }));

  KtFrame *sounds = frame("알람소리", 8540, 60, 2800, 1100);
  for (int n = 1; n <= 9; ++n) {
    const int row = (n - 1) / 5, col = (n - 1) % 5;
    OptSori[static_cast<size_t>(n)] =
        option(sounds, QString::number(n), 120 + col * 520, 300 + row * 350, 500);
    OptSori[static_cast<size_t>(n)]->setObjectName(QStringLiteral("OptSori%1").arg(n));
    connect(OptSori[static_cast<size_t>(n)], &forms::Control::clicked, this,
            guarded("OptSori_Click", [this, n] { OptSori_Click(n); }));
  }
  yesNo(OptSoriYesNo, "OptSoriYesNo", frame("음향 사용", 60, 1400, 1300, 1100));
  KtFrame *show = frame("내용 표시", 8540, 1400, 2800, 1100);
  yesNo(OptTxtYesNo, "OptTxtYesNo", show);
  KtFrame *message = frame("표시 내용", 1420, 1520, 7060, 980);
  TXTalim = new forms::TextBox(message);
  TXTalim->setObjectName("TXTalim");
  TXTalim->place(120, 330, 6800, 360);
  TXTalim->preferNativeInput();

  Calenda = new forms::Calendar(this);
  Calenda->setObjectName("Calenda");
  Calenda->place(3000, 600, 4200, 3300);
  Calenda->setVisible(false);
  connect(Calenda, &forms::Control::clicked, this,
          guarded("Calenda_Click", [this] { Calenda_Click(); }));

  Pan_Setting->setVisible(false);
  Com_B->setVisible(false);
  Com_D->setVisible(false);
  Com_E->setVisible(false);
  Txt_Number->setVisible(false);
  place(3000, 1500, 11600, 7560);
}

void TimeEditor::GridB_Data_View() {
  for (int r = 1; r <= kAlarmRows; ++r)
    for (int c = 0; c < kAlarmCols; ++c)
      Grid_B->setTextMatrix(r, c, table_.at(r, c));
}

void TimeEditor::GridB_Data_DD() {
  for (int r = 1; r <= kAlarmRows; ++r)
    for (int c = 0; c < kAlarmCols; ++c)
      table_.at(r, c) = Grid_B->textMatrix(r, c);
}

bool TimeEditor::GridB_Data_Write() {
  QString reason;
  if (writeAlarmStore(table_, services_.storePath, &reason)) return true;
  // The table keeps the change; the old file stays as it was.
  forms::reportSaveFailure(services_.dialogs, services_.storePath, reason);
  return false;
}

void TimeEditor::Get_Grid_B_Num() {
  // With every row filled there is no blank one: the bound is the row after
  // the last, so that all 49 rows are sorted.
  Blank_Row = Grid_B->rows();
  for (int r = 0; r < Grid_B->rows(); ++r)
    if (text::trim(Grid_B->textMatrix(r, 1)).isEmpty()) {
      Blank_Row = r;
      return;
    }
}

void TimeEditor::colorRow(int r, forms::Rgb color) {
  if (r < 1 || r >= Grid_B->rows()) return;
  const int row = Grid_B->row(), col = Grid_B->col();
  for (int c = 0; c < kAlarmCols; ++c) {
    Grid_B->setRow(r);
    Grid_B->setCol(c);
    Grid_B->setCellBackColor(color);
  }
  Grid_B->setRow(row);
  Grid_B->setCol(col);
}

void TimeEditor::Grid_B_DblClick(int mouseRow) {
  if (Edit_Mode) return;
  // The header row holds the column titles; it is no alarm.
  if (mouseRow < 1 || mouseRow > kAlarmRows) return;
  Cur_Row = static_cast<std::int16_t>(mouseRow);
  Row_Count = static_cast<std::int16_t>(table_.rowCount());
  if (Cur_Row > Row_Count) {
    Cur_Row = static_cast<std::int16_t>(Row_Count + 1);
    colorRow(Cur_Row, kEditedRowColor);
    Com_C->setVisible(true);
    Com_D->setVisible(true);
    Com_E->setVisible(false);
    Txt_Number->setVisible(false);
  } else {
    Pan_Setting->setVisible(true);
    for (int c = 0; c < kAlarmCols; ++c)
      Time_Rec[static_cast<size_t>(c)] = table_.at(Cur_Row, c);
    loadingRow_ = true;
    auto pick = [](auto &opts, int i) {
      if (i > 0) opts[static_cast<size_t>(i)]->setValue(true);
    };
    auto yesNoIndex = [](const QString &v) { return v == u"yes" ? 1 : v == u"no" ? 2 : 0; };
    pick(OptAlamYesNO, yesNoIndex(Time_Rec[colOn]));
    pick(OptGibon, optionOfKind(Time_Rec[colKind]));
    pick(OptSoriYesNo, yesNoIndex(Time_Rec[colSoundOn]));
    int sound = 0;
    for (int n = 1; n <= 9; ++n)
      if (Time_Rec[colSound] == QStringLiteral("음%1").arg(n)) sound = n;
    pick(OptSori, sound);
    pick(OptTxtYesNo, yesNoIndex(Time_Rec[colMessageOn]));
    loadingRow_ = false;
    TXTalim->setText(Time_Rec[colMessage]);
    Txt_Number->setText(QString::number(Cur_Row));
    const QString &kind = Time_Rec[colKind];
    if (kind == u"지정") {
      TxtDate->setText(Time_Rec[colMonth] + u'/' + Time_Rec[colDay]);
      // The calendar opens on the alarm's own date.
      const QDate date(Calenda->year(), static_cast<int>(text::val(Time_Rec[colMonth])),
                       static_cast<int>(text::val(Time_Rec[colDay])));
      Calenda->setValue(date);
      Txt_Hour->setText(Time_Rec[colHour]);
      Txt_Minute->setText(Time_Rec[colMinute]);
    } else if (kind == u"매시") {
      Txt_Minute->setText(Time_Rec[colMinute]);
    } else if (kind == u"매월") {
      TxtDay->setText(Time_Rec[colDay]);
      Txt_Hour->setText(Time_Rec[colHour]);
      Txt_Minute->setText(Time_Rec[colMinute]);
    } else if (optionOfKind(kind) != 0) { // daily and the weekdays
      Txt_Hour->setText(Time_Rec[colHour]);
      Txt_Minute->setText(Time_Rec[colMinute]);
    }
    Com_B->setVisible(true);
    Com_D->setVisible(true);
    Com_E->setVisible(true);
    Txt_Number->setVisible(true);
    Com_C->setVisible(false);
    colorRow(Cur_Row, kEditedRowColor);
  }
  Edit_Mode = true;
  Com_Close->setVisible(false);
}

void TimeEditor::Com_C_MouseDown() {
  int filled = 0;
  for (int r = 1; r <= kAlarmRows; ++r)
    filled += !Grid_B->textMatrix(r, colNumber).isEmpty();
  if (filled >= kAlarmRows) {
    if (services_.dialogs)
      services_.dialogs->msgBox(QStringLiteral("알람은 %1개까지 저장할 수 있습니다. "
                                               "새 알람을 넣으려면 먼저 하나를 삭제하십시오.")
                                    .arg(kAlarmRows),
                                forms::vbExclamation);
    return;
  }
  Edit_Mode = true;
  Cur_Row = static_cast<std::int16_t>(filled + 1);
  Pan_Setting->setVisible(true);
  Txt_Number->setText(QString::number(Cur_Row));
  Com_B->setVisible(true);
  Com_D->setVisible(true);
  Txt_Number->setVisible(true);
  Com_C->setVisible(false);
  Com_E->setVisible(false);
  Com_Close->setVisible(false);
}

bool TimeEditor::checkEntries() {
  auto refuse = [this](const QString &message) {
    if (services_.dialogs) services_.dialogs->msgBox(message, forms::vbExclamation);
    return false;
  };
  const QString kind = kindOfOption(chosen(OptGibon));
  if (kind == u"지정") {
    const QString t = TxtDate->text();
    const qsizetype slash = t.indexOf(u'/');
    if (slash < 0) return refuse(QStringLiteral("날짜를 월/일 형식(예: 3/13)으로 입력하십시오."));
    if (!plainNumber(QStringView(t).left(slash), 1, 12))
      return refuse(QStringLiteral("월은 1부터 12까지의 숫자로 입력하십시오."));
    if (!plainNumber(QStringView(t).mid(slash + 1), 1, 31))
      return refuse(QStringLiteral("일은 1부터 31까지의 숫자로 입력하십시오."));
  }
  if (kind == u"매월" && !plainNumber(TxtDay->text(), 1, 31))
    return refuse(QStringLiteral("일은 1부터 31까지의 숫자로 입력하십시오."));
  if (!kind.isEmpty() && kind != u"매시" && !plainNumber(Txt_Hour->text(), 0, 23))
    return refuse(QStringLiteral("시는 0부터 23까지의 숫자로 입력하십시오."));
  if (!kind.isEmpty() && !plainNumber(Txt_Minute->text(), 0, 59))
    return refuse(QStringLiteral("분은 0부터 59까지의 숫자로 입력하십시오."));
  // The store separates fields with "|" and ends with the line: those
  // characters become their full-width or blank forms, shown in the box.
  const QString kept = text::fieldText(TXTalim->text(), u"|");
  if (kept != TXTalim->text()) TXTalim->setText(kept);
  return forms::acceptCp949(services_.dialogs, kept);
}

void TimeEditor::Com_B_MouseDown() {
  if (!checkEntries()) return; // nothing is stored; the row stays open
  Edit_Mode = false;
  Time_Rec.fill(QString());
  Time_Rec[colNumber] = QString::number(Cur_Row);
  const int onOff = chosen(OptAlamYesNO);
  if (onOff) Time_Rec[colOn] = onOff == 1 ? QStringLiteral("yes") : QStringLiteral("no");
  const QString kind = kindOfOption(chosen(OptGibon));
  Time_Rec[colKind] = kind;
  const int soundOn = chosen(OptSoriYesNo);
  if (soundOn) Time_Rec[colSoundOn] = soundOn == 1 ? QStringLiteral("yes") : QStringLiteral("no");
  const int sound = chosen(OptSori);
  if (sound) Time_Rec[colSound] = QStringLiteral("음%1").arg(sound);
  const int textOn = chosen(OptTxtYesNo);
  if (textOn) Time_Rec[colMessageOn] = textOn == 1 ? QStringLiteral("yes") : QStringLiteral("no");
  Time_Rec[colMessage] = TXTalim->text();

  // Numbers are stored without leading zeros, as the clock reads them.
  auto number = [](QStringView typed) {
    return QString::number(plainNumber(typed, 0, 9999).value_or(0));
  };
  const QString star = QStringLiteral("*");
  if (kind == u"지정") {
    const QString t = TxtDate->text();
    const qsizetype slash = t.indexOf(u'/');
    Time_Rec[colMonth] = number(QStringView(t).left(slash));
    Time_Rec[colDay] = number(QStringView(t).mid(slash + 1));
    Time_Rec[colHour] = number(Txt_Hour->text());
    Time_Rec[colMinute] = number(Txt_Minute->text());
  } else if (kind == u"매시") {
    Time_Rec[colMonth] = Time_Rec[colDay] = Time_Rec[colHour] = star;
    Time_Rec[colMinute] = number(Txt_Minute->text());
  } else if (kind == u"매월") {
    Time_Rec[colMonth] = star;
    Time_Rec[colDay] = number(TxtDay->text());
    Time_Rec[colHour] = number(Txt_Hour->text());
    Time_Rec[colMinute] = number(Txt_Minute->text());
  } else if (!kind.isEmpty()) { // daily and the weekdays
    Time_Rec[colMonth] = Time_Rec[colDay] = star;
    Time_Rec[colHour] = number(Txt_Hour->text());
    Time_Rec[colMinute] = number(Txt_Minute->text());
  }
  for (int c = 0; c < kAlarmCols; ++c) {
    Grid_B->setTextMatrix(Cur_Row, c, Time_Rec[static_cast<size_t>(c)]);
    table_.at(Cur_Row, c) = Time_Rec[static_cast<size_t>(c)];
  }
  toIdle();
  sortAndStore();
}

void TimeEditor::sortAndStore() {
  GridB_Data_DD();
  Get_Grid_B_Num();
  const int n = Blank_Row - 1;
  const std::vector<int> order = sortedOrder(table_, n);
  std::vector<AlarmRow> sorted;
  sorted.reserve(order.size());
  for (int r : order)
    sorted.push_back(table_.rows[static_cast<size_t>(r)]);
  for (int k = 1; k <= static_cast<int>(sorted.size()); ++k) {
    AlarmRow &row = sorted[static_cast<size_t>(k - 1)];
    row[colNumber] = QString::number(k);
    for (int c = 0; c < kAlarmCols; ++c) {
      Grid_B->setTextMatrix(k, c, row[static_cast<size_t>(c)]);
      table_.at(k, c) = row[static_cast<size_t>(c)];
    }
  }
  GridB_Data_Write();
  if (services_.FunPlusList) FrmStart::call("FunPlusList", services_.FunPlusList);
}

void TimeEditor::toIdle() {
  // The calendar belongs to the open row; it does not outlive the edit.
  Calenda->setVisible(false);
  Pan_Setting->setVisible(false);
  Com_B->setVisible(false);
  Com_D->setVisible(false);
  Com_E->setVisible(false);
  Txt_Number->setVisible(false);
  Com_C->setVisible(true);
  Com_Close->setVisible(true);
  colorRow(Cur_Row, rgb(255, 255, 255));
}

void TimeEditor::Com_E_Click() {
  for (int c = 0; c < kAlarmCols; ++c)
    Grid_B->setTextMatrix(Cur_Row, c, QString());
  Edit_Mode = false;
  toIdle();
  Row_Count = static_cast<std::int16_t>(table_.rowCount());
  for (int i = Cur_Row + 1; i <= Row_Count; ++i)
    for (int c = 0; c < kAlarmCols; ++c) {
      table_.at(i - 1, c) = table_.at(i, c);
      Grid_B->setTextMatrix(i - 1, c, table_.at(i, c));
    }
  if (Row_Count >= 1) {
    for (int c = 0; c < kAlarmCols; ++c) {
      table_.at(Row_Count, c).clear();
      Grid_B->setTextMatrix(Row_Count, c, QString());
    }
  }
  for (int k = 1; k <= Row_Count - 1; ++k) {
    table_.at(k, colNumber) = QString::number(k);
    Grid_B->setTextMatrix(k, colNumber, QString::number(k));
  }
  GridB_Data_Write();
}

void TimeEditor::Com_D_Click() {
  Edit_Mode = false;
  toIdle();
}

void TimeEditor::Com_Close_Click() {
  Edit_Mode = false;
  if (services_.FunPlusList) FrmStart::call("FunPlusList", services_.FunPlusList);
  setVisible(false);
}

void TimeEditor::OptGibon_Click(int i) {
  Pan_Hour->setVisible(i != 2);
  if (i == 1) {
    Calenda->setVisible(true);
    Calenda->raise();
    TxtDate->setVisible(true);
    TxtDay->setVisible(false);
    Pan2->setVisible(false);
  } else if (i == 4) {
    TxtDate->setVisible(false);
    TxtDay->setVisible(true);
    TxtDay->setText(QString());
    Pan2->setVisible(true);
  } else {
    TxtDate->setVisible(false);
    TxtDay->setVisible(false);
    Pan2->setVisible(false);
  }
}

void TimeEditor::OptSori_Click(int n) {
  if (loadingRow_ || !services_.playWave) return;
  services_.playWave(QStringLiteral("음%1").arg(n));
}

void TimeEditor::Calenda_Click() {
  TxtDate->setText(QStringLiteral("%1/%2").arg(Calenda->month()).arg(Calenda->day()));
  Calenda->setVisible(false);
}

void TimeEditor::VScroll1_Change() {
  Txt_Hour->setText(QString::number(VScroll1->value()));
}

void TimeEditor::VScroll2_Change() {
  Txt_Minute->setText(QString::number(VScroll2->value()));
}

} // namespace dorrin::organiser
