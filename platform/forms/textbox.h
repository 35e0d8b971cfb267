#pragma once
// The text box: one line (QLineEdit) or several (QPlainTextEdit) inside a
// Control, with the form runtime's Text, SelStart/SelLength, Locked and
// MaxLength, and its events: Change (every change of the text, also from
// code), KeyDown/KeyUp with runtime key codes (raised before the box acts on
// the key), DblClick, MouseDown/MouseUp, GotFocus/LostFocus.
#include "platform/forms/control.h"

class QLineEdit;
class QPlainTextEdit;

namespace dorrin::forms {

class TextBox : public Control {
  Q_OBJECT
public:
  explicit TextBox(QWidget *parent = nullptr, bool multiLine = false);

  bool multiLine() const { return plain_ != nullptr; }
  QString text() const;
  void setText(const QString &t);

  // Caret position and selection, in characters from the start. Setting
  // SelStart puts the caret there and selects nothing; SelLength then
  // selects that many characters from SelStart. Values are clamped to the
  // text.
  int selStart() const;
  void setSelStart(int pos);
  int selLength() const;
  void setSelLength(int n);
  QString selText() const;

  // A locked box shows and selects its text but does not change it.
  bool locked() const;
  void setLocked(bool on);
  // Most characters the user can enter; 0 is no limit.
  int maxLength() const { return maxLength_; }
  void setMaxLength(int n);

  // Hints for the input method: native (Hangul) input for names and
  // captions, Latin input for paths and addresses.
  void preferNativeInput();
  void preferLatinInput();
  Qt::InputMethodHints inputHints() const;

  // The inner editor, for focus and tests.
  QWidget *editor() const;

signals:
  void change();
  void keyDown(int keyCode, int shift);
  void keyUp(int keyCode, int shift);
  void gotFocus();
  void lostFocus();

protected:
  bool eventFilter(QObject *watched, QEvent *e) override;
  void resizeEvent(QResizeEvent *e) override;
  void colorsChanged() override;

private:
  void setHints(Qt::InputMethodHints hints);
  void enforceMaxLength();

  QLineEdit *line_ = nullptr;
  QPlainTextEdit *plain_ = nullptr;
  int maxLength_ = 0;
  bool trimming_ = false;
};

} // namespace dorrin::forms
