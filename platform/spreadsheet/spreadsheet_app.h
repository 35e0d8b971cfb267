#pragma once
// A spreadsheet application reached by automation, the class a program
// creates as "Excel.Application". It offers the object model a program
// fills a sheet through:
//
//   Application  .Workbooks  .Visible (read/write)  .Quit
//   Workbooks    .Add -> Workbook  .Count  .Item(i)
//   Workbook     .Worksheets(i) / .Sheets(i) -> Worksheet  .Name  .FullName
//   Worksheet    .Cells(row, column) -> Range  .Name
//   Range        .Value (the default member; read/write)  .Value2
//
// Workbooks live in memory. Making the application visible writes each
// workbook not yet shown to a new .xlsx file (never replacing a file) in the
// user's documents folder, logs its path and opens it with the desktop's
// opener. When no application for .xlsx files is installed, or the opener
// fails, the put of Visible raises an error naming the file; FullName then
// gives the path.
#include "platform/com/automation.h"
#include "platform/com/server.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QString>
#include <functional>

namespace dorrin::shell {
class Shell;
}

namespace dorrin::spreadsheet {

Q_DECLARE_LOGGING_CATEGORY(lcSheet)

inline constexpr com::CLSID CLSID_Application = com::guid("{3B8E5C20-6F1D-4E2A-9C47-1D0E5A7B8C21}");
inline constexpr const char *kProgId = "Excel.Application";
inline constexpr const char *kXlsxMimeType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

struct AppOptions {
  // Folder of the written files.
  std::function<QString()> folder;
  // The opener; null: files are written, never opened.
  shell::Shell *shell = nullptr;
  // Whether an installed application opens .xlsx files.
  std::function<bool()> canOpen;
  std::function<QDateTime()> now;
};

// The user's documents folder (created when missing), else the home folder.
QString documentsFolder();
// Whether the desktop's MIME rules name an application for .xlsx files.
bool xlsxHandlerInstalled();

// A new application object (one reference, owned by the caller); module
// counts the library's live objects, may be null.
com::IDispatch *newApplication(AppOptions options, com::ModuleCount *module = nullptr);

} // namespace dorrin::spreadsheet
