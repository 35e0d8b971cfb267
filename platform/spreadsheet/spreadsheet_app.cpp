#include "platform/spreadsheet/spreadsheet_app.h"

#include "platform/shell/mime_handlers.h"
#include "platform/shell/shell.h"
#include "platform/spreadsheet/xlsx_writer.h"

#include <QDir>
#include <QStandardPaths>
#include <memory>
#include <vector>

namespace dorrin::spreadsheet {

Q_LOGGING_CATEGORY(lcSheet, "dorrin.spreadsheet")

using namespace dorrin::com;

QString documentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::homePath();
  return folder;
}

bool xlsxHandlerInstalled() {
  return !shell::MimeHandlers().handlerFor(QString::fromLatin1(kXlsxMimeType)).isEmpty();
}

namespace {

struct Book {
  QString name;
  std::vector<Sheet> sheets;
  QString file; // written there once shown
};

struct AppState {
  AppOptions options;
  std::vector<std::shared_ptr<Book>> books;
  int booksMade = 0;
  bool visible = false;
};

struct MemberName {
  DISPID id;
  const char *name;
};

bool isGet(std::uint16_t flags) {
  return flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD);
}
bool isPut(std::uint16_t flags) {
  return flags & DISPATCH_PROPERTYPUT;
}

// An index argument as a whole number; nullopt when it is none.
std::optional<std::int32_t> indexArg(const Variant &v) {
  if (v.type() == VT_DISPATCH || v.type() == VT_BSTR) return std::nullopt;
  return v.toI4();
}

HRESULT give(Variant *result, Variant v) {
  if (result) *result = std::move(v);
  return S_OK;
}

// Hands out a new object (one reference) as the call's result.
HRESULT giveObject(Variant *result, IDispatch *object) {
  Variant v(object); // takes its own reference
  object->Release();
  return give(result, std::move(v));
}

class Dispatch : public Object<IDispatch> {
public:
  Dispatch(ModuleCount *module, std::vector<MemberName> members)
      : Object(module), members_(std::move(members)) {}

  HRESULT GetIDsOfNames(const std::string *names, unsigned count, DISPID *ids) override {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (unsigned i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      for (const MemberName &m : members_)
        if (sameName(names[i], m.name)) ids[i] = m.id;
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  HRESULT Invoke(DISPID id, std::uint16_t flags, DispParams &p, Variant *result, ExcepInfo *ei,
                 unsigned *argErr) override {
    try {
      return call(id, flags, p.args, result, ei, argErr);
    } catch (const std::bad_alloc &) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

protected:
  virtual HRESULT call(DISPID id, std::uint16_t flags, std::vector<Variant> &args, Variant *result,
                       ExcepInfo *ei, unsigned *argErr) = 0;

private:
  std::vector<MemberName> members_;
};

class Range final : public Dispatch {
public:
  Range(ModuleCount *m, std::shared_ptr<Book> book, size_t sheet, int row, int col)
      : Dispatch(m, {{DISPID_VALUE, "Value"}, {1, "Value2"}}), book_(std::move(book)),
        sheet_(sheet), row_(row), col_(col) {}

protected:
  HRESULT call(DISPID id, std::uint16_t flags, std::vector<Variant> &args, Variant *result,
               ExcepInfo *, unsigned *) override {
    if (id != DISPID_VALUE && id != 1) return DISP_E_MEMBERNOTFOUND;
    auto &cells = book_->sheets[sheet_].cells;
    const std::pair<int, int> at{row_, col_};
    if (isPut(flags)) {
      if (args.empty()) return DISP_E_BADPARAMCOUNT;
      Variant v = args.back();
      if (v.type() == VT_DISPATCH) { // an object gives its default value
        Variant inner;
        const HRESULT hr = getProperty(v.dispatch(), DISPID_VALUE, &inner);
        if (failed(hr)) return DISP_E_TYPEMISMATCH;
        v = inner;
      }
      if (v.type() == VT_EMPTY || v.type() == VT_NULL)
        cells.erase(at);
      else
        cells[at] = std::move(v);
      return S_OK;
    }
    if (isGet(flags)) {
      const auto it = cells.find(at);
      return give(result, it == cells.end() ? Variant() : it->second);
    }
    return DISP_E_MEMBERNOTFOUND;
  }

private:
  std::shared_ptr<Book> book_;
  size_t sheet_;
  int row_, col_;
};

class Worksheet final : public Dispatch {
public:
  Worksheet(ModuleCount *m, std::shared_ptr<Book> book, size_t sheet)
      : Dispatch(m, {{1, "Cells"}, {2, "Name"}}), module_(m), book_(std::move(book)),
        sheet_(sheet) {}

protected:
  HRESULT call(DISPID id, std::uint16_t flags, std::vector<Variant> &args, Variant *result,
               ExcepInfo *, unsigned *argErr) override {
    if (id == 2) {
      Sheet &s = book_->sheets[sheet_];
      if (isPut(flags)) {
        if (args.empty()) return DISP_E_BADPARAMCOUNT;
        const auto name = args.back().toString();
        if (!name || name->empty()) return DISP_E_TYPEMISMATCH;
        s.name = QString::fromStdString(*name);
        return S_OK;
      }
      return give(result, Variant(s.name.toStdString()));
    }
    if (id != 1 || !isGet(flags)) return DISP_E_MEMBERNOTFOUND;
    if (args.size() != 2) return DISP_E_BADPARAMCOUNT;
    const auto row = indexArg(args[0]);
    const auto col = indexArg(args[1]);
    if (!row || !col) {
      if (argErr) *argErr = row ? 1 : 0;
      return DISP_E_TYPEMISMATCH;
    }
    if (*row < 1 || *row > kMaxRow || *col < 1 || *col > kMaxCol) return DISP_E_BADINDEX;
    return giveObject(result, new Range(module_, book_, sheet_, *row, *col));
  }

private:
  ModuleCount *module_;
  std::shared_ptr<Book> book_;
  size_t sheet_;
};

class Workbook final : public Dispatch {
public:
  Workbook(ModuleCount *m, std::shared_ptr<Book> book)
      : Dispatch(m, {{1, "Worksheets"}, {2, "Sheets"}, {3, "Name"}, {4, "FullName"}}), module_(m),
        book_(std::move(book)) {}

protected:
  HRESULT call(DISPID id, std::uint16_t flags, std::vector<Variant> &args, Variant *result,
               ExcepInfo *, unsigned *) override {
    if (!isGet(flags)) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
    case 1:
    case 2: {
      if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
      const auto i = indexArg(args[0]);
      if (!i) return DISP_E_TYPEMISMATCH;
      if (*i < 1 || size_t(*i) > book_->sheets.size()) return DISP_E_BADINDEX;
      return giveObject(result, new Worksheet(module_, book_, size_t(*i - 1)));
    }
    case 3:
      return give(result, Variant(book_->name.toStdString()));
    case 4:
      return give(result,
                  Variant((book_->file.isEmpty() ? book_->name : book_->file).toStdString()));
    default:
      return DISP_E_MEMBERNOTFOUND;
    }
  }

private:
  ModuleCount *module_;
  std::shared_ptr<Book> book_;
};

class Workbooks final : public Dispatch {
public:
  Workbooks(ModuleCount *m, std::shared_ptr<AppState> app)
      : Dispatch(m, {{1, "Add"}, {2, "Count"}, {DISPID_VALUE, "Item"}}), module_(m),
        app_(std::move(app)) {}

protected:
  HRESULT call(DISPID id, std::uint16_t flags, std::vector<Variant> &args, Variant *result,
               ExcepInfo *, unsigned *) override {
    if (!isGet(flags)) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
    case 1: {
      auto book = std::make_shared<Book>();
      book->name = QStringLiteral("통합 문서%1").arg(++app_->booksMade);
      book->sheets.push_back(Sheet{QStringLiteral("Sheet1"), {}});
      app_->books.push_back(book);
      return giveObject(result, new Workbook(module_, book));
    }
    case 2:
      return give(result, Variant(std::int32_t(app_->books.size())));
    case DISPID_VALUE: {
      if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
      const auto i = indexArg(args[0]);
      if (!i) return DISP_E_TYPEMISMATCH;
      if (*i < 1 || size_t(*i) > app_->books.size()) return DISP_E_BADINDEX;
      return giveObject(result, new Workbook(module_, app_->books[size_t(*i - 1)]));
    }
    default:
      return DISP_E_MEMBERNOTFOUND;
    }
  }

private:
  ModuleCount *module_;
  std::shared_ptr<AppState> app_;
};

class Application final : public Dispatch {
public:
  Application(ModuleCount *m, AppOptions options)
      : Dispatch(m, {{1, "Workbooks"}, {2, "Visible"}, {3, "Quit"}, {DISPID_VALUE, "Name"}}),
        module_(m), app_(std::make_shared<AppState>()) {
    app_->options = std::move(options);
  }

protected:
  HRESULT call(DISPID id, std::uint16_t flags, std::vector<Variant> &args, Variant *result,
               ExcepInfo *ei, unsigned *) override {
    switch (id) {
    case 1:
      if (!isGet(flags)) return DISP_E_MEMBERNOTFOUND;
      return giveObject(result, new Workbooks(module_, app_));
    case 2: {
      if (isPut(flags)) {
        if (args.empty()) return DISP_E_BADPARAMCOUNT;
        const auto on = args.back().toBool();
        if (!on) return DISP_E_TYPEMISMATCH;
        app_->visible = *on;
        return *on ? show(ei) : S_OK;
      }
      return give(result, Variant(app_->visible));
    }
    case 3: // nothing runs apart from the program that made us
      app_->books.clear();
      app_->visible = false;
      return S_OK;
    case DISPID_VALUE:
      return give(result, Variant("Dorrin spreadsheet"));
    default:
      return DISP_E_MEMBERNOTFOUND;
    }
  }

private:
  // Writes and opens each workbook not shown yet.
  HRESULT show(ExcepInfo *ei) {
    const AppOptions &o = app_->options;
    for (const auto &book : app_->books) {
      if (!book->file.isEmpty()) continue;
      const QString folder = o.folder ? o.folder() : documentsFolder();
      const QDateTime now = o.now ? o.now() : QDateTime::currentDateTime();
      const QString stem = book->name + now.toString(QStringLiteral(" yyyy-MM-dd HHmmss"));
      QString error;
      book->file = writeNewXlsx(folder, stem, book->sheets, &error);
      if (book->file.isEmpty()) {
        qCWarning(lcSheet) << "cannot write the workbook in" << folder << ":" << error;
        return raiseError(ei, E_FAIL, ("cannot write the workbook: " + error).toStdString(),
                          kProgId);
      }
      qCInfo(lcSheet) << "workbook written to" << book->file;
      if (!o.shell || !(o.canOpen ? o.canOpen() : xlsxHandlerInstalled())) {
        qCWarning(lcSheet) << "no application opens" << book->file;
        return raiseError(
            ei, E_FAIL, ("no application opens the workbook " + book->file).toStdString(), kProgId);
      }
      const int opened =
          o.shell->ShellExecute(QString(), book->file, QString(), folder, shell::SW_SHOWNORMAL);
      if (!shell::succeeded(opened)) {
        qCWarning(lcSheet) << "cannot open" << book->file << ": code" << opened;
        return raiseError(ei, E_FAIL, ("cannot open the workbook " + book->file).toStdString(),
                          kProgId);
      }
    }
    return S_OK;
  }

  ModuleCount *module_;
  std::shared_ptr<AppState> app_;
};

} // namespace

IDispatch *newApplication(AppOptions options, ModuleCount *module) {
  return new Application(module, std::move(options));
}

} // namespace dorrin::spreadsheet
