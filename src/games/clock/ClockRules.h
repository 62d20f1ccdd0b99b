// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace games::clock {

// optTani1(0..2): how far a question may shift the time.
QStringList rangeCaptions();  // "秒単位のみ", "分単位まで", "時間単位まで"
// The offsets a range draws from: 0 .. limit - 1 seconds.
int offsetLimit(int intTani);

// One question: a time of day, an offset forward or back, and the time it comes to, typed
// as six digits.
struct Question {
  QString strJikoku;  // "HH:MM:SS"
  int lngKijun = 0;   // the time shown, in seconds after midnight
  QString strShiji;   // "1時間5秒後 の時間は？"
  int lngKotae = 0;
  QString strSeikai;  // "HHMMSS"
};
// The question for a time of day and an offset in seconds; later or earlier.
Question questionFor(int hour, int minute, int second, int offset, bool later);
// Hours 2..21, minutes and seconds 0..58, an offset within the range: the answer always
// falls within the same day.
Question makeQuestion(int intTani);

// An offset as the instruction reads it: hours and minutes only when not zero, the seconds
// always ("1時間5秒", "0秒").
QString offsetText(int offset);

// An answer is judged at its sixth character, as text: it must match the expected six
// digits exactly. Full-width digits count as the digits they show.
struct Judgement {
  bool complete = false;
  bool right = false;
  int keystrokes = 0;
};
constexpr int kAnswerLength = 6;
Judgement judge(const QString& typed, const QString& strSeikai);

QString explanation();

}  // namespace games::clock
