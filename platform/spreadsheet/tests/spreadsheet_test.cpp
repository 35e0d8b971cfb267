// The spreadsheet application: its object model through late-bound calls,
// the .xlsx it writes (read back), and the registered library created by
// its ProgID as a program creates it.
#include "platform/com/loader.h"
#include "platform/shell/testing/fake_shell.h"
#include "platform/spreadsheet/spreadsheet_app.h"
#include "platform/spreadsheet/tests/xlsx_reader.h"
#include "platform/spreadsheet/xlsx_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dorrin::spreadsheet::testing {
namespace {

using com::ComPtr;
using com::HRESULT;
using com::IDispatch;
using com::Variant;
using S = QString;

HRESULT call(IDispatch *on, const char *name, std::uint16_t flags, std::vector<Variant> args,
             Variant *result = nullptr, com::ExcepInfo *ei = nullptr) {
  com::DISPID id = com::DISPID_UNKNOWN;
  const HRESULT hr = com::getIdOfName(on, name, &id);
  if (com::failed(hr)) return hr;
  com::DispParams p{std::move(args)};
  return on->Invoke(id, flags, p, result, ei, nullptr);
}
ComPtr<IDispatch> get(IDispatch *on, const char *name, std::vector<Variant> args = {}) {
  Variant v;
  call(on, name, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, std::move(args), &v);
  return ComPtr<IDispatch>(v.dispatch());
}
HRESULT putCell(IDispatch *sheet, int r, int c, Variant v) {
  const auto cell = get(sheet, "Cells", {Variant(std::int32_t(r)), Variant(std::int32_t(c))});
  if (!cell) return com::DISP_E_BADINDEX;
  return call(cell.get(), "Value", com::DISPATCH_PROPERTYPUT, {std::move(v)});
}

class Spreadsheet : public ::testing::Test {
protected:
  QTemporaryDir folder;
  shell::testing::RecordingShell shell;
  bool canOpen = true;

  ComPtr<IDispatch> newApp() {
    AppOptions o;
    o.folder = [this] { return folder.path(); };
    o.shell = &shell;
    o.canOpen = [this] { return canOpen; };
    o.now = [] { return QDateTime(QDate(2026, 12, 10), QTime(9, 30, 5)); };
    return ComPtr<IDispatch>::adopt(newApplication(std::move(o)));
  }
};

TEST_F(Spreadsheet, ValuesKeepTheirTypesInTheWrittenWorkbook) {
  const auto app = newApp();
  const auto sheet = get(get(get(app.get(), "Workbooks").get(), "Add").get(), "Worksheets",
                         {Variant(std::int16_t(1))});
  ASSERT_TRUE(sheet);
  EXPECT_EQ(putCell(sheet.get(), 1, 1, Variant("이름")), com::S_OK);
  EXPECT_EQ(putCell(sheet.get(), 2, 1, Variant("010-0123")), com::S_OK);
  EXPECT_EQ(putCell(sheet.get(), 2, 2, Variant(std::int32_t(42))), com::S_OK);
  EXPECT_EQ(putCell(sheet.get(), 2, 3, Variant(2.5)), com::S_OK);
  EXPECT_EQ(putCell(sheet.get(), 2, 4, Variant(true)), com::S_OK);
  EXPECT_EQ(putCell(sheet.get(), 2, 5, Variant("")), com::S_OK);
  EXPECT_EQ(putCell(sheet.get(), 2, 6, Variant::null()), com::S_OK);
  EXPECT_EQ(putCell(sheet.get(), 3, 16384, Variant("끝")), com::S_OK);
  // Outside the sheet: refused.
  EXPECT_EQ(putCell(sheet.get(), 0, 1, Variant("x")), com::DISP_E_BADINDEX);
  EXPECT_EQ(putCell(sheet.get(), 1, 16385, Variant("x")), com::DISP_E_BADINDEX);
  // A cell reads back what was put.
  Variant back;
  const auto cell = get(sheet.get(), "cells", {Variant(std::int32_t(2)), Variant(std::int32_t(1))});
  EXPECT_EQ(call(cell.get(), "value", com::DISPATCH_PROPERTYGET, {}, &back), com::S_OK);
  EXPECT_EQ(back, Variant("010-0123"));

  EXPECT_EQ(call(app.get(), "Visible", com::DISPATCH_PROPERTYPUT, {Variant(true)}), com::S_OK);
  const QString file = QDir(folder.path()).filePath(S("통합 문서1 2026-12-10 093005.xlsx"));
  ASSERT_TRUE(QFile::exists(file));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, file);

  const auto cells = readSheet(file);
  EXPECT_EQ(cells.value(S("A1")), (CellValue{S("inlineStr"), S("이름")}));
  EXPECT_EQ(cells.value(S("A2")), (CellValue{S("inlineStr"), S("010-0123")}));
  EXPECT_EQ(cells.value(S("B2")), (CellValue{S("n"), S("42")}));
  EXPECT_EQ(cells.value(S("C2")), (CellValue{S("n"), S("2.5")}));
  EXPECT_EQ(cells.value(S("D2")), (CellValue{S("b"), S("1")}));
  EXPECT_FALSE(cells.contains(S("E2")));
  EXPECT_FALSE(cells.contains(S("F2")));
  EXPECT_EQ(cells.value(S("XFD3")).text, S("끝"));

  // Shown once: making it visible again opens nothing new.
  EXPECT_EQ(call(app.get(), "Visible", com::DISPATCH_PROPERTYPUT, {Variant(true)}), com::S_OK);
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(Spreadsheet, AnExistingFileIsNeverReplaced) {
  const QString taken = QDir(folder.path()).filePath(S("통합 문서1 2026-12-10 093005.xlsx"));
  QFile f(taken);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("mine");
  f.close();
  const auto app = newApp();
  const auto book = get(get(app.get(), "Workbooks").get(), "Add");
  call(app.get(), "Visible", com::DISPATCH_PROPERTYPUT, {Variant(true)});
  Variant name;
  call(book.get(), "FullName", com::DISPATCH_PROPERTYGET, {}, &name);
  EXPECT_EQ(QString::fromStdString(name.str()),
            QDir(folder.path()).filePath(S("통합 문서1 2026-12-10 093005 (2).xlsx")));
  QFile again(taken);
  ASSERT_TRUE(again.open(QIODevice::ReadOnly));
  EXPECT_EQ(again.readAll(), QByteArray("mine"));
  // No temporary file is left behind.
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST_F(Spreadsheet, VisibleFailsWithThePathWhenNothingOpensTheFile) {
  canOpen = false;
  const auto app = newApp();
  get(get(app.get(), "Workbooks").get(), "Add");
  com::ExcepInfo ei;
  EXPECT_EQ(call(app.get(), "Visible", com::DISPATCH_PROPERTYPUT, {Variant(true)}, nullptr, &ei),
            com::DISP_E_EXCEPTION);
  EXPECT_NE(ei.description.find(".xlsx"), std::string::npos);
  EXPECT_TRUE(shell.calls.empty());

  // Bad members and arguments are refused, never crash.
  const auto books = get(app.get(), "Workbooks");
  EXPECT_FALSE(get(books.get(), "Item", {Variant(std::int32_t(5))}));
  com::DISPID id = 0;
  EXPECT_EQ(com::getIdOfName(app.get(), "Range", &id), com::DISP_E_UNKNOWNNAME);
  const auto book = get(books.get(), "Item", {Variant(std::int32_t(1))});
  EXPECT_FALSE(get(book.get(), "Worksheets", {Variant(std::int32_t(2))}));
  EXPECT_FALSE(get(book.get(), "Worksheets", {Variant("Sheet1")}));
}

TEST(SpreadsheetComponent, CreatedByItsProgIdFromTheRegisteredLibrary) {
  ASSERT_EQ(com::registerServer(SPREADSHEET_LIBRARY), com::S_OK);
  ComPtr<IDispatch> app;
  ASSERT_EQ(com::createInstanceByProgId(kProgId, &app), com::S_OK);
  const auto sheet = get(get(get(app.get(), "Workbooks").get(), "Add").get(), "Worksheets",
                         {Variant(std::int32_t(1))});
  EXPECT_EQ(putCell(sheet.get(), 1, 1, Variant("x")), com::S_OK);
  app.reset();
  EXPECT_EQ(com::registerServer(SPREADSHEET_LIBRARY, true), com::S_OK);
  EXPECT_EQ(com::createInstanceByProgId(kProgId, &app), com::REGDB_E_CLASSNOTREG);
}

} // namespace
} // namespace dorrin::spreadsheet::testing
