#include "platform/widgets/MonthCalendar.h"

#include <QLocale>

namespace platform {

MonthCalendar::MonthCalendar(QWidget* parent) : QCalendarWidget(parent) {
  setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  setFirstDayOfWeek(Qt::Sunday);
  setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  setGridVisible(true);
  connect(this, &QCalendarWidget::clicked, this, &MonthCalendar::dayClicked);
}

}  // namespace platform
