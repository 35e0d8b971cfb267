#pragma once
// The phone book window `frmTelephone`: the 90 group cells on the left, the
// name list on the right, the search box above the groups and the detail
// panel that floats over the name list to show and edit one contact. The
// window opens its own contact database and group file each time it loads.
//
// Each name-list row remembers the record it was filled from (field 14,
// "번호"), so showing, saving and deleting act on the contact the user
// picked even when several contacts share a name.
#include "organiser/contracts/database.h"
#include "organiser/phonebook/group_names.h"
#include "platform/com/automation.h"
#include "platform/forms/form.h"

#include <QLoggingCategory>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace dorrin::forms {
class Dialogs;
class FlexGrid;
class KtPanel;
class TextBox;
struct MouseArgs;
} // namespace dorrin::forms
namespace dorrin::shell {
class Shell;
}

namespace dorrin::organiser {

Q_DECLARE_LOGGING_CATEGORY(lcPhone)

inline constexpr int kFieldCount = 15;  // fields 0..14 of table "Tel"
inline constexpr int kValueFields = 14; // 0..13 are the user's; 14 is numbered by the database
inline constexpr int kMailField = 8;    // "메일1"
inline constexpr int kNameListRows = 2001;
inline constexpr int kNameListCols = 6;
// The 15 field names in field order: detail labels and export header.
const QStringList &fieldLabels();

struct PhoneBookServices {
  db::Engine *engine = nullptr;
  shell::Shell *shell = nullptr;
  // Null: message boxes of the phone book's own, over its window.
  forms::Dialogs *dialogs = nullptr;
  // Creates the spreadsheet application; unset: the class registered as
  // "Excel.Application".
  std::function<com::HRESULT(com::IDispatch **out)> createSpreadsheet;
};

class FrmTelephone : public forms::Form {
  Q_OBJECT
public:
  explicit FrmTelephone(PhoneBookServices services, QWidget *parent = nullptr);
  ~FrmTelephone() override;

  // What the main window's tab does: load the window when it is not loaded,
  // show it top-most and give it the focus.
  void open();
  bool loaded() const { return Tel_Rs != nullptr; }

  // --- data (fills and contact operations)
  void Form_Load();
  void Form_Unload();
  void Tel_Load();
  void Group_Load(const QString &group);
  void Name_Load(const QString &name);
  void Data_Name_Clear(int last);
  void Show_Contact();
  void Com_Click(int index);
  void Group_Commit();

  // --- events
  void Grid_Group_MouseDown();
  void Grid_Group_Click();
  void Grid_Group_DblClick();
  void Txt_Group_Input_KeyDown(int keyCode);
  void Text1_Edited(const QString &text);
  void Grid_Name_MouseDown();
  void Grid_Name_DblClick();
  void Grid_Tel_MouseDown();
  void Txt_Tel_Input_KeyDown(int keyCode);
  void Menu_Click(int index);
  void Pan_Tel_MouseDown(const forms::MouseArgs &e);
  void Pan_Tel_MouseMove(const forms::MouseArgs &e);

  // The mail action: opens a new mail to address in the desktop's mail program.
  void Send_Mail(const QString &address);
  // Exports every contact to a new spreadsheet and shows it.
  void Export_Contacts();

  // Where the window keeps its files (resolved install paths).
  QString databasePath() const;
  QString groupFilePath() const;

  // State.
  std::unique_ptr<db::Database> Tel_Db;
  std::unique_ptr<db::Recordset> Tel_Rs;
  GroupNames Group_Names;
  QString Cur_Name;
  qint16 Name_Last = 0;
  qint16 Group_Row = 0, Group_Col = 0, Name_Row = 0, Tel_Row = 0;
  // The record (field 14) of each name-list row; -1 when none.
  std::vector<qint64> rowRecord;
  // The record shown in the detail grid; -1 for a new contact or none.
  qint64 Cur_Record = -1;

  // Controls.
  forms::KtPanel *Pan_Main = nullptr;
  forms::TextBox *Txt_Group_Input = nullptr;
  forms::TextBox *Text1 = nullptr;
  forms::FlexGrid *Grid_Group = nullptr;
  std::array<forms::KtPanel *, 7> Menu{};
  forms::FlexGrid *Grid_Name = nullptr;
  forms::KtPanel *Pan_Tel = nullptr;
  forms::FlexGrid *Grid_Tel = nullptr;
  forms::TextBox *Txt_Tel_Input = nullptr;
  std::array<forms::KtPanel *, 4> Com{};

  // Runs one step of an event under the resume-next rule: an exception is
  // logged and the event goes on.
  static void step(const char *name, const std::function<void()> &f);

private:
  void buildControls();
  void setUpGrids();
  void fill(const QString &field, const QString &value);
  void copyRow(int n);
  bool findCurrent();
  void resetDetailEditor();
  void clearValues();
  void placeGroupEditor();
  void placeDetailEditor();
  void setRowColours(int row, forms::Rgb back, forms::Rgb fore);
  bool eventFilter(QObject *watched, QEvent *e) override;

  forms::Dialogs *dialogs() const;

  PhoneBookServices services_;
  std::unique_ptr<forms::Dialogs> ownDialogs_;
  int dragX_ = 0, dragY_ = 0;
};

} // namespace dorrin::organiser
