#pragma once

#include <QString>

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

}  // namespace records
