// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCalendarWidget>
#include <QList>

namespace platform {

// A month calendar in Japanese with a settable selected day and a click on a day. The
// selected day is always in the month on show: the month buttons move it along.
class MonthCalendar : public QCalendarWidget {
  Q_OBJECT
 public:
  explicit MonthCalendar(QWidget* parent = nullptr);

  // Shows these days in bold, in place of the days marked before.
  void setMarkedDays(const QList<QDate>& days);
  const QList<QDate>& markedDays() const { return m_marked; }

 Q_SIGNALS:
  void dayClicked(const QDate& date);

 private:
  void followPage(int year, int month);

  QList<QDate> m_marked;
};

}  // namespace platform
