#include "platform/forms/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace dorrin::forms {

MsgBoxButtons msgBoxButtons(int style) {
  switch (style & 0xF) {
  case vbOKCancel:
    return {2, {vbOK, vbCancel, 0}};
  case vbAbortRetryIgnore:
    return {3, {vbAbort, vbRetry, vbIgnore}};
  case vbYesNoCancel:
    return {3, {vbYes, vbNo, vbCancel}};
  case vbYesNo:
    return {2, {vbYes, vbNo, 0}};
  case vbRetryCancel:
    return {2, {vbRetry, vbCancel, 0}};
  default:
    return {1, {vbOK, 0, 0}};
  }
}

int msgBoxDefault(int style) {
  const MsgBoxButtons b = msgBoxButtons(style);
  const int which = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
  return b.answers[which < b.count ? which : 0];
}

namespace {

QString titleOr(const QString &title) {
  return title.isEmpty() ? QApplication::applicationName() : title;
}

struct ButtonText {
  int answer;
  QMessageBox::StandardButton qt;
  const char *text; // UTF-8
};

constexpr ButtonText kButtons[] = {
    {vbOK, QMessageBox::Ok, "확인"},         {vbCancel, QMessageBox::Cancel, "취소"},
    {vbAbort, QMessageBox::Abort, "중단"},   {vbRetry, QMessageBox::Retry, "다시 시도"},
    {vbIgnore, QMessageBox::Ignore, "무시"}, {vbYes, QMessageBox::Yes, "예"},
    {vbNo, QMessageBox::No, "아니요"},
};

const ButtonText &buttonFor(int answer) {
  for (const auto &b : kButtons)
    if (b.answer == answer) return b;
  return kButtons[0];
}

} // namespace

int QtDialogs::msgBox(const QString &text, int style, const QString &title) {
  QMessageBox box(parent_);
  box.setWindowTitle(titleOr(title));
  box.setText(text);
  switch (style & 0x70) {
  case vbCritical:
    box.setIcon(QMessageBox::Critical);
    break;
  case vbQuestion:
    box.setIcon(QMessageBox::Question);
    break;
  case vbExclamation:
    box.setIcon(QMessageBox::Warning);
    break;
  case vbInformation:
    box.setIcon(QMessageBox::Information);
    break;
  default:
    break;
  }
  const MsgBoxButtons set = msgBoxButtons(style);
  const int def = msgBoxDefault(style);
  for (int i = 0; i < set.count; ++i) {
    const ButtonText &b = buttonFor(set.answers[i]);
    QPushButton *button = box.addButton(b.qt);
    button->setText(QString::fromUtf8(b.text));
    if (b.answer == def) box.setDefaultButton(button);
  }
  // Escape answers Cancel where there is one, OK on a lone OK button; a
  // Yes/No or Abort/Retry/Ignore box must be answered with a button.
  for (int i = 0; i < set.count; ++i)
    if (set.answers[i] == vbCancel || (set.count == 1 && set.answers[i] == vbOK))
      box.setEscapeButton(box.button(buttonFor(set.answers[i]).qt));
  box.exec();
  const auto pressed = box.standardButton(box.clickedButton());
  for (const auto &b : kButtons)
    if (b.qt == pressed) return b.answer;
  return set.count == 1 ? vbOK : vbCancel;
}

std::optional<QString> QtDialogs::inputBox(const QString &prompt, const QString &title,
                                           const QString &defaultText) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(titleOr(title));
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  dialog.setOkButtonText(QStringLiteral("확인"));
  dialog.setCancelButtonText(QStringLiteral("취소"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

std::optional<Rgb> QtDialogs::pickColor(Rgb initial, const QString &title) {
  const QColor c =
      QColorDialog::getColor(toQColor(initial), parent_, title.isEmpty() ? QString() : title);
  if (!c.isValid()) return std::nullopt;
  return fromQColor(c);
}

} // namespace dorrin::forms
