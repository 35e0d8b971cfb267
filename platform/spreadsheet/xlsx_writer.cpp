#include "platform/spreadsheet/xlsx_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <xlsxwriter.h>

namespace dorrin::spreadsheet {

namespace {

QString lxwError(lxw_error e) {
  return QString::fromUtf8(lxw_strerror(e));
}

} // namespace

bool writeXlsx(const QString &path, const std::vector<Sheet> &sheets, QString *error) {
  const QByteArray file = QFile::encodeName(path);
  // Rows are written in order from the sorted cell map, so the writer can
  // stream each row to disk instead of holding the whole sheet.
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  const QByteArray tmp = QFile::encodeName(QDir::tempPath());
  options.tmpdir = const_cast<char *>(tmp.constData());
  lxw_workbook *book = workbook_new_opt(file.constData(), &options);
  if (!book) {
    if (error) *error = QStringLiteral("cannot create the workbook");
    return false;
  }
  lxw_format *dateFormat = workbook_add_format(book);
  format_set_num_format(dateFormat, "yyyy-mm-dd hh:mm:ss");

  lxw_error failed = LXW_NO_ERROR;
  int index = 0;
  for (const Sheet &s : sheets) {
    ++index;
    const QByteArray name =
        (s.name.isEmpty() ? QStringLiteral("Sheet%1").arg(index) : s.name).toUtf8();
    lxw_worksheet *ws = workbook_add_worksheet(book, name.constData());
    if (!ws) {
      failed = LXW_ERROR_SHEETNAME_ALREADY_USED;
      break;
    }
    for (const auto &[at, v] : s.cells) {
      const lxw_row_t r = lxw_row_t(at.first - 1);
      const lxw_col_t c = lxw_col_t(at.second - 1);
      lxw_error e = LXW_NO_ERROR;
      switch (v.type()) {
      case com::VT_BSTR:
        if (!v.str().empty()) e = worksheet_write_string(ws, r, c, v.str().c_str(), nullptr);
        break;
      case com::VT_I2:
      case com::VT_I4:
      case com::VT_UI1:
      case com::VT_R4:
      case com::VT_R8:
        e = worksheet_write_number(ws, r, c, v.toR8().value_or(0), nullptr);
        break;
      case com::VT_BOOL:
        e = worksheet_write_boolean(ws, r, c, v.boolVal(), nullptr);
        break;
      case com::VT_DATE:
        e = worksheet_write_number(ws, r, c, v.date(), dateFormat);
        break;
      default: // Empty, Null, objects and errors leave the cell blank
        break;
      }
      // A text longer than a cell holds is cut by the writer; that is
      // reported but the rest of the sheet is still written.
      if (e != LXW_NO_ERROR && e != LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED && failed == LXW_NO_ERROR)
        failed = e;
    }
  }
  const lxw_error closed = workbook_close(book);
  if (failed == LXW_NO_ERROR) failed = closed;
  if (failed != LXW_NO_ERROR) {
    if (error) *error = lxwError(failed);
    QFile::remove(path);
    return false;
  }
  return true;
}

QString freePath(const QString &folder, const QString &stem) {
  const QDir dir(folder);
  QString path = dir.filePath(stem + QStringLiteral(".xlsx"));
  for (int n = 2; QFileInfo::exists(path); ++n)
    path = dir.filePath(QStringLiteral("%1 (%2).xlsx").arg(stem).arg(n));
  return path;
}

QString writeNewXlsx(const QString &folder, const QString &stem, const std::vector<Sheet> &sheets,
                     QString *error) {
  if (!QDir().mkpath(folder)) {
    if (error) *error = QStringLiteral("cannot create the folder %1").arg(folder);
    return {};
  }
  QTemporaryFile tmp(QDir(folder).filePath(QStringLiteral(".export-XXXXXX.xlsx")));
  if (!tmp.open()) {
    if (error) *error = tmp.errorString();
    return {};
  }
  tmp.close();
  if (!writeXlsx(tmp.fileName(), sheets, error)) return {};
  const QByteArray from = QFile::encodeName(tmp.fileName());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const QString path = freePath(folder, stem);
    if (::link(from.constData(), QFile::encodeName(path).constData()) == 0) return path;
    if (errno != EEXIST) {
      if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
      return {};
    }
  }
  if (error) *error = QStringLiteral("no free file name");
  return {};
}

} // namespace dorrin::spreadsheet
