#pragma once
// Event sinks: a component offers one connection point per outgoing (event)
// interface; a container advises its sink there and the component fires events
// by calling the sink's Invoke with DISPATCH_METHOD.
#include "platform/com/automation.h"

#include <utility>
#include <vector>

namespace dorrin::com {

struct IConnectionPointContainer;

struct IConnectionPoint : IUnknown {
  static constexpr IID iid = guid("{B196B286-BAB4-101A-B69C-00AA00341D07}");
  virtual HRESULT GetConnectionInterface(IID *iid) = 0;
  virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer **out) = 0;
  // The sink must offer the event interface (or IDispatch); cookie names the link.
  virtual HRESULT Advise(IUnknown *sink, std::uint32_t *cookie) = 0;
  virtual HRESULT Unadvise(std::uint32_t cookie) = 0;
};

struct IConnectionPointContainer : IUnknown {
  static constexpr IID iid = guid("{B196B284-BAB4-101A-B69C-00AA00341D07}");
  virtual HRESULT FindConnectionPoint(const IID &iid, IConnectionPoint **out) = 0;
};

// A connection point for one event interface; the owning object keeps it and
// fires through it. The owner calls detach() when it goes away.
class ConnectionPoint final : public Object<IConnectionPoint> {
public:
  ConnectionPoint(IConnectionPointContainer *owner, const IID &events)
      : owner_(owner), events_(events) {}

  HRESULT GetConnectionInterface(IID *iid) override {
    if (!iid) return E_POINTER;
    *iid = events_;
    return S_OK;
  }
  HRESULT GetConnectionPointContainer(IConnectionPointContainer **out) override {
    if (!out) return E_POINTER;
    *out = owner_;
    if (!owner_) return E_UNEXPECTED;
    owner_->AddRef();
    return S_OK;
  }
  HRESULT Advise(IUnknown *sink, std::uint32_t *cookie) override {
    if (!sink || !cookie) return E_POINTER;
    ComPtr<IDispatch> d;
    if (failed(sink->QueryInterface(events_, d.put())) &&
        failed(sink->QueryInterface(IDispatch::iid, d.put())))
      return CONNECT_E_CANNOTCONNECT;
    *cookie = ++lastCookie_;
    sinks_.emplace_back(*cookie, std::move(d));
    return S_OK;
  }
  HRESULT Unadvise(std::uint32_t cookie) override {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it)
      if (it->first == cookie) {
        sinks_.erase(it);
        return S_OK;
      }
    return CONNECT_E_NOCONNECTION;
  }

  // Calls every advised sink; a sink's failure does not stop the others.
  void fire(DISPID id, std::vector<Variant> args = {}) {
    const auto sinks = sinks_; // a sink may unadvise while being called
    for (const auto &s : sinks) {
      DispParams p{args};
      Variant ignored;
      s.second->Invoke(id, DISPATCH_METHOD, p, &ignored, nullptr, nullptr);
    }
  }
  std::size_t sinkCount() const { return sinks_.size(); }
  const IID &events() const { return events_; }
  void detach() {
    owner_ = nullptr;
    sinks_.clear();
  }

private:
  IConnectionPointContainer *owner_;
  IID events_;
  std::uint32_t lastCookie_ = 0;
  std::vector<std::pair<std::uint32_t, ComPtr<IDispatch>>> sinks_;
};

} // namespace dorrin::com
