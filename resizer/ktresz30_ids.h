#pragma once
// The resizer control's fixed identifiers and dispatch ids; containers include
// this header to create the control and address its members (no linking).
#include "platform/com/automation.h"

namespace dorrin::resizer {

inline constexpr com::GUID LIBID_Ambrel = com::guid("{6B3A1E40-52C7-4D8E-9F21-3C0A7D5B8E10}");
inline constexpr com::CLSID CLSID_KtResizer = com::guid("{6B3A1E41-52C7-4D8E-9F21-3C0A7D5B8E10}");
inline constexpr com::CLSID CLSID_KtResizeOptions =
    com::guid("{6B3A1E42-52C7-4D8E-9F21-3C0A7D5B8E10}");
inline constexpr com::IID IID_IKtResizer = com::guid("{6B3A1E43-52C7-4D8E-9F21-3C0A7D5B8E10}");
inline constexpr com::IID IID_IKtResizeOptions =
    com::guid("{6B3A1E44-52C7-4D8E-9F21-3C0A7D5B8E10}");
inline constexpr com::IID DIID_DKtResizerEvents =
    com::guid("{6B3A1E45-52C7-4D8E-9F21-3C0A7D5B8E10}");
// A managed widget handed to BeforeResize: its dispatch object also offers
// IKtWidget so an in-process Qt host can reach the QWidget itself.
inline constexpr com::IID IID_IKtWidget = com::guid("{6B3A1E46-52C7-4D8E-9F21-3C0A7D5B8E10}");

inline constexpr const char *kProgId = "Ambrel.KtResizer.1";
inline constexpr const char *kVersionIndependentProgId = "Ambrel.KtResizer";
inline constexpr const char *kOptionsProgId = "Ambrel.KtResizeOptions";

// Constants_ResizeStyle
enum ResizeStyle : std::int32_t { ktSiblings = 0, ktAllChildren = 1 };

enum Dispid : com::DISPID {
  dispidMaxHeight = 1001,
  dispidMaxWidth = 1002,
  dispidMinHeight = 1003,
  dispidMinWidth = 1004,
  dispidResizeFonts = 1005,
  dispidResizeStyle = 1007,
  dispidCenterParent = 1008,
  dispidMaxFontSize = 1009,
  dispidMinFontSize = 1010,
  dispidTagVariant = 39,
  // IKtResizeOptions (ResizeFonts shares 1005)
  dispidNewLeft = 1011,
  dispidNewTop = 1012,
  dispidNewWidth = 1013,
  dispidNewHeight = 1014,
  dispidApplyNewSize = 1015,
  dispidApplyNewPosition = 1016,
};

// DKtResizerEvents
inline constexpr com::DISPID eventidBeforeResize = 1006;
inline constexpr com::DISPID eventidResizeComplete = 1017;

// Members of the widget object passed as BeforeResize's Control.
enum WidgetDispid : com::DISPID {
  dispidWidgetName = 1,
  dispidWidgetClassName = 2,
  dispidWidgetLeft = 3,
  dispidWidgetTop = 4,
  dispidWidgetWidth = 5,
  dispidWidgetHeight = 6,
};

} // namespace dorrin::resizer

class QWidget;
namespace dorrin::resizer {
struct IKtWidget : com::IUnknown {
  static constexpr com::IID iid = IID_IKtWidget;
  virtual QWidget *widget() = 0;
};
} // namespace dorrin::resizer
