#include "platform/forms/panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace dorrin::forms {

KtPanel::KtPanel(QWidget *parent, const QString &caption) : Control(parent) {
  setCaption(caption);
}

void KtPanel::setBevel(Bevel b) {
  bevel_ = b;
  update();
}

void KtPanel::setAlignment(Qt::Alignment a) {
  align_ = a;
  update();
}

void KtPanel::paintEvent(QPaintEvent *) {
  QPainter p(this);
  const QRect r = rect();
  const QColor back = toQColor(backColor());
  p.fillRect(r, back);
  if (bevel_ != Bevel::None && r.width() > 1 && r.height() > 1) {
    const bool in = (bevel_ == Bevel::Inset) != sunken_;
    const QColor light = back.lighter(150), dark = back.darker(170);
    p.setPen(in ? dark : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(in ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }
  if (!caption().isEmpty()) {
    p.setPen(isEnabled() ? toQColor(foreColor()) : QColor(128, 128, 128));
    p.setFont(font());
    QRect text = r.adjusted(2, 1, -2, -1);
    if (sunken_) text.translate(1, 1);
    p.drawText(text, static_cast<int>(align_) | Qt::TextSingleLine, caption());
  }
}

KtCommand::KtCommand(QWidget *parent, const QString &caption) : KtPanel(parent, caption) {}

void KtCommand::mousePressEvent(QMouseEvent *e) {
  if (e->button() == Qt::LeftButton) {
    sunken_ = true;
    update();
  }
  KtPanel::mousePressEvent(e);
}

void KtCommand::mouseReleaseEvent(QMouseEvent *e) {
  sunken_ = false;
  update();
  KtPanel::mouseReleaseEvent(e);
}

} // namespace dorrin::forms
