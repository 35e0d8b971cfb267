#pragma once
// The ZELOMM control as a component: the engine behind the dispatch interface
// _DZelomm, its events on a connection point, the container's site, the window
// that receives media notifications, and timer 1. The button bar is drawn on
// top of this later; the engine's button states are ready for it.
#include "platform/com/connection.h"
#include "platform/com/control.h"
#include "platform/mci/mci.h"
#include "zelomm/zelomm_ctrl.h"

#include <QTimer>
#include <memory>

namespace dorrin::zelomm {

class ZelommObject final : public com::Object<com::IDispatch, com::IConnectionPointContainer,
                                              com::IOleObject, com::IOleControl>,
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

  com::HRESULT OnAmbientPropertyChange(com::DISPID id) override;
  com::HRESULT FreezeEvents(bool freeze) override;

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

  void onMessage(std::uint32_t msg, win::WPARAM wParam);

  com::ConnectionPoint *events_;
  com::ComPtr<com::IOleClientSite> site_;
  QTimer timer_;
  win::HWND window_ = 0;
  int frozen_ = 0;
  bool dirty_ = false;
  std::unique_ptr<CZelommCtrl> ctrl_;
};

} // namespace dorrin::zelomm
