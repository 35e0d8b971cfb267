#include "organiser/planner/notice_popup.h"

#include "platform/forms/panel.h"

namespace dorrin::organiser {

Chang::Chang(QWidget *parent) : Form(parent) {
  setObjectName("Chang");
  setWindowTitle(QStringLiteral("스케즐 알람"));
  // A notice must not take the keys from what the user is typing into.
  setWindowFlag(Qt::WindowDoesNotAcceptFocus, true);
  setAttribute(Qt::WA_ShowWithoutActivating, true);
  Pan_Chang = new forms::KtPanel(this);
  Pan_Chang->setObjectName("Pan_Chang");
  Pan_Chang->place(0, 0, 5400, 960);
  Pan_Chang->setFont(forms::formFont(QStringLiteral("굴림"), 15.75, true));
  Pan_Chang->setBackColor(forms::rgb(255, 255, 192));
  Pan_Chang->setForeColor(forms::rgb(0, 0, 128));
  connect(Pan_Chang, &forms::Control::dblClick, this, &Chang::Pan_Chang_DblClick);
  connect(Pan_Chang, &forms::Control::mouseDown, this, &Chang::Pan_Chang_MouseDown);
  connect(Pan_Chang, &forms::Control::mouseMove, this, &Chang::Pan_Chang_MouseMove);
}

void Chang::Form_Load() {
  loaded_ = true;
  setHeight(Pan_Chang->height());
  setWidth(Pan_Chang->width());
  Pan_Chang->setLeft(0);
  Pan_Chang->setTop(0);
  setTopMost(true);
  move(0, 0);
}

void Chang::showNotice(const QString &text) {
  Pan_Chang->setCaption(text);
  if (!loaded_) Form_Load();
  show();
  raise();
}

void Chang::Pan_Chang_DblClick() {
  setVisible(false);
}

void Chang::Pan_Chang_MouseDown(const forms::MouseArgs &e) {
  Drag_X = static_cast<std::int16_t>(e.x);
  Drag_Y = static_cast<std::int16_t>(e.y);
}

void Chang::Pan_Chang_MouseMove(const forms::MouseArgs &e) {
  if (e.button != forms::kLeftButton) return;
  setTop(top() + e.y - Drag_Y);
  setLeft(left() + e.x - Drag_X);
}

} // namespace dorrin::organiser
