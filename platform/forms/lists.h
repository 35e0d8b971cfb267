#pragma once
// The combo box and the list box of the forms: items added with AddItem,
// read with List(i), counted by ListCount; ListIndex is the selected item
// (-1 none). Adding items never selects one. Click is raised when the
// selected item changes, by the user or by code; the combo box raises
// Change when its text is typed or set by code.
#include "platform/forms/control.h"

class QComboBox;
class QListWidget;

namespace dorrin::forms {

class ComboBox : public Control {
  Q_OBJECT
public:
  // Styles of the runtime: 0 drop-down with a text part, 2 drop-down list.
  enum { DropDownCombo = 0, DropDownList = 2 };
  explicit ComboBox(QWidget *parent = nullptr, int style = DropDownCombo);

  // Inserts at index (-1 appends); false for an index beyond the end.
  bool addItem(const QString &item, int index = -1);
  bool removeItem(int index);
  void clear();
  int listCount() const;
  QString list(int index) const;
  bool setList(int index, const QString &item);
  int listIndex() const;
  bool setListIndex(int index);
  // The text part (DropDownCombo), or the selected item's text. Setting it
  // on a DropDownList selects the item with that text, or fails.
  QString text() const;
  bool setText(const QString &t);

  QComboBox *box() const { return box_; }

signals:
  void change();

protected:
  void resizeEvent(QResizeEvent *e) override;

private:
  QComboBox *box_;
  bool quiet_ = false;
};

class ListBox : public Control {
  Q_OBJECT
public:
  explicit ListBox(QWidget *parent = nullptr);

  bool addItem(const QString &item, int index = -1);
  bool removeItem(int index);
  void clear();
  int listCount() const;
  QString list(int index) const;
  bool setList(int index, const QString &item);
  int listIndex() const;
  bool setListIndex(int index);
  // The selected item's text ("" when none).
  QString text() const;

  QListWidget *listWidget() const { return list_; }

protected:
  void resizeEvent(QResizeEvent *e) override;
  void colorsChanged() override;

private:
  QListWidget *list_;
  bool quiet_ = false;
};

} // namespace dorrin::forms
