#pragma once
// The ZELOMM control as a component: the engine behind the dispatch interface
// _DZelomm, its events on a connection point, the container's site, the window
// that receives media notifications, timer 1, the bar that shows it in the
// container's widget, and its saved properties.
#include "platform/com/connection.h"
#include "platform/com/control.h"
#include "platform/com/persist.h"
#include "platform/mci/mci.h"
#include "zelomm/zelomm_ctrl.h"

#include <QPointer>
#include <QTimer>
#include <memory>

namespace dorrin::zelomm {

class BarWidget;

class ZelommObject final
    : public com::Object<com::IDispatch, com::IConnectionPointContainer, com::IOleObject,
                         com::IOleControl, com::IOleWindow, com::IPersistPropertyBag>,
      private CtrlHost {
public:
  ZelommObject(com::ModuleCount *module, mci::Api &api);
  ~ZelommObject() override;

  com::HRESULT GetIDsOfNames(const std::string *names, unsigned count, com::DISPID *ids) override;
  com::HRESULT Invoke(com::DISPID id, std::uint16_t flags, com::DispParams &params,
                      com::Variant *result, com::ExcepInfo *excepInfo, unsigned *argErr) override;

  com::HRESULT FindConnectionPoint(const com::IID &iid, com::IConnectionPoint **out) override;

  com::HRESULT SetClientSite(com::IOleClientSite *site) override;
  com::HRESULT GetClientSite(com::IOleClientSite **out) override;
  com::HRESULT Close() override;
  com::HRESULT DoVerb(long verb, QWidget *parent) override;

  com::HRESULT OnAmbientPropertyChange(com::DISPID id) override;
  com::HRESULT FreezeEvents(bool freeze) override;

  QWidget *GetWidget() override;

  com::HRESULT GetClassID(com::CLSID *clsid) override;
  com::HRESULT InitNew() override;
  com::HRESULT Load(com::IPropertyBag *bag, com::IErrorLog *log) override;
  com::HRESULT Save(com::IPropertyBag *bag, bool clearDirty, bool saveAllProperties) override;
  com::HRESULT IsDirty() override;

  CZelommCtrl &engine() { return *ctrl_; }
  bool timerActive() const { return timer_.isActive(); }
  int timerInterval() const { return timer_.interval(); }

protected:
  void *queryExtra(const com::IID &iid) override;

private:
  bool designMode() const override;
  void setModified() override;
  void setTimer(int periodMs) override;
  void fireEvent(com::DISPID id) override;
  void repaint() override;
  void aboutBox() override;
  // Makes the bar in the site's parent widget, or moves it there.
  void placeBar();
  void dropBar();

  void onMessage(std::uint32_t msg, win::WPARAM wParam);

  com::ConnectionPoint *events_;
  com::ComPtr<com::IOleClientSite> site_;
  QTimer timer_;
  win::HWND window_ = 0;
  int frozen_ = 0;
  bool dirty_ = false;
  bool loading_ = false; // properties read from a bag do not count as changes
  QPointer<BarWidget> bar_;
  com::ModuleCount *moduleCount_;
  std::unique_ptr<CZelommCtrl> ctrl_;
};

} // namespace dorrin::zelomm
