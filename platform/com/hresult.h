#pragma once
// Result codes of component calls, with the classic numeric values so that
// codes shown to a user or logged match what container authors know.
#include <cstdint>
#include <cstdio>
#include <string>

namespace dorrin::com {

using HRESULT = std::int32_t;

constexpr HRESULT makeError(std::uint32_t facility, std::uint32_t code) {
  return static_cast<HRESULT>(0x80000000u | (facility << 16) | (code & 0xFFFFu));
}
constexpr bool succeeded(HRESULT hr) {
  return hr >= 0;
}
constexpr bool failed(HRESULT hr) {
  return hr < 0;
}

inline constexpr std::uint32_t FACILITY_ITF = 4;
inline constexpr std::uint32_t FACILITY_WIN32 = 7;
inline constexpr std::uint32_t FACILITY_CONTROL = 10;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
inline constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
inline constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
inline constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000Bu);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT REGDB_E_READREGDB = static_cast<HRESULT>(0x80040150u);
inline constexpr HRESULT REGDB_E_WRITEREGDB = static_cast<HRESULT>(0x80040151u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = static_cast<HRESULT>(0x80040200u);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = static_cast<HRESULT>(0x80040202u);
inline constexpr HRESULT SELFREG_E_TYPELIB = static_cast<HRESULT>(0x80040200u);
inline constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);
inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
inline constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x800401F8u);
inline constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);

// Errors a control raises to its container (facility control; the low word is
// the number a Basic-style container shows).
inline constexpr HRESULT CTL_E_ILLEGALFUNCTIONCALL = makeError(FACILITY_CONTROL, 5);
inline constexpr HRESULT CTL_E_OVERFLOW = makeError(FACILITY_CONTROL, 6);
inline constexpr HRESULT CTL_E_OUTOFMEMORY = makeError(FACILITY_CONTROL, 7);
inline constexpr HRESULT CTL_E_INVALIDPROPERTYVALUE = makeError(FACILITY_CONTROL, 380);
inline constexpr HRESULT CTL_E_SETNOTSUPPORTEDATRUNTIME = makeError(FACILITY_CONTROL, 382);
inline constexpr HRESULT CTL_E_SETNOTSUPPORTED = makeError(FACILITY_CONTROL, 383);
inline constexpr HRESULT CTL_E_SETNOTPERMITTED = makeError(FACILITY_CONTROL, 387);
inline constexpr HRESULT CTL_E_GETNOTSUPPORTEDATRUNTIME = makeError(FACILITY_CONTROL, 393);
inline constexpr HRESULT CTL_E_GETNOTSUPPORTED = makeError(FACILITY_CONTROL, 394);

// "0x80040154" style text.
inline std::string hresultHex(HRESULT hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
  return buf;
}

// A short English description for messages and logs.
inline std::string errorText(HRESULT hr) {
  switch (hr) {
  case S_OK:
    return "Success";
  case S_FALSE:
    return "Success (false)";
  case E_NOTIMPL:
    return "Not implemented";
  case E_NOINTERFACE:
    return "No such interface supported";
  case E_POINTER:
    return "Invalid pointer";
  case E_FAIL:
    return "Unspecified error";
  case E_UNEXPECTED:
    return "Catastrophic failure";
  case E_OUTOFMEMORY:
    return "Out of memory";
  case E_INVALIDARG:
    return "Invalid argument";
  case DISP_E_UNKNOWNINTERFACE:
    return "Unknown interface";
  case DISP_E_MEMBERNOTFOUND:
    return "Member not found";
  case DISP_E_PARAMNOTFOUND:
    return "Parameter not found";
  case DISP_E_TYPEMISMATCH:
    return "Type mismatch";
  case DISP_E_UNKNOWNNAME:
    return "Unknown name";
  case DISP_E_BADVARTYPE:
    return "Bad variable type";
  case DISP_E_EXCEPTION:
    return "Exception occurred";
  case DISP_E_OVERFLOW:
    return "Out of present range";
  case DISP_E_BADINDEX:
    return "Invalid index";
  case DISP_E_BADPARAMCOUNT:
    return "Invalid number of parameters";
  case CLASS_E_NOAGGREGATION:
    return "Class does not support aggregation";
  case CLASS_E_CLASSNOTAVAILABLE:
    return "Class not available from this library";
  case REGDB_E_READREGDB:
    return "Cannot read the registry";
  case REGDB_E_WRITEREGDB:
    return "Cannot write the registry";
  case REGDB_E_CLASSNOTREG:
    return "Class not registered";
  case CONNECT_E_NOCONNECTION:
    return "No connection / type library registration failed";
  case SELFREG_E_CLASS:
    return "Class registration failed";
  case CONNECT_E_CANNOTCONNECT:
    return "Cannot connect";
  case CO_E_CLASSSTRING:
    return "Invalid class string";
  case CO_E_DLLNOTFOUND:
    return "Component library not found";
  case CO_E_ERRORINDLL:
    return "Component library is not a valid server";
  case CTL_E_ILLEGALFUNCTIONCALL:
    return "Invalid procedure call";
  case CTL_E_OVERFLOW:
    return "Overflow";
  case CTL_E_OUTOFMEMORY:
    return "Out of memory";
  case CTL_E_INVALIDPROPERTYVALUE:
    return "Invalid property value";
  case CTL_E_SETNOTSUPPORTEDATRUNTIME:
    return "Property cannot be set at run time";
  case CTL_E_SETNOTSUPPORTED:
    return "Property is read-only";
  case CTL_E_SETNOTPERMITTED:
    return "Property cannot be set on this control";
  case CTL_E_GETNOTSUPPORTEDATRUNTIME:
    return "Property cannot be read at run time";
  case CTL_E_GETNOTSUPPORTED:
    return "Property is write-only";
  default:
    return "Error " + hresultHex(hr);
  }
}

} // namespace dorrin::com
