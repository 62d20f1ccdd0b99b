#pragma once

#include <QCalendarWidget>

namespace platform {

// A month calendar in Japanese with a settable selected day and a click on a day.
class MonthCalendar : public QCalendarWidget {
  Q_OBJECT
 public:
  explicit MonthCalendar(QWidget* parent = nullptr);

 Q_SIGNALS:
  void dayClicked(const QDate& date);
};

}  // namespace platform
