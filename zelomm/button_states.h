#pragma once
// The nine transport buttons: their command words and which are enabled in
// each device state. Pure data; the bar that draws them sits on top.
#include <array>
#include <string_view>

namespace dorrin::zelomm {

inline constexpr int kButtonCount = 9;
enum Button {
  PrevButton,
  NextButton,
  PlayButton,
  PauseButton,
  StopButton,
  RecordButton,
  BackButton,
  StepButton,
  EjectButton
};
inline constexpr std::array<std::string_view, kButtonCount> kButtonCommands = {
    "PREV", "NEXT", "PLAY", "PAUSE", "STOP", "RECORD", "BACK", "STEP", "EJECT"};

struct ButtonState {
  bool enabled = false;
  bool up = true; // false while held down
  friend bool operator==(const ButtonState &, const ButtonState &) = default;
};
using ButtonStates = std::array<ButtonState, kButtonCount>;

enum class BarState { AllDisabled, Stopped, Playing, Paused };

struct Capabilities {
  bool canPlay = false, canRecord = false, canStep = false, canEject = false;
};

// Which buttons are enabled in a state, in button order.
constexpr std::array<bool, kButtonCount> enabledButtons(BarState s, const Capabilities &c) {
  switch (s) {
  case BarState::AllDisabled:
    return {};
  case BarState::Stopped:
    return {true, true, c.canPlay, false, false, c.canRecord, c.canStep, c.canStep, c.canEject};
  case BarState::Playing:
  case BarState::Paused:
    return {true, true, false, true, true, false, c.canStep, c.canStep, c.canEject};
  }
  return {};
}

// The state after a successful open, from the device's mode reply.
constexpr BarState barStateForMode(std::string_view mode) {
  if (mode.empty()) return BarState::AllDisabled;
  if (mode == "paused") return BarState::Paused;
  if (mode == "playing" || mode == "recording") return BarState::Playing;
  return BarState::Stopped;
}

// Sets the enabled flags for a state; the up flags are left as they are.
constexpr void applyBarState(ButtonStates &buttons, BarState s, const Capabilities &c) {
  const auto on = enabledButtons(s, c);
  for (int i = 0; i < kButtonCount; ++i)
    buttons[i].enabled = on[i];
}

} // namespace dorrin::zelomm
