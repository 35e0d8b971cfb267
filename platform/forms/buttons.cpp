#include "platform/forms/buttons.h"

#include "platform/forms/log.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

namespace dorrin::forms {

namespace {

// The indicator (radio circle or check square) and caption of a button.
void paintIndicatorButton(Control *w, QStyle::PrimitiveElement pe, QStyle::State state) {
  QPainter p(w);
  const QRect r = w->rect();
  p.fillRect(r, toQColor(w->backColor()));
  QStyleOptionButton opt;
  opt.initFrom(w);
  const int ind = w->style()->pixelMetric(pe == QStyle::PE_IndicatorRadioButton
                                              ? QStyle::PM_ExclusiveIndicatorWidth
                                              : QStyle::PM_IndicatorWidth,
                                          nullptr, w);
  opt.rect = QRect(r.left() + 1, r.top() + (r.height() - ind) / 2, ind, ind);
  opt.state |= state;
  if (!w->isEnabled()) opt.state &= ~QStyle::State_Enabled;
  w->style()->drawPrimitive(pe, &opt, &p, w);
  p.setPen(w->isEnabled() ? toQColor(w->foreColor()) : QColor(128, 128, 128));
  p.setFont(w->font());
  const QRect text = r.adjusted(ind + 5, 0, 0, 0);
  p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, w->caption());
  if (w->hasFocus()) {
    QStyleOptionFocusRect f;
    f.initFrom(w);
    f.rect = p.fontMetrics()
                 .boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter, w->caption())
                 .adjusted(-1, 0, 1, 0);
    w->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &f, &p, w);
  }
}

} // namespace

// ---------------------------------------------------------------- KtFrame

KtFrame::KtFrame(QWidget *parent, const QString &caption) : Control(parent) {
  setCaption(caption);
}

void KtFrame::paintEvent(QPaintEvent *) {
  QPainter p(this);
  const QRect r = rect();
  const QColor back = toQColor(backColor());
  p.fillRect(r, back);
  p.setFont(font());
  const QFontMetrics fm = p.fontMetrics();
  const int top = fm.height() / 2;
  const QRect box = r.adjusted(0, top, -1, -1);
  // Etched line: dark, then light one pixel in.
  p.setPen(back.darker(160));
  p.drawRect(box.adjusted(0, 0, -1, -1));
  p.setPen(back.lighter(160));
  p.drawRect(box.adjusted(1, 1, 0, 0));
  if (!caption().isEmpty()) {
    const QRect text(8, 0, fm.horizontalAdvance(caption()) + 4, fm.height());
    p.fillRect(text, back);
    p.setPen(isEnabled() ? toQColor(foreColor()) : QColor(128, 128, 128));
    p.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, caption());
  }
}

// ---------------------------------------------------------------- KtOption

KtOption::KtOption(QWidget *parent, const QString &caption) : Control(parent) {
  setCaption(caption);
  setFocusPolicy(Qt::StrongFocus);
}

void KtOption::setValue(bool on) {
  if (on == value_) return;
  value_ = on;
  if (on && parentWidget()) {
    for (auto *o : parentWidget()->findChildren<KtOption *>(Qt::FindDirectChildrenOnly))
      if (o != this && o->value_) {
        o->value_ = false;
        o->update();
      }
  }
  update();
  if (on) emit clicked();
}

void KtOption::paintEvent(QPaintEvent *) {
  paintIndicatorButton(this, QStyle::PE_IndicatorRadioButton,
                       value_ ? QStyle::State_On : QStyle::State_Off);
}

void KtOption::mousePressEvent(QMouseEvent *e) {
  pressed_ = e->button() == Qt::LeftButton;
  emit mouseDown(mouseArgs(buttonNumber(e->button()), e->modifiers(), e->position().toPoint()));
}

void KtOption::mouseReleaseEvent(QMouseEvent *e) {
  emit mouseUp(mouseArgs(buttonNumber(e->button()), e->modifiers(), e->position().toPoint()));
  if (pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
    setValue(true);
  pressed_ = false;
}

void KtOption::keyPressEvent(QKeyEvent *e) {
  if (e->key() == Qt::Key_Space) {
    setValue(true);
    return;
  }
  Control::keyPressEvent(e);
}

// ---------------------------------------------------------------- Label

Label::Label(QWidget *parent, const QString &caption) : Control(parent) {
  setCaption(caption);
}

void Label::setAlignment(int a) {
  if (a < 0 || a > 2) {
    qCWarning(lcForms, "label Alignment: %d refused", a);
    return;
  }
  align_ = a;
  update();
}

void Label::setBackStyle(int s) {
  if (s < 0 || s > 1) {
    qCWarning(lcForms, "label BackStyle: %d refused", s);
    return;
  }
  backStyle_ = s;
  update();
}

void Label::setWordWrap(bool on) {
  wordWrap_ = on;
  update();
}

void Label::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (backStyle_ == 1) p.fillRect(rect(), toQColor(backColor()));
  p.setPen(isEnabled() ? toQColor(foreColor()) : QColor(128, 128, 128));
  p.setFont(font());
  static constexpr Qt::AlignmentFlag h[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
  int flags = h[align_] | Qt::AlignTop;
  flags |= wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine;
  p.drawText(rect(), flags, caption());
}

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox(QWidget *parent, const QString &caption) : Control(parent) {
  setCaption(caption);
  setFocusPolicy(Qt::StrongFocus);
}

bool CheckBox::setValue(int v) {
  if (v < 0 || v > 2) {
    qCWarning(lcForms, "check box Value: %d refused", v);
    return false;
  }
  if (v == value_) return true;
  value_ = v;
  update();
  emit clicked();
  return true;
}

void CheckBox::paintEvent(QPaintEvent *) {
  const QStyle::State s = value_ == Checked  ? QStyle::State_On
                          : value_ == Grayed ? QStyle::State_NoChange
                                             : QStyle::State_Off;
  paintIndicatorButton(this, QStyle::PE_IndicatorCheckBox, s);
}

void CheckBox::mousePressEvent(QMouseEvent *e) {
  pressed_ = e->button() == Qt::LeftButton;
  emit mouseDown(mouseArgs(buttonNumber(e->button()), e->modifiers(), e->position().toPoint()));
}

void CheckBox::mouseReleaseEvent(QMouseEvent *e) {
  emit mouseUp(mouseArgs(buttonNumber(e->button()), e->modifiers(), e->position().toPoint()));
  if (pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
    setValue(value_ == Checked ? Unchecked : Checked);
  pressed_ = false;
}

void CheckBox::keyPressEvent(QKeyEvent *e) {
  if (e->key() == Qt::Key_Space) {
    setValue(value_ == Checked ? Unchecked : Checked);
    return;
  }
  Control::keyPressEvent(e);
}

} // namespace dorrin::forms
