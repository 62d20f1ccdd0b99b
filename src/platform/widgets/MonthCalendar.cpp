// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/MonthCalendar.h"

#include <QLocale>
#include <QTextCharFormat>

namespace platform {

MonthCalendar::MonthCalendar(QWidget* parent) : QCalendarWidget(parent) {
  setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  setFirstDayOfWeek(Qt::Sunday);
  setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  setGridVisible(true);
  connect(this, &QCalendarWidget::clicked, this, &MonthCalendar::dayClicked);
  connect(this, &QCalendarWidget::currentPageChanged, this, &MonthCalendar::followPage);
}

// The month buttons turn the page but leave the selection where it was; keys and clicks
// have moved it before the page turns.
void MonthCalendar::followPage(int year, int month) {
  const QDate selected = selectedDate();
  if (selected.year() == year && selected.month() == month) return;
  const QDate first(year, month, 1);
  setSelectedDate(first.addDays(std::min(selected.day(), first.daysInMonth()) - 1));
}

void MonthCalendar::setMarkedDays(const QList<QDate>& days) {
  setDateTextFormat(QDate(), {});  // a null date clears every day's format
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  for (const QDate& day : days) setDateTextFormat(day, bold);
  m_marked = days;
}

}  // namespace platform
