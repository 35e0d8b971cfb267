#pragma once
// The alarm side of the main window: the table loaded from its store, the
// clock text of `Kttime` and the matcher on every `Time1` tick, today's
// alarms in `Grid_C`, and the editor window opened from that list.
#include "organiser/alarms/alarm_clock.h"
#include "organiser/alarms/alarm_table.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace dorrin::organiser {

class FrmStart;
class TimeEditor;

// Where a due alarm goes: its message to the notice pop-up, its sound to the
// multimedia control. playWave returns 0, or an error number when the sound
// could not start.
struct AlarmOutputs {
  std::function<void(const QString &message)> showNotice;
  std::function<int(const QString &sound)> playWave;
};

// Installs the main window's hooks GridB_Data_Open, FunPlusList and
// Time1_Timer, and the double-click of Grid_C. Destroy it before the form.
class AlarmPage : public QObject {
public:
  AlarmPage(FrmStart &form, AlarmOutputs outputs, QString storePath = alarmStorePath());
  ~AlarmPage() override;
  AlarmPage(const AlarmPage &) = delete;
  AlarmPage &operator=(const AlarmPage &) = delete;

  // Loads the store into Time_Data (a missing store changes nothing).
  void GridB_Data_Open();
  // Lists today's alarms in column 1 of Grid_C.
  void FunPlusList();
  // One clock tick: the clock text, then the matcher.
  void Time1_Timer();
  // Signals every alarm due at this tick.
  void FunShowChang();
  // The alarm steps of the alarm page's loader: load, then list.
  void Pan_Load_Time();
  // A double-click on Grid_C: column 1 opens the editor.
  void Grid_C_DblClick();
  // Opens the editor on the table as stored: reload, show, fill its grid.
  void openEditor();
  // The editor window; null until first opened.
  TimeEditor *editor() const { return editor_.get(); }

  AlarmTable Time_Data;
  AlarmMatcher matcher;
  int List_Count = 0;
  const QString &storePath() const { return storePath_; }

private:
  FrmStart &form_;
  AlarmOutputs outputs_;
  QString storePath_;
  std::unique_ptr<TimeEditor> editor_;
  bool soundFailureReported_ = false;
};

} // namespace dorrin::organiser
