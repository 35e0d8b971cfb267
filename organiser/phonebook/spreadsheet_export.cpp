#include "organiser/phonebook/spreadsheet_export.h"

#include "organiser/phonebook/frm_telephone.h"
#include "platform/com/loader.h"

#include <limits>

namespace dorrin::organiser {

using com::ComPtr;
using com::DISPID;
using com::HRESULT;
using com::IDispatch;
using com::Variant;

namespace {

// One member of one object by name: the id is looked up once and reused for
// later calls on objects of the same class (the cells of one sheet).
class Member {
public:
  explicit Member(const char *name) : name_(name) {}

  HRESULT invoke(IDispatch *object, std::uint16_t flags, std::vector<Variant> args,
                 Variant *result = nullptr) {
    if (!object) return com::E_POINTER;
    if (id_ == com::DISPID_UNKNOWN) {
      const HRESULT hr = com::getIdOfName(object, name_, &id_);
      if (!com::succeeded(hr)) {
        qCWarning(lcPhone) << "spreadsheet: no member" << name_.c_str();
        return hr;
      }
    }
    com::DispParams params{std::move(args)};
    com::ExcepInfo ei;
    const HRESULT hr = object->Invoke(id_, flags, params, result, &ei, nullptr);
    if (!com::succeeded(hr))
      qCWarning(lcPhone) << "spreadsheet:" << name_.c_str() << "failed:" << hr
                         << ei.description.c_str();
    return hr;
  }
  // A property read, or a method call that returns an object.
  ComPtr<IDispatch> object(IDispatch *on, std::vector<Variant> args = {}) {
    Variant v;
    if (!com::succeeded(
            invoke(on, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, std::move(args), &v)))
      return {};
    return ComPtr<IDispatch>(v.dispatch());
  }

private:
  std::string name_;
  DISPID id_ = com::DISPID_UNKNOWN;
};

// The field's own value: Null stays empty, the record number is a number,
// every other field is text.
Variant fieldValue(db::Recordset &rs, int i) {
  db::Field f = rs.Fields(i);
  if (f.IsNull()) return Variant::null();
  const QString text = f.Value();
  if (i == kValueFields) {
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (ok && n >= std::numeric_limits<std::int32_t>::min() &&
        n <= std::numeric_limits<std::int32_t>::max())
      return Variant(static_cast<std::int32_t>(n));
    if (ok) return Variant(static_cast<double>(n));
  }
  return Variant(text.toStdString());
}

} // namespace

HRESULT createSpreadsheetApplication(IDispatch **out) {
  return com::createInstanceByProgId(kSpreadsheetProgId, IDispatch::iid,
                                     reinterpret_cast<void **>(out));
}

ExportResult exportContacts(IDispatch *app, db::Recordset &rs, const QStringList &labels) {
  ExportResult result;
  Member workbooksM("Workbooks"), addM("Add"), worksheetsM("Worksheets"), cellsM("Cells"),
      valueM("Value"), visibleM("Visible"), fullNameM("FullName");
  const ComPtr<IDispatch> workbooks = workbooksM.object(app);
  const ComPtr<IDispatch> book = addM.object(workbooks.get());
  const ComPtr<IDispatch> sheet = worksheetsM.object(book.get(), {Variant(std::int32_t(1))});

  auto setCell = [&](std::int32_t row, std::int32_t col, Variant value) {
    const ComPtr<IDispatch> cell = cellsM.object(sheet.get(), {Variant(row), Variant(col)});
    if (cell) valueM.invoke(cell.get(), com::DISPATCH_PROPERTYPUT, {std::move(value)});
  };

  if (sheet) {
    for (int i = 0; i < kFieldCount; ++i)
      setCell(1, i + 1, Variant(labels.value(i).toStdString()));
    // The row counter is wide enough for any table the sheet can hold.
    std::int32_t r = 0;
    rs.MoveFirst();
    while (!rs.Eof()) {
      ++r;
      for (int i = 0; i < kFieldCount; ++i)
        setCell(r + 1, i + 1, fieldValue(rs, i));
      if (!rs.MoveNext()) break;
    }
    result.contacts = r;
  }

  result.shown = com::succeeded(visibleM.invoke(app, com::DISPATCH_PROPERTYPUT, {Variant(true)}));
  Variant name;
  if (book && com::succeeded(fullNameM.invoke(book.get(), com::DISPATCH_PROPERTYGET, {}, &name)))
    result.file = QString::fromStdString(name.toString().value_or(std::string()));
  return result;
}

} // namespace dorrin::organiser
