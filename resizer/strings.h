#pragma once
// The library's string table: error texts under 10000 + the error number and
// the framework's messages.
#include "platform/com/hresult.h"

#include <string>

namespace dorrin::resizer {

inline constexpr int kErrorStringBase = 10000;

// Framework messages.
enum StringId : int {
  idsPropertiesEditor = 1, // "Error starting Properties Editor:\n\n" + reason
  idsNotFound = 2,         // "|1 not found."
  idsErrorNumbered = 3,    // "|1 [Error |2]"
  idsSaveFailed = 4,       // "Error saving control's properties."
  idsObjectInUse = 5,      // "Object is in use and can not be removed from collection."
  idsObjectsInUse = 6,     // "One or more objects are in use ..."
  idsIconsOnly = 7,        // "Property supports icons only"
  idsOnePerContainer = 8,  // the second-resizer message
  idsErrorCaption = 9,     // "Ambrel Error"
  idsFontRange = 10,       // "MinFontSize can't be greater than MaxFontSize."
};

// The text of a string id; empty when the table has none.
std::string loadString(int id);
// The text of error number n (string 10000 + n); empty when unknown.
std::string errorString(int number);
// "|1", "|2" in text replaced by a and b.
std::string formatMessage(std::string text, const std::string &a, const std::string &b = {});

// Error codes raised to clients.
inline constexpr com::HRESULT kFontRangeError = static_cast<com::HRESULT>(0x800A7969u);
// The HRESULT of error number n (facility control).
inline com::HRESULT errorCode(int number) {
  return com::makeError(com::FACILITY_CONTROL, static_cast<std::uint32_t>(number));
}

} // namespace dorrin::resizer
