#pragma once
// The month calendar control: one month of days to pick from, with month
// and year steppers. Click is raised when the user picks a day; Value, Year,
// Month and Day read the selected date.
#include "platform/forms/control.h"

#include <QDate>

class QCalendarWidget;

namespace dorrin::forms {

class Calendar : public Control {
  Q_OBJECT
public:
  explicit Calendar(QWidget *parent = nullptr);

  QDate value() const;
  // An invalid date is refused (false).
  bool setValue(const QDate &d);
  int year() const { return value().year(); }
  int month() const { return value().month(); }
  int day() const { return value().day(); }

  // Picks a day as the user's click does: selects it and raises Click.
  void pick(const QDate &d);

  QCalendarWidget *widget() const { return cal_; }

protected:
  void resizeEvent(QResizeEvent *e) override;

private:
  QCalendarWidget *cal_;
};

} // namespace dorrin::forms
