#include "zelomm/dispatch.h"

#include "platform/com/log.h"
#include "zelomm/zelomm_ctrl.h"
#include "zelomm/zelomm_ids.h"

#include <exception>
#include <new>

namespace dorrin::zelomm {
namespace {

using com::Variant;
using enum Access;

constexpr Member kMembers[] = {
    {dispidDeviceType, "DeviceType", com::VT_BSTR, Yes, Yes},
    {dispidFileName, "FileName", com::VT_BSTR, Yes, Yes},
    {dispidTimeFormat, "TimeFormat", com::VT_BSTR, RunTimeOnly, Yes},
    {dispidNotify, "Notify", com::VT_BOOL, RunTimeOnly, Yes},
    {dispidWait, "Wait", com::VT_BOOL, RunTimeOnly, Yes},
    {dispidShareable, "Shareable", com::VT_BOOL, RunTimeOnly, RunTimeOnly},
    {dispidFrom, "From", com::VT_I4, RunTimeOnly, Yes},
    {dispidTo, "To", com::VT_I4, RunTimeOnly, Yes},
    {dispidNotifyValue, "NotifyValue", com::VT_I2, RunTimeOnly, Refused},
    {dispidFrames, "Frames", com::VT_I4, RunTimeOnly, Yes},
    {dispidError, "Error", com::VT_I2, RunTimeOnly, Refused},
    {dispidCommand, "Command", com::VT_BSTR, Refused, Yes},
    {dispidRecordMode, "RecordMode", com::VT_I2, RunTimeOnly, RunTimeOnly},
    {dispidCanEject, "CanEject", com::VT_BOOL, RunTimeOnly, Refused},
    {dispidCanPlay, "CanPlay", com::VT_BOOL, RunTimeOnly, Refused},
    {dispidCanRecord, "CanRecord", com::VT_BOOL, RunTimeOnly, Refused},
    {dispidCanStep, "CanStep", com::VT_BOOL, RunTimeOnly, Refused},
    {dispidErrorMessage, "ErrorMessage", com::VT_BSTR, RunTimeOnly, Refused},
    {dispidHWndDisplay, "hWndDisplay", com::VT_I2, RunTimeOnly, Yes},
    {dispidLength, "Length", com::VT_I4, RunTimeOnly, Refused},
    {dispidMode, "Mode", com::VT_I4, RunTimeOnly, Refused},
    {dispidNotifyMessage, "NotifyMessage", com::VT_BSTR, RunTimeOnly, Refused},
    {dispidPosition, "Position", com::VT_I4, RunTimeOnly, Refused},
    {dispidSilent, "Silent", com::VT_BOOL, RunTimeOnly, RunTimeOnly},
    {dispidStart, "Start", com::VT_I4, RunTimeOnly, Refused},
    {dispidTrack, "Track", com::VT_I4, RunTimeOnly, Yes},
    {dispidTrackLength, "TrackLength", com::VT_I4, RunTimeOnly, Refused},
    {dispidTrackPosition, "TrackPosition", com::VT_I4, RunTimeOnly, Refused},
    {dispidTracks, "Tracks", com::VT_I4, RunTimeOnly, Refused},
    {dispidUpdateInterval, "UpdateInterval", com::VT_I2, Yes, Yes},
    {dispidUsesWindows, "UsesWindows", com::VT_BOOL, RunTimeOnly, Refused},
    {dispidSamplingRate, "SamplingRate", com::VT_I4, RunTimeOnly, Refused},
    {dispidTempo, "Tempo", com::VT_I4, RunTimeOnly, RunTimeOnly},
    {dispidDeviceID, "DeviceID", com::VT_I2, RunTimeOnly, Refused},
    {dispidBitsPerSample, "BitsPerSample", com::VT_I2, RunTimeOnly, Refused},
    {dispidChannels, "Channels", com::VT_I2, RunTimeOnly, Refused},
    {dispidBevelWidth, "BevelWidth", com::VT_I2, Yes, Yes},
    {com::DISPID_HWND, "hWnd", com::VT_I4, Yes, None},
    {com::DISPID_ENABLED, "Enabled", com::VT_BOOL, Yes, Yes},
    {com::DISPID_ABOUTBOX, "AboutBox", com::VT_EMPTY, None, None},
};

Variant getValue(CZelommCtrl &c, com::DISPID id) {
  switch (id) {
  case dispidDeviceType:
    return c.deviceType();
  case dispidFileName:
    return c.fileName();
  case dispidTimeFormat:
    return c.timeFormat();
  case dispidNotify:
    return c.notify();
  case dispidWait:
    return c.wait();
  case dispidShareable:
    return c.shareable();
  case dispidFrom:
    return c.from();
  case dispidTo:
    return c.to();
  case dispidNotifyValue:
    return c.notifyValue();
  case dispidFrames:
    return c.frames();
  case dispidError:
    return c.error();
  case dispidRecordMode:
    return c.recordMode();
  case dispidCanEject:
    return c.canEject();
  case dispidCanPlay:
    return c.canPlay();
  case dispidCanRecord:
    return c.canRecord();
  case dispidCanStep:
    return c.canStep();
  case dispidErrorMessage:
    return c.errorMessage();
  case dispidHWndDisplay:
    return c.hWndDisplay();
  case dispidLength:
    return c.length();
  case dispidMode:
    return c.mode();
  case dispidNotifyMessage:
    return c.notifyMessage();
  case dispidPosition:
    return c.position();
  case dispidSilent:
    return c.silent();
  case dispidStart:
    return c.start();
  case dispidTrack:
    return c.track();
  case dispidTrackLength:
    return c.trackLength();
  case dispidTrackPosition:
    return c.trackPosition();
  case dispidTracks:
    return c.tracks();
  case dispidUpdateInterval:
    return c.updateInterval();
  case dispidUsesWindows:
    return c.usesWindows();
  case dispidSamplingRate:
    return c.samplingRate();
  case dispidTempo:
    return c.tempo();
  case dispidDeviceID:
    return c.deviceID();
  case dispidBitsPerSample:
    return c.bitsPerSample();
  case dispidChannels:
    return c.channels();
  case dispidBevelWidth:
    return c.bevelWidth();
  case com::DISPID_HWND:
    return static_cast<std::int32_t>(c.callbackWindow());
  case com::DISPID_ENABLED:
    return c.enabled();
  }
  return {};
}

// v already has the member's type.
void putValue(CZelommCtrl &c, com::DISPID id, const Variant &v) {
  switch (id) {
  case dispidDeviceType:
    c.setDeviceType(v.str());
    break;
  case dispidFileName:
    c.setFileName(v.str());
    break;
  case dispidTimeFormat:
    c.setTimeFormat(v.str());
    break;
  case dispidNotify:
    c.setNotify(v.boolVal());
    break;
  case dispidWait:
    c.setWait(v.boolVal());
    break;
  case dispidShareable:
    c.setShareable(v.boolVal());
    break;
  case dispidFrom:
    c.setFrom(v.i4());
    break;
  case dispidTo:
    c.setTo(v.i4());
    break;
  case dispidFrames:
    c.setFrames(v.i4());
    break;
  case dispidCommand:
    c.setCommand(v.str());
    break;
  case dispidRecordMode:
    c.setRecordMode(v.i2());
    break;
  case dispidHWndDisplay:
    c.setHWndDisplay(v.i2());
    break;
  case dispidSilent:
    c.setSilent(v.boolVal());
    break;
  case dispidTrack:
    c.setTrack(v.i4());
    break;
  case dispidUpdateInterval:
    c.setUpdateInterval(v.i2());
    break;
  case dispidTempo:
    c.setTempo(v.i4());
    break;
  case dispidBevelWidth:
    c.setBevelWidth(v.i2());
    break;
  case com::DISPID_ENABLED:
    c.setEnabled(v.boolVal());
    break;
  }
}

// The refusal of an access, or S_OK when it is allowed.
com::HRESULT checkAccess(Access a, bool put, bool designMode, com::ExcepInfo *ei) {
  const auto refuse = [&](const char *text) {
    return com::raiseError(ei, put ? com::CTL_E_SETNOTSUPPORTED : com::CTL_E_GETNOTSUPPORTED, text,
                           kProgId);
  };
  if (a == Refused) return refuse(put ? "Property is read-only." : "Property is write-only.");
  if (a == RunTimeOnly && designMode)
    return refuse(put ? "Property cannot be set at design time."
                      : "Property cannot be read at design time.");
  return com::S_OK;
}

com::HRESULT invokeMember(CZelommCtrl &ctrl, bool designMode, com::DISPID id, std::uint16_t flags,
                          com::DispParams &params, Variant *result, com::ExcepInfo *ei,
                          unsigned *argErr) {
  const Member *m = findMember(id);
  if (!m) return com::DISP_E_MEMBERNOTFOUND;
  if (m->type == com::VT_EMPTY) { // AboutBox
    if (!(flags & com::DISPATCH_METHOD)) return com::DISP_E_MEMBERNOTFOUND;
    if (!params.args.empty()) return com::DISP_E_BADPARAMCOUNT;
    ctrl.aboutBox();
    if (result) result->clear();
    return com::S_OK;
  }
  if (flags & (com::DISPATCH_PROPERTYPUT | com::DISPATCH_PROPERTYPUTREF)) {
    if (m->put == None) return com::DISP_E_MEMBERNOTFOUND;
    if (params.args.size() != 1) return com::DISP_E_BADPARAMCOUNT;
    if (const auto hr = checkAccess(m->put, true, designMode, ei); hr != com::S_OK) return hr;
    Variant v;
    if (const auto hr = params.args[0].changeType(m->type, &v); com::failed(hr)) {
      if (argErr) *argErr = 0;
      return hr;
    }
    putValue(ctrl, m->id, v);
    return com::S_OK;
  }
  if (flags & (com::DISPATCH_PROPERTYGET | com::DISPATCH_METHOD)) {
    if (m->get == None) return com::DISP_E_MEMBERNOTFOUND;
    if (!params.args.empty()) return com::DISP_E_BADPARAMCOUNT;
    if (const auto hr = checkAccess(m->get, false, designMode, ei); hr != com::S_OK) return hr;
    Variant v = getValue(ctrl, m->id);
    if (result) *result = std::move(v);
    return com::S_OK;
  }
  return com::DISP_E_MEMBERNOTFOUND;
}

} // namespace

std::span<const Member> members() {
  return kMembers;
}

const Member *findMember(com::DISPID id) {
  if (id == com::DISPID_VALUE) id = dispidCommand; // the default member
  for (const Member &m : kMembers)
    if (m.id == id) return &m;
  return nullptr;
}

com::HRESULT getIDsOfNames(const std::string *names, unsigned count, com::DISPID *ids) {
  if (!ids || (count && !names)) return com::E_POINTER;
  com::HRESULT hr = com::S_OK;
  for (unsigned i = 0; i < count; ++i) {
    ids[i] = com::DISPID_UNKNOWN;
    for (const Member &m : kMembers)
      if (com::sameName(names[i], m.name)) ids[i] = m.id;
    if (ids[i] == com::DISPID_UNKNOWN) hr = com::DISP_E_UNKNOWNNAME;
  }
  return hr;
}

com::HRESULT invoke(CZelommCtrl &ctrl, bool designMode, com::DISPID id, std::uint16_t flags,
                    com::DispParams &params, Variant *result, com::ExcepInfo *excepInfo,
                    unsigned *argErr) {
  try {
    return invokeMember(ctrl, designMode, id, flags, params, result, excepInfo, argErr);
  } catch (const std::bad_alloc &) {
    return com::E_OUTOFMEMORY;
  } catch (const std::exception &e) {
    qCWarning(com::lcCom) << "ZELOMM member" << id << "failed:" << e.what();
    return com::E_UNEXPECTED;
  } catch (...) {
    return com::E_UNEXPECTED;
  }
}

} // namespace dorrin::zelomm
