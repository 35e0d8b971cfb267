// The control as a component, hosted through a container site: dispatch by id,
// notifications through its window, events to the container, timer 1, design
// mode, and release.
#include "platform/com/host.h"
#include "zelomm/tests/fake_mci.h"
#include "zelomm/zelomm_ids.h"
#include "zelomm/zelomm_object.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace dorrin::zelomm {
namespace {

using com::Variant;

class ZelommObjectTest : public ::testing::Test {
protected:
  void SetUp() override {
    object_ = new ZelommObject(&module_, mci_);
    ASSERT_EQ(com::ControlHost::attach(static_cast<com::IDispatch *>(object_), DIID__DZelommEvents,
                                       nullptr, &host_),
              com::S_OK);
    host_->setEventHandler([this](com::DISPID id, const std::vector<Variant> &) {
      events_.push_back(id);
      if (onEvent_) onEvent_(id);
    });
  }
  void TearDown() override {
    host_.reset();
    if (object_) object_->Release();
  }
  // Drops the test's own reference so the host holds the last one.
  void releaseOwnReference() {
    object_->Release();
    object_ = nullptr;
  }

  com::ModuleCount module_;
  test::FakeMci mci_;
  ZelommObject *object_ = nullptr;
  std::unique_ptr<com::ControlHost> host_;
  std::vector<com::DISPID> events_;
  std::function<void(com::DISPID)> onEvent_;
};

TEST_F(ZelommObjectTest, OrganiserPutsReachTheDeviceAndTheNotificationFiresDone) {
  mci_.on("status A mode wait", 0, "stopped");
  ASSERT_EQ(host_->put(dispidDeviceType, "waveaudio"), com::S_OK);
  ASSERT_EQ(host_->put(dispidFileName, "음1.wav"), com::S_OK);
  ASSERT_EQ(host_->put(dispidCommand, "open"), com::S_OK);
  ASSERT_EQ(host_->put(dispidCommand, "play"), com::S_OK);
  const std::string alias = object_->engine().alias();
  EXPECT_EQ(mci_.sent.back(), "play " + alias + "   notify ");

  Variant hwnd;
  ASSERT_EQ(host_->get(com::DISPID_HWND, &hwnd), com::S_OK);
  ASSERT_NE(hwnd.i4(), 0);
  for (win::HWND h : mci_.callbacks)
    EXPECT_EQ(h, static_cast<win::HWND>(hwnd.i4()));

  // The media layer posts its notification to the callback window.
  ASSERT_TRUE(
      win::postMessage(mci_.callbacks.back(), mci::MM_MCINOTIFY, mci::MCI_NOTIFY_SUCCESSFUL, 1));
  EXPECT_TRUE(events_.empty()); // only once the event loop runs
  QTRY_VERIFY_WITH_TIMEOUT(!events_.empty(), 5000);
  EXPECT_EQ(events_, (std::vector<com::DISPID>{eventidDone}));
  Variant v;
  ASSERT_EQ(host_->get(dispidNotifyValue, &v), com::S_OK);
  EXPECT_EQ(v, Variant(std::int16_t{1}));
}

TEST_F(ZelommObjectTest, ContainerMayReleaseTheControlInsideDone) {
  releaseOwnReference();
  onEvent_ = [this](com::DISPID) { host_.reset(); };
  const win::HWND window = mci_.callbacks.empty() ? 0 : mci_.callbacks.back();
  ASSERT_EQ(window, 0u); // nothing sent yet; find the window through hWnd
  Variant hwnd;
  ASSERT_EQ(host_->get(com::DISPID_HWND, &hwnd), com::S_OK);
  ASSERT_TRUE(win::sendMessage(static_cast<win::HWND>(hwnd.i4()), mci::MM_MCINOTIFY, 1, 0));
  EXPECT_FALSE(host_);
  EXPECT_EQ(module_.objects.load(), 0);
  EXPECT_EQ(mci_.sent.back(), "close  wait"); // destruction closes the (unopened) alias
  EXPECT_FALSE(win::isWindow(static_cast<win::HWND>(hwnd.i4())));
}

TEST_F(ZelommObjectTest, DesignModeComesFromTheSite) {
  host_->setUserMode(false);
  com::ExcepInfo ei;
  Variant v;
  EXPECT_EQ(host_->get(dispidTimeFormat, &v, &ei), com::DISP_E_EXCEPTION);
  EXPECT_EQ(ei.scode, com::CTL_E_GETNOTSUPPORTED);
  EXPECT_EQ(ei.number(), 394);
  EXPECT_FALSE(host_->controlChanged());
  EXPECT_EQ(host_->put(dispidDeviceType, "waveaudio"), com::S_OK);
  EXPECT_TRUE(host_->controlChanged());
  host_->setUserMode(true);
  EXPECT_EQ(host_->get(dispidTimeFormat, &v, &ei), com::S_OK);
}

TEST_F(ZelommObjectTest, UpdateIntervalRunsTimerOneFiringStatusUpdate) {
  EXPECT_FALSE(object_->timerActive());
  ASSERT_EQ(host_->put(dispidUpdateInterval, std::int16_t{5}), com::S_OK);
  EXPECT_TRUE(object_->timerActive());
  EXPECT_EQ(object_->timerInterval(), 5);
  QTRY_VERIFY_WITH_TIMEOUT(events_.size() >= 2, 5000);
  for (com::DISPID id : events_)
    EXPECT_EQ(id, eventidStatusUpdate);
  ASSERT_EQ(host_->put(dispidUpdateInterval, std::int16_t{-1}), com::S_OK);
  EXPECT_FALSE(object_->timerActive());

  // Frozen events are not delivered.
  auto control = com::ComPtr<com::IDispatch>(object_).as<com::IOleControl>();
  ASSERT_TRUE(control);
  control->FreezeEvents(true);
  events_.clear();
  object_->engine().onTimer();
  EXPECT_TRUE(events_.empty());
  control->FreezeEvents(false);
  object_->engine().onTimer();
  EXPECT_EQ(events_.size(), 1u);
}

TEST_F(ZelommObjectTest, OffersItsInterfacesAndCountsItself) {
  com::ComPtr<com::IDispatch> self(object_);
  EXPECT_TRUE(self.as<com::IUnknown>());
  EXPECT_TRUE(self.as<com::IOleObject>());
  EXPECT_TRUE(self.as<com::IConnectionPointContainer>());
  void *p = nullptr;
  EXPECT_EQ(self->QueryInterface(DIID__DZelomm, &p), com::S_OK);
  EXPECT_EQ(p, static_cast<com::IDispatch *>(object_));
  static_cast<com::IDispatch *>(p)->Release();
  EXPECT_EQ(self->QueryInterface(DIID__DZelommEvents, &p), com::E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  com::ComPtr<com::IConnectionPoint> point;
  EXPECT_EQ(
      self.as<com::IConnectionPointContainer>()->FindConnectionPoint(DIID__DZelomm, point.put()),
      com::CONNECT_E_NOCONNECTION);
  EXPECT_EQ(module_.objects.load(), 1);
  self.reset();
  host_.reset();
  releaseOwnReference();
  EXPECT_EQ(module_.objects.load(), 0);
}

} // namespace
} // namespace dorrin::zelomm
