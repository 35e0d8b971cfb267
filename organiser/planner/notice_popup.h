#pragma once
// The notice pop-up `Chang`: one notice text in large type in a small window
// that stays above the others. It first appears in the screen's top-left
// corner, is dragged by its text, hidden by a double-click, and comes back
// where it was left. It never takes the keyboard focus from the user's work.
#include "platform/forms/form.h"

#include <QString>
#include <cstdint>

namespace dorrin::forms {
class KtPanel;
struct MouseArgs;
} // namespace dorrin::forms

namespace dorrin::organiser {

class Chang : public forms::Form {
  Q_OBJECT
public:
  explicit Chang(QWidget *parent = nullptr);

  // Sets the notice text and shows the window (loading it the first time).
  void showNotice(const QString &text);
  // Sizes the window to the panel and puts it top-most at the screen's
  // top-left corner; runs once, at the first notice.
  void Form_Load();
  bool loaded() const { return loaded_; }

  // Event handlers of the panel.
  void Pan_Chang_DblClick();
  void Pan_Chang_MouseDown(const forms::MouseArgs &e);
  void Pan_Chang_MouseMove(const forms::MouseArgs &e);

  forms::KtPanel *Pan_Chang = nullptr;
  // Where the last press on the text was, in twips.
  std::int16_t Drag_X = 0, Drag_Y = 0;

private:
  bool loaded_ = false;
};

} // namespace dorrin::organiser
