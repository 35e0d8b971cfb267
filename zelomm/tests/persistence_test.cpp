// What the control keeps in its container's saved form, through a property
// bag: names, order and version, the round trip, defaults for what is missing
// or unreadable, and the modified state of design-time changes.
#include "platform/com/host.h"
#include "platform/com/persist.h"
#include "zelomm/tests/fake_mci.h"
#include "zelomm/zelomm_ids.h"
#include "zelomm/zelomm_object.h"

#include <gtest/gtest.h>

namespace dorrin::zelomm {
namespace {

using com::Variant;

// A bag that keeps the order of its writes.
class OrderedBag final : public com::Object<com::IPropertyBag> {
public:
  com::HRESULT Read(const std::string &name, Variant *value, com::IErrorLog *) override {
    for (const auto &[n, v] : values)
      if (n == name) {
        *value = v;
        return com::S_OK;
      }
    return com::E_INVALIDARG;
  }
  com::HRESULT Write(const std::string &name, const Variant &value) override {
    values.emplace_back(name, value);
    return com::S_OK;
  }
  std::vector<std::pair<std::string, Variant>> values;
};

class ErrorLog final : public com::Object<com::IErrorLog> {
public:
  com::HRESULT AddError(const std::string &property, const com::ExcepInfo &) override {
    properties.push_back(property);
    return com::S_OK;
  }
  std::vector<std::string> properties;
};

class Persistence : public ::testing::Test {
protected:
  struct Hosted {
    ZelommObject *object;
    std::unique_ptr<com::ControlHost> host;
    com::IPersistPropertyBag *persist() { return object; }
  };
  Hosted make(QWidget *parent = nullptr) {
    Hosted h{new ZelommObject(&module_, mci_), nullptr};
    EXPECT_EQ(com::ControlHost::attach(static_cast<com::IDispatch *>(h.object), DIID__DZelommEvents,
                                       parent, &h.host),
              com::S_OK);
    h.object->Release();
    return h;
  }
  com::ModuleCount module_;
  test::FakeMci mci_;
};

TEST_F(Persistence, SavesVersionExtentThenTheFourPropertiesThenEnabled) {
  Hosted h = make();
  h.host->put(dispidDeviceType, "waveaudio");
  h.host->put(dispidFileName, "음1.wav");
  h.host->put(dispidUpdateInterval, std::int16_t{250});
  h.host->put(dispidBevelWidth, std::int16_t{7});
  h.host->put(com::DISPID_ENABLED, false);
  com::ComPtr<OrderedBag> bag(new OrderedBag);
  bag->Release();
  ASSERT_EQ(h.persist()->Save(bag.get(), true, true), com::S_OK);
  std::vector<std::string> names;
  for (const auto &[n, v] : bag->values)
    names.push_back(n);
  EXPECT_EQ(names,
            (std::vector<std::string>{"_Version", "_ExtentX", "_ExtentY", "DeviceType", "FileName",
                                      "UpdateInterval", "BevelWidth", "Enabled"}));
  EXPECT_EQ(bag->values[0].second, Variant(std::int32_t{0x10000}));
  EXPECT_EQ(bag->values[1].second, Variant(std::int32_t{6191})); // 234 px in 0.01 mm
  EXPECT_EQ(bag->values[2].second, Variant(std::int32_t{873}));  // 33 px
  EXPECT_EQ(bag->values[3].second, Variant("WAVEAUDIO"));
  EXPECT_EQ(bag->values[4].second, Variant("음1.wav"));
  EXPECT_EQ(bag->values[5].second, Variant(std::int16_t{250}));
  EXPECT_EQ(bag->values[6].second, Variant(std::int16_t{7}));
  EXPECT_EQ(bag->values[7].second, Variant(false));

  // Read back by a new control on a form: every value, the size and the timer.
  QWidget form;
  Hosted back = make(&form);
  ASSERT_EQ(back.persist()->Load(bag.get(), nullptr), com::S_OK);
  CZelommCtrl &c = back.object->engine();
  EXPECT_EQ(c.deviceType(), "WAVEAUDIO");
  EXPECT_EQ(c.fileName(), "음1.wav");
  EXPECT_EQ(c.updateInterval(), 250);
  EXPECT_EQ(c.bevelWidth(), 7);
  EXPECT_FALSE(c.enabled());
  EXPECT_TRUE(back.object->timerActive());
  EXPECT_EQ(back.object->timerInterval(), 250);
  EXPECT_EQ(back.host->widget()->size(), QSize(234, 33));
  EXPECT_EQ(back.persist()->IsDirty(), com::S_FALSE);
}

TEST_F(Persistence, MissingOrUnreadableValuesTakeTheirDefaults) {
  Hosted h = make();
  h.host->put(dispidDeviceType, "cdaudio");
  h.host->put(dispidBevelWidth, std::int16_t{9});
  h.host->put(com::DISPID_ENABLED, false);
  com::ComPtr<OrderedBag> bag(new OrderedBag);
  bag->Release();
  bag->values = {{"BevelWidth", Variant("wide")}, {"UpdateInterval", Variant("99999")}};
  com::ComPtr<ErrorLog> log(new ErrorLog);
  log->Release();
  ASSERT_EQ(h.persist()->Load(bag.get(), log.get()), com::S_OK);
  CZelommCtrl &c = h.object->engine();
  EXPECT_EQ(c.deviceType(), "");
  EXPECT_EQ(c.bevelWidth(), 2);
  EXPECT_EQ(c.updateInterval(), 0);
  EXPECT_TRUE(c.enabled());
  EXPECT_EQ(log->properties, (std::vector<std::string>{"UpdateInterval", "BevelWidth"}));

  // Out-of-range bevels are held within 0..10 as a put holds them.
  bag->values = {{"BevelWidth", Variant(std::int32_t{50})}};
  ASSERT_EQ(h.persist()->Load(bag.get(), nullptr), com::S_OK);
  EXPECT_EQ(c.bevelWidth(), 10);
  EXPECT_EQ(h.persist()->Load(nullptr, nullptr), com::E_POINTER);
}

TEST_F(Persistence, DesignTimePutsMarkTheControlModified) {
  Hosted h = make();
  ASSERT_EQ(h.persist()->InitNew(), com::S_OK);
  h.host->put(dispidFileName, "run.wav"); // run time: not a change to the form
  EXPECT_EQ(h.persist()->IsDirty(), com::S_FALSE);
  EXPECT_FALSE(h.host->controlChanged());

  h.host->setUserMode(false);
  struct Case {
    com::DISPID id;
    Variant value;
  } cases[] = {{dispidDeviceType, Variant("waveaudio")},
               {dispidFileName, Variant("b.wav")},
               {dispidUpdateInterval, Variant(std::int16_t{100})},
               {dispidBevelWidth, Variant(std::int16_t{3})}};
  for (const Case &c : cases) {
    com::ComPtr<com::MemoryPropertyBag> bag(new com::MemoryPropertyBag);
    bag->Release();
    ASSERT_EQ(h.persist()->Save(bag.get(), true, true), com::S_OK);
    ASSERT_EQ(h.persist()->IsDirty(), com::S_FALSE);
    h.host->resetControlChanged();
    ASSERT_EQ(h.host->put(c.id, c.value), com::S_OK);
    EXPECT_EQ(h.persist()->IsDirty(), com::S_OK) << c.id;
    EXPECT_TRUE(h.host->controlChanged()) << c.id;
  }
  // Loading is not a change.
  com::ComPtr<com::MemoryPropertyBag> bag(new com::MemoryPropertyBag);
  bag->Release();
  bag->Write("DeviceType", Variant("sequencer"));
  ASSERT_EQ(h.persist()->Load(bag.get(), nullptr), com::S_OK);
  EXPECT_EQ(h.persist()->IsDirty(), com::S_FALSE);
  EXPECT_TRUE(h.object->engine().isSequencer());

  com::CLSID clsid{};
  ASSERT_EQ(h.persist()->GetClassID(&clsid), com::S_OK);
  EXPECT_EQ(clsid, CLSID_Zelomm);
}

} // namespace
} // namespace dorrin::zelomm
