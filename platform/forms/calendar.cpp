#include "platform/forms/calendar.h"

#include <QCalendarWidget>
#include <QLocale>

namespace dorrin::forms {

Calendar::Calendar(QWidget *parent) : Control(parent), cal_(new QCalendarWidget(this)) {
  cal_->setLocale(QLocale(QLocale::Korean, QLocale::SouthKorea));
  cal_->setFirstDayOfWeek(Qt::Sunday);
  cal_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  cal_->setGridVisible(true);
  connect(cal_, &QCalendarWidget::clicked, this, [this] { emit clicked(); });
  connect(cal_, &QCalendarWidget::activated, this, [this] { emit clicked(); });
}

QDate Calendar::value() const {
  return cal_->selectedDate();
}

bool Calendar::setValue(const QDate &d) {
  if (!d.isValid()) return false;
  cal_->setSelectedDate(d);
  return true;
}

void Calendar::pick(const QDate &d) {
  if (!setValue(d)) return;
  emit clicked();
}

void Calendar::resizeEvent(QResizeEvent *e) {
  Control::resizeEvent(e);
  cal_->setGeometry(0, 0, QWidget::width(), QWidget::height());
}

} // namespace dorrin::forms
