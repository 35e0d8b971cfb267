#pragma once
// The 3-D panel (also used as label, button and drag area) and the 3-D
// command button: a bevelled surface with a caption.
#include "platform/forms/control.h"

namespace dorrin::forms {

class KtPanel : public Control {
  Q_OBJECT
public:
  enum class Bevel { None, Raised, Inset };
  explicit KtPanel(QWidget *parent = nullptr, const QString &caption = {});
  void setBevel(Bevel b);
  Bevel bevel() const { return bevel_; }
  void setAlignment(Qt::Alignment a);
  Qt::Alignment alignment() const { return align_; }

protected:
  void paintEvent(QPaintEvent *) override;
  bool sunken_ = false;

private:
  Bevel bevel_ = Bevel::Raised;
  Qt::Alignment align_ = Qt::AlignCenter;
};

// A 3-D command button: looks pressed while the left button is held on it.
class KtCommand : public KtPanel {
  Q_OBJECT
public:
  explicit KtCommand(QWidget *parent = nullptr, const QString &caption = {});

protected:
  void mousePressEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
};

} // namespace dorrin::forms
