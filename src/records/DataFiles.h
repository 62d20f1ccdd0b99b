// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace records {

// The files of a data folder, named byte for byte as the folders users keep name them.
inline const QString kRecordFileName = QStringLiteral("データ.txt");
inline const QString kSettingsFileName = QStringLiteral("設定.txt");  // the main window's
inline const QString kPrivateFileName = QStringLiteral("プライベート.txt");
inline const QString kMemoFileName = QStringLiteral("メモ.TXT");
// Our own: how the screens show what they show, apart from the files above.
inline const QString kViewSettingsFileName = QStringLiteral("表示設定.txt");

// A game's own files, named by its item name.
inline QString settingsFileOf(const QString& item) { return item + QStringLiteral("設定.txt"); }
inline QString historyFileOf(const QString& item) { return item + QStringLiteral("履歴.txt"); }

}  // namespace records
