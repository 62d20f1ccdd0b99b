#pragma once

#include <QCalendarWidget>

namespace platform {

// A month calendar in Japanese with a settable selected day and a click on a day. The
// selected day is always in the month on show: the month buttons move it along.
class MonthCalendar : public QCalendarWidget {
  Q_OBJECT
 public:
  explicit MonthCalendar(QWidget* parent = nullptr);

 Q_SIGNALS:
  void dayClicked(const QDate& date);

 private:
  void followPage(int year, int month);
};

}  // namespace platform
