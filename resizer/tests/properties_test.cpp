// The control's properties through its dispatch interface: defaults,
// validation and errors, unit conversion, notification, persistence.
#include "resizer/properties.h"
#include "resizer/strings.h"
#include "resizer/tests/resizer_fixture.h"
#include "resizer/typelib.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace dorrin::resizer {
namespace {

using com::Variant;
using test::HostedResizer;

TEST(ResizerProperties, DefaultsAsReadByAClient) {
  QWidget form;
  HostedResizer r(&form);
  ASSERT_EQ(r.result(), com::S_OK);
  EXPECT_EQ(r.get(dispidMaxHeight), Variant(0.0f));
  EXPECT_EQ(r.get(dispidMinWidth), Variant(0.0f));
  EXPECT_EQ(r.get(dispidMaxFontSize), Variant(100.0f));
  EXPECT_EQ(r.get(dispidMinFontSize), Variant(1.0f));
  EXPECT_EQ(r.get(dispidResizeStyle), Variant(std::int32_t{ktAllChildren}));
  EXPECT_EQ(r.get(dispidResizeFonts), Variant(true));
  EXPECT_EQ(r.get(com::DISPID_ENABLED), Variant(true));
  EXPECT_TRUE(r.get(dispidTagVariant).isEmpty());
}

// Each row: puts in order on a fresh control (pixel form); the last put's
// result, error number and text; the property read back afterwards.
struct PutCase {
  const char *name;
  std::vector<std::pair<com::DISPID, Variant>> puts;
  long error; // 0: accepted
  const char *text;
  com::DISPID readBack;
  Variant expected;
};

class ResizerPut : public ::testing::TestWithParam<PutCase> {};

TEST_P(ResizerPut, ValidatesAndKeepsTheOldValueOnError) {
  const PutCase &c = GetParam();
  QWidget form;
  form.resize(800, 600);
  HostedResizer r(&form);
  com::HRESULT hr = com::S_OK;
  com::ExcepInfo ei;
  for (const auto &[id, v] : c.puts) {
    ei = {};
    hr = r.put(id, v, &ei);
  }
  if (c.error == 0) {
    EXPECT_EQ(hr, com::S_OK) << ei.description;
  } else {
    EXPECT_EQ(hr, com::DISP_E_EXCEPTION);
    EXPECT_EQ(ei.number(), c.error);
    EXPECT_EQ(ei.description, c.text);
  }
  EXPECT_EQ(r.get(c.readBack), c.expected);
}

const Variant f(float v) {
  return Variant(v);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResizerPut,
    ::testing::Values(
        PutCase{"NegativeMaxHeight",
                {{dispidMaxHeight, f(300)}, {dispidMaxHeight, f(-1)}},
                380,
                "Invalid property value",
                dispidMaxHeight,
                f(300)},
        PutCase{"NegativeMinWidth",
                {{dispidMinWidth, f(-0.5f)}},
                380,
                "Invalid property value",
                dispidMinWidth,
                f(0)},
        PutCase{"MaxBelowMin",
                {{dispidMinHeight, f(200)}, {dispidMaxHeight, f(100)}},
                380,
                "Invalid property value",
                dispidMaxHeight,
                f(0)},
        PutCase{"MinAboveMax",
                {{dispidMaxWidth, f(300)}, {dispidMinWidth, f(301)}},
                380,
                "Invalid property value",
                dispidMinWidth,
                f(0)},
        PutCase{"MaxZeroAlwaysAllowed",
                {{dispidMinHeight, f(200)}, {dispidMaxHeight, f(250)}, {dispidMaxHeight, f(0)}},
                0,
                "",
                dispidMaxHeight,
                f(0)},
        PutCase{"MaxEqualToMin",
                {{dispidMinHeight, f(200)}, {dispidMaxHeight, f(200)}},
                0,
                "",
                dispidMaxHeight,
                f(200)},
        PutCase{"BelowOnePixelIsNoLimit", {{dispidMaxWidth, f(0.4f)}}, 0, "", dispidMaxWidth, f(0)},
        PutCase{"MinFontAboveMax",
                {{dispidMaxFontSize, f(10)}, {dispidMinFontSize, f(12)}},
                0x7969,
                "MinFontSize can't be greater than MaxFontSize.",
                dispidMinFontSize,
                f(1)},
        PutCase{"MaxFontBelowMin",
                {{dispidMinFontSize, f(12)}, {dispidMaxFontSize, f(10)}},
                0x7969,
                "MinFontSize can't be greater than MaxFontSize.",
                dispidMaxFontSize,
                f(100)},
        PutCase{"FontsEqual",
                {{dispidMaxFontSize, f(10)}, {dispidMinFontSize, f(10)}},
                0,
                "",
                dispidMinFontSize,
                f(10)},
        PutCase{"NegativeFont",
                {{dispidMinFontSize, f(-1)}},
                380,
                "Invalid property value",
                dispidMinFontSize,
                f(1)},
        PutCase{"StyleTwo",
                {{dispidResizeStyle, Variant(std::int32_t{2})}},
                380,
                "Invalid property value",
                dispidResizeStyle,
                Variant(std::int32_t{1})},
        PutCase{"StyleSiblings",
                {{dispidResizeStyle, Variant(std::int32_t{0})}},
                0,
                "",
                dispidResizeStyle,
                Variant(std::int32_t{0})},
        PutCase{"TagObjectOrNumber",
                {{dispidTagVariant, Variant(std::int32_t{42})}},
                0,
                "",
                dispidTagVariant,
                Variant(std::int32_t{42})}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ResizerProperties, PixelFormsReadBackExactlyTwipFormsInWholePixels) {
  QWidget form;
  HostedResizer pixels(&form, "pixels");
  ASSERT_EQ(pixels.put(dispidMaxHeight, 333.0f), com::S_OK);
  EXPECT_EQ(pixels.get(dispidMaxHeight), Variant(333.0f));
  QWidget other;
  HostedResizer twips(&other, "Twip");
  const double dpi = ScaleUnits::fromAmbient("Twip", 96).dpi;
  ASSERT_EQ(twips.put(dispidMaxHeight, 1000.0f), com::S_OK);
  EXPECT_EQ(twips.object()->properties().maxHeight, 67.0f) << "1000 twips at 96 dpi";
  EXPECT_FLOAT_EQ(twips.get(dispidMaxHeight).r4(), 67 * 1440 / dpi);
}

TEST(ResizerProperties, ConversionThroughHimetric) {
  struct Row {
    const char *units;
    double value, pixels;
  } rows[] = {{"pixels", 12.5, 12.5}, {"", 7, 7},       {"Twip", 1440, 96},
              {"Point", 72, 96},      {"Inch", 2, 192}, {"Centimeter", 2.54, 96},
              {"Millimeter", 10, 38}};
  for (const Row &row : rows) {
    const ScaleUnits u = ScaleUnits::fromAmbient(row.units, 96);
    EXPECT_DOUBLE_EQ(u.toPixels(row.value), row.pixels) << row.units;
  }
}

TEST(ResizerProperties, AChangeNotifiesTheSiteAndAnEqualValueDoesNothing) {
  QWidget form;
  HostedResizer r(&form);
  r.host().resetControlChanged();
  ASSERT_EQ(r.put(dispidMaxFontSize, 100.0f), com::S_OK);
  EXPECT_FALSE(r.host().controlChanged());
  EXPECT_EQ(r.object()->IsDirty(), com::S_FALSE);
  ASSERT_EQ(r.put(dispidMaxFontSize, 50.0f), com::S_OK);
  EXPECT_TRUE(r.host().controlChanged());
  EXPECT_EQ(r.object()->IsDirty(), com::S_OK);
}

TEST(ResizerProperties, SavedAndLoadedByName) {
  QWidget form;
  HostedResizer r(&form);
  ASSERT_EQ(r.put(dispidMinHeight, 200.0f), com::S_OK);
  ASSERT_EQ(r.put(dispidResizeStyle, std::int32_t{0}), com::S_OK);
  ASSERT_EQ(r.put(dispidResizeFonts, false), com::S_OK);
  ASSERT_EQ(r.put(dispidTagVariant, std::int32_t{7}), com::S_OK);
  com::ComPtr<com::MemoryPropertyBag> bag(new com::MemoryPropertyBag);
  bag->Release();
  ASSERT_EQ(r.object()->Save(bag.get(), true, true), com::S_OK);
  const auto &v = bag->values();
  EXPECT_EQ(v.at("MinHeight"), Variant(200.0f));
  EXPECT_EQ(v.at("ResizeStyle"), Variant(std::int32_t{0}));
  EXPECT_EQ(v.at("ResizeFonts"), Variant(false));
  EXPECT_EQ(v.at("Enabled"), Variant(true));
  EXPECT_EQ(v.at("_Version"), Variant(std::int32_t{0x30000}));
  EXPECT_TRUE(v.count("_ExtentX") && v.count("_ExtentY"));
  EXPECT_EQ(v.count("TagVariant"), 0u) << "a number is not persisted";
  EXPECT_EQ(r.object()->IsDirty(), com::S_FALSE);

  ASSERT_EQ(r.put(dispidTagVariant, "쪽지"), com::S_OK);
  ASSERT_EQ(r.object()->Save(bag.get(), true, true), com::S_OK);
  EXPECT_EQ(bag->values().at("TagVariant"), Variant("쪽지"));

  QWidget other;
  HostedResizer loaded(&other);
  ASSERT_EQ(loaded.object()->Load(bag.get(), nullptr), com::S_OK);
  EXPECT_EQ(loaded.get(dispidMinHeight), Variant(200.0f));
  EXPECT_EQ(loaded.get(dispidResizeStyle), Variant(std::int32_t{0}));
  EXPECT_EQ(loaded.get(dispidResizeFonts), Variant(false));
  EXPECT_EQ(loaded.get(dispidTagVariant), Variant("쪽지"));
}

TEST(ResizerProperties, LoadKeepsDefaultsForMissingOrUnreadableValues) {
  com::ComPtr<com::MemoryPropertyBag> bag(new com::MemoryPropertyBag);
  bag->Release();
  bag->Write("ResizeStyle", "many");
  bag->Write("Enabled", "perhaps");
  bag->Write("MaxWidth", -5.0f);
  bag->Write("MaxFontSize", "12");
  bag->Write("TagVariant", std::int32_t{5});
  QWidget form;
  HostedResizer r(&form);
  ASSERT_EQ(r.object()->Load(bag.get(), nullptr), com::S_OK);
  EXPECT_EQ(r.get(dispidResizeStyle), Variant(std::int32_t{1}));
  EXPECT_EQ(r.get(com::DISPID_ENABLED), Variant(true));
  EXPECT_EQ(r.get(dispidMaxWidth), Variant(0.0f));
  EXPECT_EQ(r.get(dispidMaxFontSize), Variant(12.0f));
  EXPECT_EQ(r.get(dispidTagVariant), Variant("5")) << "read as a string";
}

TEST(ResizerProperties, SecondResizerOnOneContainerIsRefused) {
  std::vector<std::pair<QString, QString>> shown;
  auto previous = setMessageHandler([&](QWidget *, const QString &text, const QString &caption) {
    shown.emplace_back(text, caption);
  });
  QWidget form;
  HostedResizer first(&form);
  ASSERT_EQ(first.result(), com::S_OK);
  HostedResizer second(&form);
  EXPECT_EQ(second.result(), com::E_UNEXPECTED);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, "Only one control allowed per container, if an error is displayed "
                            "after this just press OK to continue.");
  EXPECT_EQ(shown[0].second, "Ambrel Error");
  QWidget other;
  HostedResizer third(&other);
  EXPECT_EQ(third.result(), com::S_OK);
  setMessageHandler(previous);
}

TEST(ResizerStrings, ErrorTableAndFrameworkMessages) {
  const std::pair<int, const char *> errors[] = {{7, "Out of memory"},
                                                 {17, "Unable to perform the requested operation."},
                                                 {53, "File not found"},
                                                 {57, "Device I/O error"},
                                                 {64, "Bad file name"},
                                                 {67, "Too many files"},
                                                 {70, "Permission denied"},
                                                 {75, "Path/File access error"},
                                                 {76, "Path not found"},
                                                 {380, "Invalid property value"},
                                                 {381, "Invalid property array index"},
                                                 {500, "Property is read-only"},
                                                 {501, "Property unavailable at design time"}};
  for (const auto &[n, text] : errors) {
    EXPECT_EQ(errorString(n), text);
    EXPECT_EQ(loadString(10000 + n), text);
  }
  EXPECT_EQ(errorString(999), "");
  EXPECT_EQ(formatMessage(loadString(idsErrorNumbered), "Font", "380"), "Font [Error 380]");
  EXPECT_EQ(formatMessage(loadString(idsNotFound), "x.hlp"), "x.hlp not found.");
}

TEST(ResizerTypeLibrary, NamesAndIdsOfTheInterfaces) {
  const TypeLibrary &t = typeLibrary();
  EXPECT_EQ(t.name, "Ambrel");
  EXPECT_EQ(t.lcid, 1033u);
  const std::string names[] = {"maxheight", "ResizeStyle",  "Enabled", "TagVariant",
                               "AboutBox",  "CenterParent", "Nonsense"};
  com::DISPID ids[7];
  EXPECT_EQ(idsOfNames(t.resizer, names, 7, ids), com::DISP_E_UNKNOWNNAME);
  const com::DISPID expected[] = {1001, 1007, -514, 39, -552, 1008, com::DISPID_UNKNOWN};
  EXPECT_TRUE(std::equal(ids, ids + 7, expected));
  const std::string opt[] = {"NewLeft", "ApplyNewPosition", "ResizeFonts"};
  EXPECT_EQ(idsOfNames(t.options, opt, 3, ids), com::S_OK);
  EXPECT_EQ(ids[0], 1011);
  EXPECT_EQ(ids[1], 1016);
  EXPECT_EQ(ids[2], 1005);
}

} // namespace
} // namespace dorrin::resizer
