#pragma once
// Scripted dialogs for tests: queue the answers the user would give, run the
// code, then look at the calls it made. An empty queue answers a message box
// with its default button and an input box or colour picker with cancel,
// and counts the call in unanswered.
#include "platform/forms/dialogs.h"

#include <deque>
#include <vector>

namespace dorrin::forms::testing {

class FakeDialogs : public Dialogs {
public:
  enum class Kind { MsgBox, InputBox, PickColor };
  struct Call {
    Kind kind;
    QString text; // message or prompt
    QString title;
    int style = 0;        // msgBox
    QString defaultText;  // inputBox
    Rgb initialColor = 0; // pickColor
  };

  std::deque<int> msgBoxAnswers;
  std::deque<std::optional<QString>> inputAnswers;
  std::deque<std::optional<Rgb>> colorAnswers;
  std::vector<Call> calls;
  int unanswered = 0;

  int msgBox(const QString &text, int style = vbOKOnly, const QString &title = {}) override {
    calls.push_back({Kind::MsgBox, text, title, style, {}, 0});
    if (msgBoxAnswers.empty()) {
      ++unanswered;
      return msgBoxDefault(style);
    }
    const int a = msgBoxAnswers.front();
    msgBoxAnswers.pop_front();
    return a;
  }

  std::optional<QString> inputBox(const QString &prompt, const QString &title = {},
                                  const QString &defaultText = {}) override {
    calls.push_back({Kind::InputBox, prompt, title, 0, defaultText, 0});
    if (inputAnswers.empty()) {
      ++unanswered;
      return std::nullopt;
    }
    // GCC 12 wrongly reports the moved-from optional<QString> as uninitialised.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
    std::optional<QString> a = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    return a;
#pragma GCC diagnostic pop
  }

  std::optional<Rgb> pickColor(Rgb initial, const QString &title = {}) override {
    calls.push_back({Kind::PickColor, {}, title, 0, {}, initial});
    if (colorAnswers.empty()) {
      ++unanswered;
      return std::nullopt;
    }
    auto a = colorAnswers.front();
    colorAnswers.pop_front();
    return a;
  }

  int count(Kind k) const {
    int n = 0;
    for (const auto &c : calls)
      n += c.kind == k;
    return n;
  }
};

} // namespace dorrin::forms::testing
