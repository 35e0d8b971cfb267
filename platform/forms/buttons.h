#pragma once
// Small painted controls of the forms: the captioned frame, the option
// button, the label and the check box.
//
// Option buttons and check boxes follow the form runtime: Click is raised
// whenever the value changes, by the user or by code; an option button set
// to true clears the other option buttons with the same parent (its frame
// or panel).
#include "platform/forms/control.h"

namespace dorrin::forms {

// A frame: an etched border with its caption at the top left; its children
// are the controls inside it.
class KtFrame : public Control {
  Q_OBJECT
public:
  explicit KtFrame(QWidget *parent = nullptr, const QString &caption = {});

protected:
  void paintEvent(QPaintEvent *) override;
};

class KtOption : public Control {
  Q_OBJECT
public:
  explicit KtOption(QWidget *parent = nullptr, const QString &caption = {});
  bool value() const { return value_; }
  // True clears the sibling options and raises Click; false just clears.
  void setValue(bool on);

protected:
  void paintEvent(QPaintEvent *) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;

private:
  bool value_ = false;
  bool pressed_ = false;
};

class Label : public Control {
  Q_OBJECT
public:
  // Alignment values of the runtime: 0 left, 1 right, 2 centre.
  enum { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
  explicit Label(QWidget *parent = nullptr, const QString &caption = {});
  int alignment() const { return align_; }
  void setAlignment(int a);
  // 0 transparent (the container shows through), 1 opaque (BackColor).
  int backStyle() const { return backStyle_; }
  void setBackStyle(int s);
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool on);

protected:
  void paintEvent(QPaintEvent *) override;

private:
  int align_ = AlignLeft;
  int backStyle_ = 1;
  bool wordWrap_ = true;
};

class CheckBox : public Control {
  Q_OBJECT
public:
  // Values of the runtime: 0 unchecked, 1 checked, 2 greyed.
  enum { Unchecked = 0, Checked = 1, Grayed = 2 };
  explicit CheckBox(QWidget *parent = nullptr, const QString &caption = {});
  int value() const { return value_; }
  // Refuses (false) a value other than 0, 1, 2.
  bool setValue(int v);

protected:
  void paintEvent(QPaintEvent *) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;

private:
  int value_ = Unchecked;
  bool pressed_ = false;
};

} // namespace dorrin::forms
