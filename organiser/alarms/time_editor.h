#pragma once
// The alarm editor window `Time`: the alarm table in the grid Grid_B, and a
// settings panel in which one row is added, changed or deleted. Save sorts
// the table (fixed dates, monthly, Monday..Sunday, daily, hourly; within a
// kind by month, day, hour and minute) and rewrites the store.
#include "organiser/alarms/alarm_table.h"
#include "platform/forms/form.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace dorrin::forms {
class Calendar;
class Dialogs;
class FlexGrid;
class KtCommand;
class KtFrame;
class KtOption;
class KtPanel;
class ScrollBar;
class TextBox;
} // namespace dorrin::forms

namespace dorrin::organiser {

inline constexpr forms::Rgb kEditedRowColor = forms::rgb(245, 125, 200);

// Option index (1..11) of each kind, as the kind options are numbered.
QString kindOfOption(int index);
int optionOfKind(QStringView kind);

class TimeEditor : public forms::Form {
  Q_OBJECT
public:
  struct Services {
    forms::Dialogs *dialogs = nullptr;
    // Plays "<sound>.wav" through the main window's multimedia control.
    std::function<int(const QString &sound)> playWave;
    // The main window's list of today's alarms.
    std::function<void()> FunPlusList;
    QString storePath;
  };

  TimeEditor(AlarmTable &table, Services services, QWidget *parent = nullptr);
  ~TimeEditor() override;

  // Table to grid, grid to table, table to store.
  void GridB_Data_View();
  void GridB_Data_DD();
  bool GridB_Data_Write();
  // Blank_Row: the first grid row whose column 1 is blank.
  void Get_Grid_B_Num();

  // Event handlers (the controls' signals run them; tests call them too).
  // A double-click on grid row `mouseRow`.
  void Grid_B_DblClick(int mouseRow);
  void Com_C_MouseDown(); // Add
  void Com_B_MouseDown(); // Save
  void Com_D_Click();     // Cancel
  void Com_E_Click();     // Delete
  void Com_Close_Click(); // Close
  void OptGibon_Click(int index);
  void OptSori_Click(int index);
  void Calenda_Click();
  void VScroll1_Change();
  void VScroll2_Change();

  // State of the editor.
  std::int16_t Cur_Row = 0;
  bool Edit_Mode = false;
  std::int16_t Row_Count = 0;
  int Blank_Row = 0;
  std::array<QString, kAlarmCols> Time_Rec{};

  // Controls, by the names the procedures use; option arrays by index
  // (element 0 unused).
  forms::FlexGrid *Grid_B = nullptr;
  forms::KtCommand *Com_B = nullptr, *Com_C = nullptr, *Com_D = nullptr, *Com_E = nullptr,
                   *Com_Close = nullptr;
  forms::TextBox *Txt_Number = nullptr;
  forms::KtPanel *Pan_Setting = nullptr;
  std::array<forms::KtOption *, 3> OptAlamYesNO{};
  std::array<forms::KtOption *, 12> OptGibon{};
  forms::TextBox *TxtDate = nullptr, *TxtDay = nullptr;
  forms::KtPanel *Pan2 = nullptr;
  forms::KtPanel *Pan_Hour = nullptr, *Pan_Minute = nullptr;
  forms::TextBox *Txt_Hour = nullptr, *Txt_Minute = nullptr;
  forms::ScrollBar *VScroll1 = nullptr, *VScroll2 = nullptr;
  std::array<forms::KtOption *, 10> OptSori{};
  std::array<forms::KtOption *, 3> OptSoriYesNo{};
  std::array<forms::KtOption *, 3> OptTxtYesNo{};
  forms::TextBox *TXTalim = nullptr;
  forms::Calendar *Calenda = nullptr;

private:
  void buildControls();
  void colorRow(int r, forms::Rgb color);
  void toIdle();
  // Checks the typed date and time of the chosen kind and the message;
  // shows a message and returns false when something cannot be stored.
  bool checkEntries();
  void sortAndStore();

  AlarmTable &table_;
  Services services_;
  // Options set by code (opening a row) play no preview.
  bool loadingRow_ = false;
};

} // namespace dorrin::organiser
