#pragma once
// The dispatch interface _DZelomm over the engine: the member table (dispatch
// id, name, type, which accesses are allowed) and Invoke, which refuses
// accesses the table forbids with the control "not supported" errors.
#include "platform/com/automation.h"

#include <span>
#include <string_view>

namespace dorrin::zelomm {

class CZelommCtrl;

enum class Access : std::uint8_t {
  None,        // not offered
  Yes,         // always
  RunTimeOnly, // refused while the container is in design mode
  Refused,     // always refused
};

struct Member {
  com::DISPID id;
  std::string_view name;
  com::VARTYPE type; // VT_EMPTY for the method
  Access get;
  Access put;
};

std::span<const Member> members();
const Member *findMember(com::DISPID id);

com::HRESULT getIDsOfNames(const std::string *names, unsigned count, com::DISPID *ids);
// No exception leaves this function.
com::HRESULT invoke(CZelommCtrl &ctrl, bool designMode, com::DISPID id, std::uint16_t flags,
                    com::DispParams &params, com::Variant *result, com::ExcepInfo *excepInfo,
                    unsigned *argErr);

} // namespace dorrin::zelomm
