#include "organiser/alarms/alarm_page.h"

#include "organiser/alarms/time_editor.h"
#include "organiser/main/frm_start.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcAlarms, "dorrin.alarms")

namespace dorrin::organiser {

AlarmPage::AlarmPage(FrmStart &form, AlarmOutputs outputs, QString storePath)
    : form_(form), outputs_(std::move(outputs)), storePath_(std::move(storePath)) {
  auto &h = form.hooks;
  h.GridB_Data_Open = [this] { GridB_Data_Open(); };
  h.FunPlusList = [this] { FunPlusList(); };
  h.Time1_Timer = [this] { Time1_Timer(); };
  connect(form.Grid_C, &forms::Control::dblClick, this,
          [this] { FrmStart::call("Grid_C_DblClick", [this] { Grid_C_DblClick(); }); });
}

AlarmPage::~AlarmPage() {
  auto &h = form_.hooks;
  h.GridB_Data_Open = nullptr;
  h.FunPlusList = nullptr;
  h.Time1_Timer = nullptr;
}

void AlarmPage::GridB_Data_Open() {
  if (!loadAlarmStore(Time_Data, storePath_))
    qCDebug(lcAlarms) << "no alarm store at" << storePath_ << "- the table stays as it was";
}

void AlarmPage::FunPlusList() {
  forms::FlexGrid *g = form_.Grid_C;
  for (int r = 0; r <= 49; ++r)
    g->setTextMatrix(r, 1, QString());
  List_Count = 0;
  const QDate today = form_.today();
  for (int r = 1; r <= kAlarmRows; ++r) {
    const AlarmRow &row = Time_Data.rows[static_cast<size_t>(r)];
    if (!listedOn(row, today)) continue;
    g->setTextMatrix(List_Count, 1, row[colMessage]);
    ++List_Count;
  }
}

void AlarmPage::Time1_Timer() {
  form_.Kttime->setCaption(clockText(form_.now(), form_.Kttime->width()));
  FunShowChang();
}

void AlarmPage::FunShowChang() {
  for (int r : matcher.tick(Time_Data, form_.now())) {
    const AlarmRow &row = Time_Data.rows[static_cast<size_t>(r)];
    // The message first: a sound that fails must not keep it from showing.
    if (row[colMessageOn] == u"yes" && outputs_.showNotice)
      FrmStart::call("showNotice", [&] { outputs_.showNotice(row[colMessage]); });
    if (row[colSoundOn] == u"yes" && outputs_.playWave) {
      int error = 0;
      FrmStart::call("PlayWave", [&] { error = outputs_.playWave(row[colSound]); });
      if (error != 0 && !soundFailureReported_) {
        soundFailureReported_ = true;
        qCWarning(lcAlarms) << "alarm sound" << row[colSound] << "cannot play (error" << error
                            << "); later failures are not reported again";
      }
    }
  }
}

void AlarmPage::Pan_Load_Time() {
  GridB_Data_Open();
  FunPlusList();
}

void AlarmPage::Grid_C_DblClick() {
  if (form_.Grid_C->mouseCol() != 1) return;
  openEditor();
}

void AlarmPage::openEditor() {
  GridB_Data_Open();
  if (!editor_)
    editor_ = std::make_unique<TimeEditor>(
        Time_Data,
        TimeEditor::Services{form_.dialogs(),
                             [this](const QString &sound) {
                               return outputs_.playWave ? outputs_.playWave(sound) : -1;
                             },
                             [this] { FunPlusList(); }, storePath_});
  editor_->show();
  editor_->raise();
  editor_->GridB_Data_View();
}

} // namespace dorrin::organiser
