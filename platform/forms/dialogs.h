#pragma once
// Message box, input box and colour picker behind one interface, so forms
// take them as a service and tests answer them (testing/fake_dialogs.h).
// Button sets, icons and answers use the form runtime's numbers.
#include "platform/forms/twips.h"

#include <QString>
#include <optional>

class QWidget;

namespace dorrin::forms {

// Buttons of a message box (add one icon and one default-button value).
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// Answers of a message box.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// The answers a button set offers, in button order; {vbOK} for an unknown set.
struct MsgBoxButtons {
  int count = 1;
  int answers[3] = {vbOK, 0, 0};
};
MsgBoxButtons msgBoxButtons(int style);
// The answer of the default button of a style (vbDefaultButton2/3 pick the
// second or third button when the set has one).
int msgBoxDefault(int style);

class Dialogs {
public:
  virtual ~Dialogs() = default;
  // Shows text with the buttons and icon of style; returns vbOK .. vbNo.
  // An empty title shows the application's name.
  virtual int msgBox(const QString &text, int style = vbOKOnly, const QString &title = {}) = 0;
  // Asks for one line of text. Cancel gives nullopt; OK with nothing typed
  // gives an empty string.
  virtual std::optional<QString> inputBox(const QString &prompt, const QString &title = {},
                                          const QString &defaultText = {}) = 0;
  // Lets the user pick a colour starting at initial; cancel gives nullopt.
  virtual std::optional<Rgb> pickColor(Rgb initial, const QString &title = {}) = 0;
};

// The real dialogs: modal Qt dialogs over parent, with Korean button texts.
class QtDialogs : public Dialogs {
public:
  explicit QtDialogs(QWidget *parent = nullptr) : parent_(parent) {}
  void setParent(QWidget *parent) { parent_ = parent; }

  int msgBox(const QString &text, int style = vbOKOnly, const QString &title = {}) override;
  std::optional<QString> inputBox(const QString &prompt, const QString &title = {},
                                  const QString &defaultText = {}) override;
  std::optional<Rgb> pickColor(Rgb initial, const QString &title = {}) override;

private:
  QWidget *parent_;
};

} // namespace dorrin::forms
