#pragma once
// Export of the whole contact table to a spreadsheet application reached by
// automation (member names, late bound): a new workbook, its first sheet,
// the 15 field names in row 1, one contact per row below, each value with
// its own type (texts as text, the record number as a number), then the
// application is made visible.
#include "organiser/contracts/database.h"
#include "platform/com/automation.h"

#include <QStringList>

namespace dorrin::organiser {

inline constexpr const char *kSpreadsheetProgId = "Excel.Application";

// Creates the class registered as "Excel.Application".
com::HRESULT createSpreadsheetApplication(com::IDispatch **out);

struct ExportResult {
  qint64 contacts = 0; // rows written below the header
  bool shown = false;  // "Visible" was accepted: the sheet is on screen
  QString file;        // where the workbook was written, when the application says
};

// Each call that fails is logged and skipped, like every step of the
// window; a failure to reach the sheet ends the export.
ExportResult exportContacts(com::IDispatch *app, db::Recordset &rs, const QStringList &labels);

} // namespace dorrin::organiser
