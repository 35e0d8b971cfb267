#include "platform/forms/textbox.h"

#include "platform/forms/form.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

namespace dorrin::forms {

TextBox::TextBox(QWidget *parent, bool multiLine) : Control(parent) {
  QWidget *ed;
  if (multiLine) {
    plain_ = new QPlainTextEdit(this);
    plain_->viewport()->installEventFilter(this);
    connect(plain_, &QPlainTextEdit::textChanged, this, [this] {
      enforceMaxLength();
      if (!trimming_) emit change();
    });
    ed = plain_;
  } else {
    line_ = new QLineEdit(this);
    connect(line_, &QLineEdit::textChanged, this, [this] { emit change(); });
    ed = line_;
  }
  ed->installEventFilter(this);
  setFocusProxy(ed);
  setFocusPolicy(Qt::StrongFocus);
  Control::setBackColor(rgb(255, 255, 255));
  Control::setForeColor(rgb(0, 0, 0));
}

QWidget *TextBox::editor() const {
  return line_ ? static_cast<QWidget *>(line_) : plain_;
}

QString TextBox::text() const {
  return line_ ? line_->text() : plain_->toPlainText();
}

void TextBox::setText(const QString &t) {
  if (line_) {
    line_->setText(t);
  } else if (t != plain_->toPlainText()) {
    plain_->setPlainText(t);
  }
}

int TextBox::selStart() const {
  if (line_) return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
  return plain_->textCursor().selectionStart();
}

void TextBox::setSelStart(int pos) {
  pos = std::clamp(pos, 0, static_cast<int>(text().size()));
  if (line_) {
    line_->deselect();
    line_->setCursorPosition(pos);
  } else {
    QTextCursor c = plain_->textCursor();
    c.setPosition(pos);
    plain_->setTextCursor(c);
  }
}

int TextBox::selLength() const {
  if (line_) return line_->hasSelectedText() ? static_cast<int>(line_->selectedText().size()) : 0;
  const QTextCursor c = plain_->textCursor();
  return c.selectionEnd() - c.selectionStart();
}

void TextBox::setSelLength(int n) {
  const int start = selStart();
  n = std::clamp(n, 0, static_cast<int>(text().size()) - start);
  if (line_) {
    if (n == 0) {
      line_->deselect();
      line_->setCursorPosition(start);
    } else {
      line_->setSelection(start, n);
    }
  } else {
    QTextCursor c = plain_->textCursor();
    c.setPosition(start);
    c.setPosition(start + n, QTextCursor::KeepAnchor);
    plain_->setTextCursor(c);
  }
}

QString TextBox::selText() const {
  if (line_) return line_->selectedText();
  return plain_->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

bool TextBox::locked() const {
  return line_ ? line_->isReadOnly() : plain_->isReadOnly();
}

void TextBox::setLocked(bool on) {
  if (line_)
    line_->setReadOnly(on);
  else
    plain_->setReadOnly(on);
}

void TextBox::setMaxLength(int n) {
  maxLength_ = std::max(0, n);
  if (line_)
    line_->setMaxLength(maxLength_ == 0 ? 32767 : maxLength_);
  else
    enforceMaxLength();
}

void TextBox::enforceMaxLength() {
  if (!plain_ || maxLength_ == 0 || trimming_) return;
  const QString t = plain_->toPlainText();
  if (t.size() <= maxLength_) return;
  trimming_ = true;
  const int caret = std::min(plain_->textCursor().position(), maxLength_);
  plain_->setPlainText(t.left(maxLength_));
  QTextCursor c = plain_->textCursor();
  c.setPosition(caret);
  plain_->setTextCursor(c);
  trimming_ = false;
  emit change();
}

void TextBox::setHints(Qt::InputMethodHints hints) {
  editor()->setInputMethodHints(hints);
  if (editor()->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImHints);
}

void TextBox::preferNativeInput() {
  setHints(editor()->inputMethodHints() & ~(Qt::ImhPreferLatin | Qt::ImhLatinOnly));
}

void TextBox::preferLatinInput() {
  setHints((editor()->inputMethodHints() & ~Qt::ImhLatinOnly) | Qt::ImhPreferLatin);
}

Qt::InputMethodHints TextBox::inputHints() const {
  return editor()->inputMethodHints();
}

bool TextBox::eventFilter(QObject *watched, QEvent *e) {
  const bool mine =
      watched == line_ || watched == plain_ || (plain_ && watched == plain_->viewport());
  if (!mine) return Control::eventFilter(watched, e);
  switch (e->type()) {
  case QEvent::KeyPress: {
    auto *k = static_cast<QKeyEvent *>(e);
    emit keyDown(keyCode(k->key()), shiftState(k->modifiers()));
    break;
  }
  case QEvent::KeyRelease: {
    auto *k = static_cast<QKeyEvent *>(e);
    if (!k->isAutoRepeat()) emit keyUp(keyCode(k->key()), shiftState(k->modifiers()));
    break;
  }
  case QEvent::FocusIn:
    if (watched == editor()) emit gotFocus();
    break;
  case QEvent::FocusOut:
    if (watched == editor()) emit lostFocus();
    break;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease: {
    auto *m = static_cast<QMouseEvent *>(e);
    const QPoint p = mapFromGlobal(m->globalPosition().toPoint());
    const MouseArgs a = mouseArgs(buttonNumber(m->button()), m->modifiers(), p);
    if (e->type() == QEvent::MouseButtonPress)
      emit mouseDown(a);
    else
      emit mouseUp(a);
    break;
  }
  case QEvent::MouseButtonDblClick:
    if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) emit dblClick();
    break;
  default:
    break;
  }
  return false;
}

void TextBox::resizeEvent(QResizeEvent *e) {
  editor()->setGeometry(rect());
  Control::resizeEvent(e);
}

void TextBox::colorsChanged() {
  QPalette pal = editor()->palette();
  pal.setColor(QPalette::Base, toQColor(backColor()));
  pal.setColor(QPalette::Text, toQColor(foreColor()));
  editor()->setPalette(pal);
}

} // namespace dorrin::forms
