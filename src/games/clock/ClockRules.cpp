// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/clock/ClockRules.h"

#include "games/framework/GameText.h"
#include "platform/core/Random.h"
#include "platform/core/TourText.h"

#include <QtGlobal>

namespace games::clock {

namespace {
QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// A uniform draw of 0 .. count - 1, as Int(Rnd * count).
int draw(int count) { return int(platform::Random::uniform() * count); }
}  // namespace

QStringList rangeCaptions() {
  return {QStringLiteral("秒単位のみ"), QStringLiteral("分単位まで"), QStringLiteral("時間単位まで")};
}

int offsetLimit(int intTani) {
  switch (intTani) {
    case 0: return 30;
    case 1: return 1800;
    default: return 7200;
  }
}

QString offsetText(int offset) {
  const int hours = offset / 3600;
  const int minutes = (offset - hours * 3600) / 60;
  const int seconds = offset - hours * 3600 - minutes * 60;
  QString text;
  if (hours != 0) text += QString::number(hours) + QStringLiteral("時間");
  if (minutes != 0) text += QString::number(minutes) + QStringLiteral("分");
  return text + QString::number(seconds) + QStringLiteral("秒");
}

Question questionFor(int hour, int minute, int second, int offset, bool later) {
  Question q;
  q.strJikoku = twoDigits(hour) + QLatin1Char(':') + twoDigits(minute) + QLatin1Char(':') + twoDigits(second);
  q.lngKijun = hour * 3600 + minute * 60 + second;
  q.lngKotae = later ? q.lngKijun + offset : q.lngKijun - offset;
  q.strShiji = offsetText(offset) + (later ? QStringLiteral("後 の時間は？") : QStringLiteral("前 の時間は？"));
  const int h = q.lngKotae / 3600;
  const int m = (q.lngKotae - h * 3600) / 60;
  const int s = q.lngKotae - h * 3600 - m * 60;
  q.strSeikai = twoDigits(h) + twoDigits(m) + twoDigits(s);
  return q;
}

Question makeQuestion(int intTani) {
  const int hour = draw(20) + 2;
  const int minute = draw(59);
  const int second = draw(59);
  const int offset = draw(offsetLimit(intTani));
  const bool later = draw(2) == 0;
  return questionFor(hour, minute, second, offset, later);
}

Judgement judge(const QString& typed, const QString& strSeikai) {
  if (typed.size() < kAnswerLength) return {};
  return {true, normalizedAnswer(typed.left(kAnswerLength)) == strSeikai, kAnswerLength};
}

QString explanation() {
  return platform::tourText({
      "このゲームは『時間計算ドリル』です。",
      "",
      "画面には 05:23:42 のような時刻表示と「17分12秒後」のような指示が出題されます。",
      "指示は　～後　だったり　～前　可変しますので間違わないように時間の足し算、引き算をします。",
      "",
      "式の解答はセミコロン：　を省いて入力してください。　例）12：43：55　→　124355　と入力　",
      "",
      "※指示は秒範囲内、分範囲内、時間範囲内に指定する事ができます。",
  });
}

}  // namespace games::clock
