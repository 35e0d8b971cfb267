// The export to a spreadsheet through the automation object, read back from
// the .xlsx file it leaves for the spreadsheet program.
#include "organiser/phonebook/spreadsheet_export.h"
#include "organiser/phonebook/tests/phonebook_fixture.h"
#include "platform/spreadsheet/spreadsheet_app.h"
#include "platform/spreadsheet/tests/xlsx_reader.h"

#include <QDir>
#include <QTemporaryDir>

namespace dorrin::organiser::testing {
namespace {

using S = QString;
using spreadsheet::testing::CellValue;
using spreadsheet::testing::readSheet;

class Export : public PhoneBookFixture {
protected:
  QTemporaryDir documents;
  bool canOpen = true;
  int created = 0;

  void SetUp() override {
    PhoneBookFixture::SetUp();
    w.reset();
  }
  void loadWithSpreadsheet() {
    PhoneBookServices s = services();
    s.createSpreadsheet = [this](com::IDispatch **out) {
      ++created;
      spreadsheet::AppOptions o;
      o.folder = [this] { return documents.path(); };
      o.shell = &shell;
      o.canOpen = [this] { return canOpen; };
      *out = spreadsheet::newApplication(std::move(o));
      return com::S_OK;
    };
    w = std::make_unique<FrmTelephone>(s);
    w->Form_Load();
  }
  QStringList files() const { return QDir(documents.path()).entryList({S("*.xlsx")}, QDir::Files); }
};

TEST_F(Export, ContactsGoToTheSheetWithTheirTypesAndTheFileIsOpened) {
  seed({{S("김민수"), S("가족"), S("02-123-4567"), S(""), S("010-1234-5678")},
        {S("O'Brien"), S(""), S("0123")}});
  loadWithSpreadsheet();
  QTest::mouseClick(w->Menu[0], Qt::LeftButton);
  ASSERT_EQ(created, 1);
  ASSERT_EQ(files().size(), 1);
  const QString file = QDir(documents.path()).filePath(files().first());
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, file);
  EXPECT_TRUE(dialogs.calls.empty());

  const auto cells = readSheet(file);
  const QString cols = S("ABCDEFGHIJKLMNO");
  for (int i = 0; i < 15; ++i)
    EXPECT_EQ(cells.value(cols[i] + S("1")).text, fieldLabels()[i]) << i;
  EXPECT_EQ(cells.value(S("A2")).text, S("김민수"));
  EXPECT_EQ(cells.value(S("C2")).text, S("02-123-4567"));
  EXPECT_EQ(cells.value(S("C3")), (CellValue{S("inlineStr"), S("0123")})); // text keeps its zero
  EXPECT_FALSE(cells.contains(S("D2")));                                   // an empty field
  EXPECT_FALSE(cells.contains(S("B3")));
  EXPECT_EQ(cells.value(S("O2")).type, S("n"));
  EXPECT_GT(cells.value(S("O3")).text.toInt(), cells.value(S("O2")).text.toInt());
  EXPECT_FALSE(cells.contains(S("A4")));
}

TEST_F(Export, AnEmptyTableGivesTheHeaderRowOnlyAndIsShown) {
  loadWithSpreadsheet();
  w->Export_Contacts();
  ASSERT_EQ(files().size(), 1);
  const auto cells = readSheet(QDir(documents.path()).filePath(files().first()));
  EXPECT_EQ(cells.size(), 15);
  EXPECT_EQ(cells.value(S("B1")).text, S("그룹"));
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(Export, NoProgramForTheFileTellsTheUserOnceWhereItIs) {
  seed({{S("a")}});
  loadWithSpreadsheet();
  canOpen = false;
  w->Export_Contacts();
  ASSERT_EQ(files().size(), 1);
  EXPECT_TRUE(shell.calls.empty());
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_TRUE(dialogs.calls[0].text.contains(QDir(documents.path()).filePath(files().first())));

  // A failing opener is told the same way; a second export never replaces the first file.
  canOpen = true;
  shell.results.push_back(shell::kErrorNoAssociation);
  w->Export_Contacts();
  EXPECT_EQ(files().size(), 2);
  EXPECT_EQ(dialogs.calls.size(), 2u);
}

TEST_F(Export, NoSpreadsheetClassDoesNothingVisible) {
  seed({{S("a")}});
  load(); // the class "Excel.Application" is not registered in the test's registry
  w->Export_Contacts();
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(Export, MoreRowsThanASixteenBitCounterHolds) {
  std::vector<Contact> many(33000, Contact{S("n"), S("g"), S("010")});
  many.back()[0] = S("마지막");
  seed(many);
  loadWithSpreadsheet();
  com::ComPtr<com::IDispatch> app;
  spreadsheet::AppOptions o;
  o.folder = [this] { return documents.path(); };
  o.shell = &shell;
  o.canOpen = [] { return true; };
  app = com::ComPtr<com::IDispatch>::adopt(spreadsheet::newApplication(std::move(o)));
  const ExportResult r = exportContacts(app.get(), *w->Tel_Rs, fieldLabels());
  EXPECT_EQ(r.contacts, 33000);
  EXPECT_TRUE(r.shown);
  const auto cells = readSheet(r.file);
  EXPECT_EQ(cells.value(S("A33001")).text, S("마지막"));
  EXPECT_EQ(cells.value(S("C33001")).text, S("010"));
}

} // namespace
} // namespace dorrin::organiser::testing
