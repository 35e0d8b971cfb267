#pragma once
// The container side of hosting one control: creates it through its registered
// class, gives it a site (parent widget, ambient properties) and receives its
// events. This is what a form uses for each control it places.
//
//   std::unique_ptr<ControlHost> host;
//   if (succeeded(ControlHost::create("ZELOMM.ZelommCtrl.1", events, window, &host)))
//     host->put(1, "waveaudio");
#include "platform/com/connection.h"
#include "platform/com/control.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

namespace dorrin::com {

class ControlHost {
public:
  using EventHandler = std::function<void(DISPID id, const std::vector<Variant> &args)>;

  // Creates the class named by a ProgID or "{class id}" and attaches it.
  static HRESULT create(std::string_view classText, const IID &eventsIid, QWidget *parent,
                        std::unique_ptr<ControlHost> *out);
  // Hosts an object created some other way. eventsIid GUID_NULL: no events.
  static HRESULT attach(IUnknown *control, const IID &eventsIid, QWidget *parent,
                        std::unique_ptr<ControlHost> *out);
  ~ControlHost();
  ControlHost(const ControlHost &) = delete;
  ControlHost &operator=(const ControlHost &) = delete;

  IDispatch *control() const { return dispatch_.get(); }
  // The control's own window, when it shows one. The window is marked with
  // its control (see hostedControl) while this host holds it.
  QWidget *widget() const;
  HRESULT put(DISPID id, Variant value, ExcepInfo *ei = nullptr);
  HRESULT get(DISPID id, Variant *value, ExcepInfo *ei = nullptr);
  HRESULT call(DISPID id, std::vector<Variant> args = {}, Variant *result = nullptr,
               ExcepInfo *ei = nullptr);

  // Events arrive on the thread that fires them (the user-interface thread).
  void setEventHandler(EventHandler handler) { handler_ = std::move(handler); }
  // Design mode is user mode false; the control is told of the change.
  void setUserMode(bool userMode);
  // Any other ambient property (scale units "Twip" by default).
  void setAmbient(DISPID id, Variant value);
  // Whether the control reported a change to its saved state; reset by the caller.
  bool controlChanged() const { return changed_; }
  void resetControlChanged() { changed_ = false; }

  class Site;
  class Sink;

private:
  ControlHost() = default;
  friend class Site;
  friend class Sink;

  QPointer<QWidget> parent_;
  std::map<DISPID, Variant> ambient_;
  EventHandler handler_;
  bool changed_ = false;
  ComPtr<IDispatch> dispatch_;
  ComPtr<IOleObject> object_;
  ComPtr<IConnectionPoint> point_;
  std::uint32_t cookie_ = 0;
  Site *site_ = nullptr;
  Sink *sink_ = nullptr;
  mutable QPointer<QWidget> marked_;
};

// The control hosted with w as its window, or null. The link is kept on the
// widget itself, so a component library with its own copy of this layer (a
// resizer moving the controls of a form) finds the control too.
ComPtr<IDispatch> hostedControl(const QWidget *w);

} // namespace dorrin::com
