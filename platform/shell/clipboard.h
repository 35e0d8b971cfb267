#pragma once
// The system clipboard as text, behind an interface so forms take it as a
// service and tests use their own.
#include <QString>

namespace dorrin::shell {

class Clipboard {
public:
  virtual ~Clipboard() = default;
  // The clipboard's text; "" when it holds none.
  virtual QString text() const = 0;
  // Replaces the clipboard's content with text.
  virtual void setText(const QString &text) = 0;
};

// The desktop's clipboard (QGuiApplication::clipboard()).
class QtClipboard final : public Clipboard {
public:
  QString text() const override;
  void setText(const QString &text) override;
};

} // namespace dorrin::shell
