#include "zelomm/typelib.h"

namespace dorrin::zelomm {
namespace {

// Kept in its own section of the library file; the "used" attribute keeps it
// although nothing reads it in process except typeLibraryText().
__attribute__((section("dorrin_typelib"), used)) const char kTypeLib[] = R"(// ZelommLib 1.0
[ uuid(E881B563-E2F4-101B-96E6-0020AF38F4BB), version(1.0),
  helpstring("Zelomm ActiveX Control module"), control ]
library ZelommLib
{
  importlib(STDOLE_TLB);
  importlib(STDTYPE_TLB);

  [ uuid(E881B561-E2F4-101B-96E6-0020AF38F4BB),
    helpstring("Dispatch interface for Zelomm Control"), hidden ]
  dispinterface _DZelomm
  {
    properties:
      [id(1)] BSTR DeviceType;
      [id(2)] BSTR FileName;
      [id(3)] BSTR TimeFormat;
      [id(4)] boolean Notify;
      [id(5)] boolean Wait;
      [id(6)] boolean Shareable;
      [id(7)] long From;
      [id(8)] long To;
      [id(9)] short NotifyValue;
      [id(10)] long Frames;
      [id(11)] short Error;
      [id(12)] BSTR Command;
      [id(13)] short RecordMode;
      [id(14)] boolean CanEject;
      [id(15)] boolean CanPlay;
      [id(16)] boolean CanRecord;
      [id(17)] boolean CanStep;
      [id(18)] BSTR ErrorMessage;
      [id(19)] short hWndDisplay;
      [id(20)] long Length;
      [id(21)] long Mode;
      [id(22)] BSTR NotifyMessage;
      [id(23)] long Position;
      [id(24)] boolean Silent;
      [id(25)] long Start;
      [id(26)] long Track;
      [id(27)] long TrackLength;
      [id(28)] long TrackPosition;
      [id(29)] long Tracks;
      [id(30)] short UpdateInterval;
      [id(31)] boolean UsesWindows;
      [id(32)] long SamplingRate;
      [id(33)] long Tempo;
      [id(34)] short DeviceID;
      [id(35)] short BitsPerSample;
      [id(36)] short Channels;
      [id(37)] short BevelWidth;
      [id(0)] BSTR _Command;
      [id(-515)] long hWnd;
      [id(-514), bindable, requestedit] boolean Enabled;
    methods:
      [id(-552)] void AboutBox();
  };

  [ uuid(E881B562-E2F4-101B-96E6-0020AF38F4BB),
    helpstring("Event interface for Zelomm Control") ]
  dispinterface _DZelommEvents
  {
    properties:
    methods:
      [id(1)] void Done();
      [id(2)] void StatusUpdate();
      [id(-600)] void Click();
  };

  [ uuid(E881B560-E2F4-101B-96E6-0020AF38F4BB),
    helpstring("Zelomm Control"), control ]
  coclass Zelomm
  {
    [default] dispinterface _DZelomm;
    [default, source] dispinterface _DZelommEvents;
  };
};
)";

} // namespace

const TypeLibInfo &typeLibInfo() {
  static const TypeLibInfo info{"ZelommLib", "1.0",      "Zelomm ActiveX Control module",
                                "Zelomm",    "_DZelomm", "_DZelommEvents"};
  return info;
}

std::string_view typeLibraryText() {
  return {kTypeLib, sizeof kTypeLib - 1};
}

} // namespace dorrin::zelomm
