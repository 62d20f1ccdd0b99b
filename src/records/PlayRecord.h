// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace records {

// One saved play: one line of the play record file.
struct PlayRecord {
  QString date;  // "yyyy/mm/dd", kept as read
  QString time;  // "HH:MM:SS", kept as read
  QString item;
  float seconds = 0;
  QString diary;
  QString reserved;  // always empty when written by this program

  bool operator==(const PlayRecord&) const = default;
};

// Dates and times as the record file and the game histories write them: "yyyy/mm/dd" and
// "HH:MM:SS", zero-padded.
inline QString recordDate(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }
inline QString recordTime(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }
// A date as the record file holds it, "yyyy/mm/dd" (also "yyyy/m/d", as some files have it);
// invalid when the text is no date.
QDate parseRecordDate(QStringView text);

}  // namespace records
