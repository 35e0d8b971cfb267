#include "platform/forms/lists.h"

#include "platform/forms/log.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace dorrin::forms {

namespace {

bool refuse(const char *what, int index, int count) {
  qCWarning(lcForms, "%s: index %d outside 0..%d", what, index, count - 1);
  return false;
}

} // namespace

// ---------------------------------------------------------------- ComboBox

ComboBox::ComboBox(QWidget *parent, int style) : Control(parent), box_(new QComboBox(this)) {
  box_->setEditable(style != DropDownList);
  box_->setInsertPolicy(QComboBox::NoInsert);
  setFocusProxy(box_);
  connect(box_, &QComboBox::currentIndexChanged, this, [this] {
    if (!quiet_) emit clicked();
  });
  if (box_->lineEdit())
    connect(box_->lineEdit(), &QLineEdit::textEdited, this, [this] { emit change(); });
}

bool ComboBox::addItem(const QString &item, int index) {
  const int n = box_->count();
  if (index < -1 || index > n) return refuse("combo box AddItem", index, n + 1);
  const int selected = box_->currentIndex();
  const QString typed = box_->isEditable() ? box_->currentText() : QString();
  quiet_ = true;
  box_->insertItem(index < 0 ? n : index, item);
  // QComboBox selects the first item added; the runtime selects nothing.
  const int keep = selected < 0 ? -1 : (index >= 0 && index <= selected ? selected + 1 : selected);
  box_->setCurrentIndex(keep);
  if (box_->isEditable()) box_->setEditText(typed);
  quiet_ = false;
  return true;
}

bool ComboBox::removeItem(int index) {
  if (index < 0 || index >= box_->count())
    return refuse("combo box RemoveItem", index, box_->count());
  box_->removeItem(index);
  return true;
}

void ComboBox::clear() {
  quiet_ = true;
  box_->clear();
  quiet_ = false;
}

int ComboBox::listCount() const {
  return box_->count();
}

QString ComboBox::list(int index) const {
  if (index < 0 || index >= box_->count()) {
    refuse("combo box List", index, box_->count());
    return {};
  }
  return box_->itemText(index);
}

bool ComboBox::setList(int index, const QString &item) {
  if (index < 0 || index >= box_->count()) return refuse("combo box List", index, box_->count());
  box_->setItemText(index, item);
  return true;
}

int ComboBox::listIndex() const {
  return box_->currentIndex();
}

bool ComboBox::setListIndex(int index) {
  if (index < -1 || index >= box_->count())
    return refuse("combo box ListIndex", index, box_->count());
  box_->setCurrentIndex(index);
  return true;
}

QString ComboBox::text() const {
  return box_->currentText();
}

bool ComboBox::setText(const QString &t) {
  if (box_->isEditable()) {
    if (box_->currentText() == t) return true;
    box_->setEditText(t);
    emit change();
    return true;
  }
  const int i = box_->findText(t, Qt::MatchExactly);
  if (i < 0) {
    qCWarning(lcForms, "combo box Text: no item reads \"%s\"", qUtf8Printable(t));
    return false;
  }
  box_->setCurrentIndex(i);
  return true;
}

void ComboBox::resizeEvent(QResizeEvent *e) {
  box_->setGeometry(rect());
  Control::resizeEvent(e);
}

// ---------------------------------------------------------------- ListBox

ListBox::ListBox(QWidget *parent) : Control(parent), list_(new QListWidget(this)) {
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  setFocusProxy(list_);
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    if (!quiet_) emit clicked();
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { emit dblClick(); });
  Control::setBackColor(rgb(255, 255, 255));
}

bool ListBox::addItem(const QString &item, int index) {
  const int n = list_->count();
  if (index < -1 || index > n) return refuse("list box AddItem", index, n + 1);
  quiet_ = true;
  list_->insertItem(index < 0 ? n : index, item);
  quiet_ = false;
  return true;
}

bool ListBox::removeItem(int index) {
  if (index < 0 || index >= list_->count())
    return refuse("list box RemoveItem", index, list_->count());
  delete list_->takeItem(index);
  return true;
}

void ListBox::clear() {
  quiet_ = true;
  list_->clear();
  quiet_ = false;
}

int ListBox::listCount() const {
  return list_->count();
}

QString ListBox::list(int index) const {
  if (index < 0 || index >= list_->count()) {
    refuse("list box List", index, list_->count());
    return {};
  }
  return list_->item(index)->text();
}

bool ListBox::setList(int index, const QString &item) {
  if (index < 0 || index >= list_->count()) return refuse("list box List", index, list_->count());
  list_->item(index)->setText(item);
  return true;
}

int ListBox::listIndex() const {
  const auto sel = list_->selectedItems();
  return sel.isEmpty() ? -1 : list_->row(sel.first());
}

bool ListBox::setListIndex(int index) {
  if (index < -1 || index >= list_->count())
    return refuse("list box ListIndex", index, list_->count());
  if (index < 0)
    list_->clearSelection();
  else
    list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  return true;
}

QString ListBox::text() const {
  const int i = listIndex();
  return i < 0 ? QString() : list_->item(i)->text();
}

void ListBox::resizeEvent(QResizeEvent *e) {
  list_->setGeometry(rect());
  Control::resizeEvent(e);
}

void ListBox::colorsChanged() {
  QPalette pal = list_->palette();
  pal.setColor(QPalette::Base, toQColor(backColor()));
  pal.setColor(QPalette::Text, toQColor(foreColor()));
  list_->setPalette(pal);
}

} // namespace dorrin::forms
