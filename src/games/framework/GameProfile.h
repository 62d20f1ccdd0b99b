// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/framework/GameHistory.h"
#include "games/framework/GameSettings.h"
#include "games/framework/PlayEngine.h"
#include "records/DataFiles.h"

#include <QSize>
#include <QStringList>

#include <vector>

namespace games {

// A history graph button: the grid columns it draws (two give the right/wrong chart), or
// none for a button without an action.
struct GraphButton {
  QString name;
  QString caption;
  std::vector<HistoryField> fields;
};

// How a game differs from the others: names, clock, lists, files and history.
struct GameProfile {
  QString windowName;  // "frmG2"
  QString caption;     // window caption
  QString itemName;    // item name in the record file and the game's file names
  PlayEngine::Rules rules;
  int playIntervalMs = 50;
  SettingsChoices choices;
  QString hintCaption;  // empty: the game has no hint
  QString speedCaption = QStringLiteral("タイプ数／秒");
  SettingsLayout settingsLayout;
  GameSettings defaults;
  HistoryLayout history;
  std::vector<GraphButton> graphButtons;
  // Games with an operation filter their history by it first ("cboMode2", "cboKeisan2").
  QString operationFilterName;
  QStringList operations;
  QString operationFilterCaption;  // shown before the operation filter when set
  // What the settings and the filters really set, for tool tips and screen readers.
  QString kaisuTip = QStringLiteral("「答数」で遊ぶときに、1回のプレイで答える問題の数です");
  QString hintTip;
  QString operationFilterTip = QStringLiteral("このモードで遊んだプレイだけを表示します（秒数・答数で絞り込むときは先に選びます）");
  QSize playAreaSize{510, 290};
  QString endTooltip = QStringLiteral("メイン画面に戻ります");
  // The history grid rises over the play area while a graph shows, and goes back below it
  // at a start and after a save ("RIREKI_UE", "RIREKI_SHITA").
  bool historyRisesForGraphs = false;

  // The game's own files, named by its item name.
  QString settingsFile() const { return records::settingsFileOf(itemName); }
  QString historyFile() const { return records::historyFileOf(itemName); }
};

// The history most games keep: date, time, answers, right, wrong, keystrokes, accuracy,
// speed and seconds, with their headers and widths.
inline HistoryLayout keystrokeHistory() {
  return {
      {HistoryField::Date, QStringLiteral("日付"), 1400},     {HistoryField::Time, QStringLiteral("時間"), 1000},
      {HistoryField::Answers, QStringLiteral("答数"), 600},   {HistoryField::Ok, QStringLiteral("ＯＫ"), 600},
      {HistoryField::Ng, QStringLiteral("ＮＧ"), 600},        {HistoryField::Keystrokes, QStringLiteral("文字数"), 755},
      {HistoryField::Accuracy, QStringLiteral("正解率"), 880}, {HistoryField::Speed, QStringLiteral("秒当たり"), 980},
      {HistoryField::Seconds, QStringLiteral("秒数"), 1025},
  };
}

// The history of the games whose operation the player chooses: answers and times, with
// the operation last.
inline HistoryLayout operationHistory() {
  return {
      {HistoryField::Date, QStringLiteral("日付"), 1400},      {HistoryField::Time, QStringLiteral("時間"), 1000},
      {HistoryField::Answers, QStringLiteral("答数"), 600},    {HistoryField::Ok, QStringLiteral("ＯＫ"), 600},
      {HistoryField::Ng, QStringLiteral("ＮＧ"), 600},         {HistoryField::Accuracy, QStringLiteral("正解率"), 900},
      {HistoryField::Speed, QStringLiteral("秒当たり"), 1000}, {HistoryField::Seconds, QStringLiteral("秒数"), 1025},
      {HistoryField::Operation, QStringLiteral("モード"), 700},
  };
}

// The four graph buttons every game has.
inline std::vector<GraphButton> fourGraphButtons() {
  return {
      {QStringLiteral("cmdByou"), QStringLiteral("秒当たり"), {HistoryField::Speed}},
      {QStringLiteral("cmdRitu"), QStringLiteral("正解率"), {HistoryField::Accuracy}},
      {QStringLiteral("cmdKaitou"), QStringLiteral("答数"), {HistoryField::Ok, HistoryField::Ng}},
      {QStringLiteral("cmdPByou"), QStringLiteral("秒数"), {HistoryField::Seconds}},
  };
}

// The same and two more; the keystrokes button's caption differs among the games.
inline std::vector<GraphButton> sixGraphButtons(const QString& keystrokesCaption) {
  std::vector<GraphButton> buttons = fourGraphButtons();
  buttons.push_back({QStringLiteral("cmdMoji"), keystrokesCaption, {HistoryField::Keystrokes}});
  buttons.push_back({QStringLiteral("cmdJisyo"), QStringLiteral("予備"), {HistoryField::Answers}});
  return buttons;
}

}  // namespace games
