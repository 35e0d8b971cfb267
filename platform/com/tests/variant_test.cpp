#include "platform/com/automation.h"

#include <gtest/gtest.h>

namespace dorrin::com {
namespace {

TEST(Guid, ParsesAndFormatsTheRegistryForm) {
  constexpr GUID g = guid("{E881B560-E2F4-101B-96E6-0020AF38F4BB}");
  EXPECT_EQ(g.data1, 0xE881B560u);
  EXPECT_EQ(g.data2, 0xE2F4);
  EXPECT_EQ(g.data3, 0x101B);
  EXPECT_EQ(g.data4[0], 0x96);
  EXPECT_EQ(g.data4[7], 0xBB);
  EXPECT_EQ(formatGuid(g), "{E881B560-E2F4-101B-96E6-0020AF38F4BB}");
  EXPECT_EQ(parseGuid("{e881b560-e2f4-101b-96e6-0020af38f4bb}"), g);
  for (const char *bad :
       {"", "E881B560-E2F4-101B-96E6-0020AF38F4BB", "{E881B560-E2F4-101B-96E6-0020AF38F4B}",
        "{E881B560+E2F4-101B-96E6-0020AF38F4BB}", "{E881B560-E2F4-101B-96E6-0020AF38F4BG}"})
    EXPECT_FALSE(parseGuid(bad)) << bad;
}

struct Conversion {
  Variant from;
  VARTYPE to;
  HRESULT hr;
  Variant expected;
};

TEST(Variant, ConvertsWithAutomationRules) {
  const Conversion cases[] = {
      {Variant(std::int32_t{40000}), VT_I2, DISP_E_OVERFLOW, {}},
      {Variant(std::int32_t{-32768}), VT_I2, S_OK, Variant(std::int16_t{-32768})},
      {Variant(2.5), VT_I2, S_OK, Variant(std::int16_t{2})}, // half to even
      {Variant(3.5), VT_I4, S_OK, Variant(std::int32_t{4})},
      {Variant(-0.5f), VT_I4, S_OK, Variant(std::int32_t{0})},
      {Variant(true), VT_I2, S_OK, Variant(std::int16_t{-1})},
      {Variant(std::int16_t{7}), VT_BOOL, S_OK, Variant(true)},
      {Variant(std::int32_t{0}), VT_BOOL, S_OK, Variant(false)},
      {Variant(" 12 "), VT_I4, S_OK, Variant(std::int32_t{12})},
      {Variant("1e3"), VT_I2, S_OK, Variant(std::int16_t{1000})},
      {Variant("12abc"), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {Variant(""), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {Variant("true"), VT_BOOL, S_OK, Variant(true)},
      {Variant("0"), VT_BOOL, S_OK, Variant(false)},
      {Variant("yes"), VT_BOOL, DISP_E_TYPEMISMATCH, {}},
      {Variant(std::int16_t{-5}), VT_BSTR, S_OK, Variant("-5")},
      {Variant(0.1f), VT_BSTR, S_OK, Variant("0.1")},
      {Variant(1.25), VT_BSTR, S_OK, Variant("1.25")},
      {Variant(false), VT_BSTR, S_OK, Variant("False")},
      {Variant(), VT_BSTR, S_OK, Variant("")},
      {Variant(), VT_I4, S_OK, Variant(std::int32_t{0})},
      {Variant::null(), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {Variant("음1.wav"), VT_BSTR, S_OK, Variant("음1.wav")},
      {Variant::fromDate(makeDate({2100, 1, 1})), VT_BSTR, S_OK, Variant("2100-01-01")},
      {Variant("2024-02-29 13:05:09"), VT_DATE, S_OK,
       Variant::fromDate(makeDate({2024, 2, 29, 13, 5, 9}))},
      {Variant::fromDate(1.5), VT_R8, S_OK, Variant(1.5)},
      {Variant(1e40), VT_R4, DISP_E_OVERFLOW, {}},
      {Variant(std::int32_t{300}), VT_UI1, DISP_E_OVERFLOW, {}},
  };
  for (const auto &c : cases) {
    Variant out;
    EXPECT_EQ(c.from.changeType(c.to, &out), c.hr) << c.from.debugString() << " -> " << c.to;
    if (succeeded(c.hr)) {
      EXPECT_EQ(out, c.expected) << c.from.debugString() << " -> " << out.debugString();
    }
  }
}

TEST(Variant, DatesRoundTripAcrossTheEpoch) {
  for (const DateTime t :
       {DateTime{1899, 12, 30}, DateTime{1899, 12, 29, 6, 0, 0}, DateTime{1900, 3, 1, 23, 59, 59},
        DateTime{2000, 2, 29, 12, 0, 0}, DateTime{1600, 1, 1}}) {
    const DateTime back = splitDate(makeDate(t));
    EXPECT_EQ(std::tie(back.year, back.month, back.day, back.hour, back.minute, back.second),
              std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second))
        << t.year << "-" << t.month << "-" << t.day;
  }
  EXPECT_EQ(makeDate({1899, 12, 29, 6, 0, 0}), -1.25);
}

// An object whose default member is a number, with a visible reference count.
class Counted final : public Object<IDispatch> {
public:
  std::uint32_t refs() {
    AddRef();
    return Release();
  }
  HRESULT GetIDsOfNames(const std::string *, unsigned, DISPID *) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID id, std::uint16_t, DispParams &, Variant *r, ExcepInfo *,
                 unsigned *) override {
    if (id != DISPID_VALUE) return DISP_E_MEMBERNOTFOUND;
    *r = Variant(std::int32_t{42});
    return S_OK;
  }
};

TEST(Variant, HoldsReferencesAndConvertsObjectsThroughTheirDefaultMember) {
  auto *obj = new Counted;
  {
    Variant a(static_cast<IDispatch *>(obj));
    Variant b = a;
    EXPECT_EQ(obj->refs(), 3u);
    EXPECT_EQ(a.toString(), "42");
    Variant u;
    ASSERT_EQ(a.changeType(VT_UNKNOWN, &u), S_OK);
    EXPECT_EQ(u.unknown(), static_cast<IUnknown *>(obj));
  }
  EXPECT_EQ(obj->refs(), 1u);
  obj->Release();
}

} // namespace
} // namespace dorrin::com
