#pragma once
// Hosting a control: the container gives each control a site, through which
// the control finds its parent widget and the container's ambient properties
// (design or user mode, scale units) and tells the container it changed. The
// control's events go to the container's sink through the control's
// connection points (connection.h).
#include "platform/com/automation.h"

class QWidget;

namespace dorrin::com {

// Ambient properties a site may offer.
inline constexpr DISPID DISPID_AMBIENT_BACKCOLOR = -701;
inline constexpr DISPID DISPID_AMBIENT_DISPLAYNAME = -702;
inline constexpr DISPID DISPID_AMBIENT_FONT = -703;
inline constexpr DISPID DISPID_AMBIENT_FORECOLOR = -704;
inline constexpr DISPID DISPID_AMBIENT_LOCALEID = -705;
inline constexpr DISPID DISPID_AMBIENT_SCALEUNITS = -707;
inline constexpr DISPID DISPID_AMBIENT_USERMODE = -709; // false while the form is being designed
inline constexpr DISPID DISPID_AMBIENT_UIDEAD = -710;

struct IOleClientSite : IUnknown {
  static constexpr IID iid = guid("{00000118-0000-0000-C000-000000000046}");
  // The widget the control's window lives in; null when the container shows none.
  virtual QWidget *GetParentWidget() = 0;
  // One ambient property (DISPID_AMBIENT_*); DISP_E_MEMBERNOTFOUND when not offered.
  virtual HRESULT GetAmbientProperty(DISPID id, Variant *value) = 0;
  // The control's saved state changed (a property set at design time).
  virtual HRESULT OnControlChanged() = 0;
};

// Verbs a container may ask a control to carry out.
inline constexpr long OLEIVERB_PROPERTIES = -7; // show the control's property pages (modal)

struct IOleObject : IUnknown {
  static constexpr IID iid = guid("{00000112-0000-0000-C000-000000000046}");
  virtual HRESULT SetClientSite(IOleClientSite *site) = 0;
  virtual HRESULT GetClientSite(IOleClientSite **site) = 0;
  // Ends the control's activity and drops its site; the container then releases it.
  virtual HRESULT Close() = 0;
  // Carries out a verb; dialogs it shows belong to parent. E_NOTIMPL when the
  // control offers no such verb.
  virtual HRESULT DoVerb(long /*verb*/, QWidget * /*parent*/) { return E_NOTIMPL; }
};

// A property page, created through its registered class: a widget that edits
// properties of the control it is given.
struct IPropertyPage : IUnknown {
  static constexpr IID iid = guid("{B196B28D-BAB4-101A-B69C-00AA00341D07}");
  // The controls the page edits (a page may use only the first).
  virtual HRESULT SetObjects(unsigned count, IUnknown *const *objects) = 0;
  // Builds the page's widget inside parent, which owns it.
  virtual HRESULT Activate(QWidget *parent, QWidget **page) = 0;
  // Writes the page's values to the control; S_FALSE when a value was refused.
  virtual HRESULT Apply() = 0;
  // S_OK when the page holds changes not yet applied, else S_FALSE.
  virtual HRESULT IsPageDirty() = 0;
};

struct IOleControl : IUnknown {
  static constexpr IID iid = guid("{B196B288-BAB4-101A-B69C-00AA00341D07}");
  // An ambient property changed (DISPID_UNKNOWN: possibly several).
  virtual HRESULT OnAmbientPropertyChange(DISPID id) = 0;
  // While frozen the control fires no events.
  virtual HRESULT FreezeEvents(bool freeze) = 0;
};

// A control with a window of its own: its widget is a child of the site's
// parent widget, made when the control gets its site; the container places,
// shows and hides it. Null while the control has no window.
struct IOleWindow : IUnknown {
  static constexpr IID iid = guid("{00000114-0000-0000-C000-000000000046}");
  virtual QWidget *GetWidget() = 0;
};

// The container's user mode; true (run time) when there is no site or it does
// not say, as containers that know no design mode expect.
inline bool ambientUserMode(IOleClientSite *site) {
  if (!site) return true;
  Variant v;
  if (failed(site->GetAmbientProperty(DISPID_AMBIENT_USERMODE, &v))) return true;
  return v.toBool().value_or(true);
}

} // namespace dorrin::com
