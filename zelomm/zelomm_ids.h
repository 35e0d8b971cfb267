#pragma once
// The ZELOMM control's fixed identifiers and dispatch ids; containers include
// this header to create the control and address its members (no linking).
#include "platform/com/automation.h"

namespace dorrin::zelomm {

inline constexpr com::CLSID CLSID_Zelomm = com::guid("{E881B560-E2F4-101B-96E6-0020AF38F4BB}");
inline constexpr const char *kProgId = "ZELOMM.ZelommCtrl.1";
inline constexpr com::IID DIID__DZelomm = com::guid("{E881B561-E2F4-101B-96E6-0020AF38F4BB}");
inline constexpr com::IID DIID__DZelommEvents = com::guid("{E881B562-E2F4-101B-96E6-0020AF38F4BB}");
inline constexpr com::GUID LIBID_ZelommLib = com::guid("{E881B563-E2F4-101B-96E6-0020AF38F4BB}");
inline constexpr com::CLSID CLSID_ZelommPropPage =
    com::guid("{E881B564-E2F4-101B-96E6-0020AF38F4BB}");
inline constexpr const char *kPropPageProgId = "ZELOMM.ZelommPropPage.1";

// _DZelomm: each custom member's dispatch id is its position in the interface.
enum Dispid : com::DISPID {
  dispidDeviceType = 1,
  dispidFileName = 2,
  dispidTimeFormat = 3,
  dispidNotify = 4,
  dispidWait = 5,
  dispidShareable = 6,
  dispidFrom = 7,
  dispidTo = 8,
  dispidNotifyValue = 9,
  dispidFrames = 10,
  dispidError = 11,
  dispidCommand = 12,
  dispidRecordMode = 13,
  dispidCanEject = 14,
  dispidCanPlay = 15,
  dispidCanRecord = 16,
  dispidCanStep = 17,
  dispidErrorMessage = 18,
  dispidHWndDisplay = 19,
  dispidLength = 20,
  dispidMode = 21,
  dispidNotifyMessage = 22,
  dispidPosition = 23,
  dispidSilent = 24,
  dispidStart = 25,
  dispidTrack = 26,
  dispidTrackLength = 27,
  dispidTrackPosition = 28,
  dispidTracks = 29,
  dispidUpdateInterval = 30,
  dispidUsesWindows = 31,
  dispidSamplingRate = 32,
  dispidTempo = 33,
  dispidDeviceID = 34,
  dispidBitsPerSample = 35,
  dispidChannels = 36,
  dispidBevelWidth = 37,
};

// _DZelommEvents.
inline constexpr com::DISPID eventidDone = 1;
inline constexpr com::DISPID eventidStatusUpdate = 2;
inline constexpr com::DISPID eventidClick = com::DISPID_CLICK;

} // namespace dorrin::zelomm
