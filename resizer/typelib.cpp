#include "resizer/typelib.h"

#include "resizer/ktresz30_ids.h"

namespace dorrin::resizer {
namespace {

using enum MemberKind;
constexpr com::VARTYPE kVariant = com::VT_EMPTY; // a variant-typed property

constexpr TypeEnumValue kStyles[] = {{"ktSiblings", ktSiblings}, {"ktAllChildren", ktAllChildren}};

constexpr TypeMember kOptions[] = {
    {dispidNewLeft, "NewLeft", Property, com::VT_R4, false,
     "Gets/sets what the distance between the left edge of an object and its container will be "
     "after the container is resized"},
    {dispidNewTop, "NewTop", Property, com::VT_R4, false,
     "Gets/sets what the distance between the top edge of an object and its container will be "
     "after the container is resized"},
    {dispidNewWidth, "NewWidth", Property, com::VT_R4, false,
     "Gets/sets what the horizontal dimension an object will be after its container is resized"},
    {dispidNewHeight, "NewHeight", Property, com::VT_R4, false,
     "Gets/sets what the vertical dimension an object will be after its container is resized"},
    {dispidApplyNewSize, "ApplyNewSize", Property, com::VT_BOOL, false,
     "Gets/sets whether a control can be resized when its container is resized"},
    {dispidApplyNewPosition, "ApplyNewPosition", Property, com::VT_BOOL, false,
     "Gets/sets whether a control can be repositioned when its container is resized"},
    {dispidResizeFonts, "ResizeFonts", Property, com::VT_BOOL, false,
     "Gets/sets whether the Font of each control modified by a Resizer control will be resized"},
};

constexpr TypeMember kResizer[] = {
    {dispidMaxHeight, "MaxHeight", Property, com::VT_R4, false,
     "Gets/sets the maximum height of the container of a Resizer control"},
    {dispidMaxWidth, "MaxWidth", Property, com::VT_R4, false,
     "Gets/sets the maximum width of the container of a Resizer control"},
    {dispidMinHeight, "MinHeight", Property, com::VT_R4, false,
     "Gets/sets the minimum possible height of the pane."},
    {dispidMinWidth, "MinWidth", Property, com::VT_R4, false,
     "Gets/sets the minimum possible width of the pane."},
    {dispidResizeFonts, "ResizeFonts", Property, com::VT_BOOL, false,
     "Gets/sets whether the Font of each control modified by a Resizer control will be resized"},
    {dispidResizeStyle, "ResizeStyle", Property, com::VT_I4, false,
     "Gets/sets which controls will be affected by a Resizer control"},
    {com::DISPID_ENABLED, "Enabled", Property, com::VT_BOOL, false,
     "Gets/sets whether the object can be selected by the user."},
    {dispidTagVariant, "TagVariant", Property, kVariant, true,
     "Gets/sets an extra data storage value for the control."},
    {dispidMaxFontSize, "MaxFontSize", Property, com::VT_R4, false,
     "Gets/sets the maximum allowable size of the font in a control modified by the KtResizer"},
    {dispidMinFontSize, "MinFontSize", Property, com::VT_R4, false,
     "Gets/sets the minimum allowable size of the font in a control modified by the KtResizer"},
    {com::DISPID_ABOUTBOX, "AboutBox", Method, com::VT_EMPTY, false,
     "Displays version information about the control."},
    {dispidCenterParent, "CenterParent", Method, com::VT_EMPTY, false,
     "Centers the parent container of a Resizer control"},
};

constexpr TypeMember kEvents[] = {
    {eventidBeforeResize, "BeforeResize", Method, com::VT_EMPTY, false,
     "Occurs when a control is about to be resized by the Resizer"},
    {eventidResizeComplete, "ResizeComplete", Method, com::VT_EMPTY, false,
     "Occurs when all KtResizer controls have been processed and the container has been "
     "resized"},
};

constexpr TypeLibrary kLibrary{
    "Ambrel",
    3,
    0,
    1033,
    "Ambrel Control",
    "Relievo30.hlp",
    LIBID_Ambrel,
    "Constants_ResizeStyle",
    "Constants that specify how to resize controls",
    kStyles,
    {"IKtResizeOptions", IID_IKtResizeOptions, "", kOptions},
    {"IKtResizer", IID_IKtResizer, "KtResizer Control", kResizer},
    {"DKtResizerEvents", DIID_DKtResizerEvents, "Event interface for KtResizer control", kEvents},
    "KtResizeOptions Object",
    "KtResizer Control",
};

} // namespace

const TypeLibrary &typeLibrary() {
  return kLibrary;
}

com::HRESULT idsOfNames(const TypeInterface &itf, const std::string *names, unsigned count,
                        com::DISPID *ids) {
  if (!names || !ids) return com::E_POINTER;
  com::HRESULT hr = com::S_OK;
  for (unsigned i = 0; i < count; ++i) {
    ids[i] = com::DISPID_UNKNOWN;
    for (const TypeMember &m : itf.members)
      if (com::sameName(m.name, names[i])) ids[i] = m.id;
    if (ids[i] == com::DISPID_UNKNOWN) hr = com::DISP_E_UNKNOWNNAME;
  }
  return hr;
}

const TypeMember *findMember(const TypeInterface &itf, com::DISPID id) {
  for (const TypeMember &m : itf.members)
    if (m.id == id) return &m;
  return nullptr;
}

} // namespace dorrin::resizer
