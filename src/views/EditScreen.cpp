// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/EditScreen.h"

#include "platform/core/Clock.h"
#include "platform/core/TextFile.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/MessageBox.h"
#include "records/Backups.h"
#include "views/BackupDialog.h"
#include "views/CsvExport.h"
#include "views/Maintenance.h"
#include "views/RecordList.h"
#include "views/RecordsOnScreen.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

namespace views {

namespace {
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

// More rows than the grid shows at once: it opens on the newest.
constexpr int kScrollAfterRows = 24;
const QString kClearTitle = QStringLiteral("クリア確認");
}  // namespace

EditScreen::EditScreen(Hooks hooks, QWidget* parent) : QFrame(parent), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("fraSettei"));

  m_msgHenList = new platform::DataGrid(this);
  m_msgHenList->setObjectName(QStringLiteral("msgHenList"));
  m_msgHenList->setAccessibleName(QStringLiteral("記録の一覧"));
  m_msgHenList->setGeometry(10, 10, 850, 540);
  connect(m_msgHenList, &platform::DataGrid::cellClicked, this, &EditScreen::msgHenList_Click);
  // Enter on a row chooses it as a click does, for the keyboard.
  connect(m_msgHenList, &QAbstractItemView::activated, this, &EditScreen::msgHenList_Click);

  m_cmdRowDel = new QPushButton(QStringLiteral("個別削除"), this);
  m_cmdRowDel->setObjectName(QStringLiteral("cmdRowDel"));
  m_cmdRowDel->setGeometry(10, 602, 130, 36);
  m_cmdRowDel->setEnabled(false);
  connect(m_cmdRowDel, &QPushButton::clicked, this, &EditScreen::cmdRowDel_Click);

  auto* newStart = new QPushButton(QStringLiteral("新規スタート（全削除）"), this);
  newStart->setObjectName(QStringLiteral("cmdNew1"));
  newStart->setGeometry(150, 602, 220, 36);
  connect(newStart, &QPushButton::clicked, this, &EditScreen::cmdNew1_Click);

  auto* nameLabel = new QLabel(QStringLiteral("ニックネーム"), this);
  nameLabel->setGeometry(420, 606, 96, 28);
  nameLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_txtPriData = new QLineEdit(this);
  m_txtPriData->setObjectName(QStringLiteral("txtPriData"));
  m_txtPriData->setGeometry(522, 606, 208, 28);
  nameLabel->setBuddy(m_txtPriData);

  auto* saveName = new QPushButton(QStringLiteral("名前変更"), this);
  saveName->setObjectName(QStringLiteral("cmdPHozon1"));
  saveName->setGeometry(740, 602, 120, 36);
  connect(saveName, &QPushButton::clicked, this, &EditScreen::cmdPHozon1_Click);

  auto* undo = new QPushButton(QStringLiteral("元に戻す"), this);
  undo->setObjectName(QStringLiteral("cmdUndo"));
  undo->setToolTip(QStringLiteral("「%1」フォルダに残した前の内容に、ファイルを戻します").arg(records::kBackupFolder));
  undo->setGeometry(620, 556, 115, 36);
  connect(undo, &QPushButton::clicked, this, &EditScreen::cmdUndo_Click);

  auto* csv = new QPushButton(QStringLiteral("CSV出力"), this);
  csv->setObjectName(QStringLiteral("cmdCsv"));
  csv->setToolTip(QStringLiteral("記録と全ゲームの履歴を、表計算ソフトで開けるCSVファイルに書き出します"));
  csv->setGeometry(745, 556, 115, 36);
  connect(csv, &QPushButton::clicked, this, &EditScreen::cmdCsv_Click);

  INIT_HENLIST();
}

void EditScreen::prepareScreen() {
  m_txtPriData->setText(m_hooks.nickname ? m_hooks.nickname() : QString());
  m_cmdRowDel->setEnabled(false);
  INIT_HENLIST();
  READ_HENLIST();
}

void EditScreen::INIT_HENLIST() {
  m_msgHenList->setFontSize(11);
  setRecordColumns(*m_msgHenList, {800, 1400, 1000, 1750, 850, 5230});
}

void EditScreen::READ_HENLIST() {
  if (const QString error = m_records.load(); !error.isEmpty()) {
    platform::showMessage(this, error, QStringLiteral("データ"), MsgIcon::Exclamation);
  }
  m_msgHenList->setDataSource(std::make_shared<RecordListSource>(m_records.snapshot()));
  if (m_msgHenList->rows() > kScrollAfterRows) m_msgHenList->setTopRow(m_msgHenList->rows() - 1);
}

void EditScreen::msgHenList_Click() {
  if (m_msgHenList->rows() > 1) m_cmdRowDel->setEnabled(true);
}

// Disabled with the focus on it, the button would hand the focus on to "新規スタート（全削除）",
// one key away from emptying everything; the user goes on in the grid.
void EditScreen::disableRowDel() {
  if (window()->focusWidget() == m_cmdRowDel) m_msgHenList->setFocus(Qt::OtherFocusReason);
  m_cmdRowDel->setEnabled(false);
}

void EditScreen::reread() {
  disableRowDel();
  INIT_HENLIST();
  READ_HENLIST();
}

// The file is written first: the row leaves the grid only once it has left the file. The
// running numbers stay as they were. The grid's current row is the one now at that place.
void EditScreen::cmdRowDel_Click() {
  const int row = m_msgHenList->row();
  if (!m_cmdRowDel->isEnabled() || row < 1 || row >= m_msgHenList->rows()) return;
  const bool onlyRecord = m_msgHenList->rows() == 2;
  if (!onlyRecord) {
    const QString question = deleteQuestion(m_msgHenList->textMatrix(row, 1), m_msgHenList->textMatrix(row, 2),
                                            m_msgHenList->textMatrix(row, 3));
    if (platform::showMessage(this, question, kClearTitle, MsgIcon::Exclamation, MsgButtons::OkCancel,
                              MsgResult::Cancel) != MsgResult::Ok) {
      return;
    }
  }
  const WorkingRecords::Written written = m_records.removeRecord(row - 1);
  if (written.stale) {
    reread();
    platform::showMessage(this, staleFileMessage(QStringLiteral("削除")), QStringLiteral("個別削除"),
                          MsgIcon::Exclamation);
    return;
  }
  if (!written.error.isEmpty()) {
    platform::showMessage(this, written.error, QStringLiteral("削除エラー"), MsgIcon::Exclamation);
    return;
  }
  if (onlyRecord) {
    m_msgHenList->setRows(1);
  } else {
    m_msgHenList->removeItem(row);
    m_msgHenList->setRow(std::min(row, m_msgHenList->rows() - 1));
  }
  disableRowDel();
  if (m_hooks.recordsChanged) m_hooks.recordsChanged();
}

void EditScreen::cmdNew1_Click() {
  const QString nickname = m_txtPriData->text();
  // Asked only about what can be done: a nickname the file cannot hold stops it before.
  if (const QString problem = nicknameProblem(nickname); !problem.isEmpty()) {
    platform::showMessage(this, problem, QStringLiteral("入力エラー"), MsgIcon::Exclamation);
    return;
  }
  if (platform::showMessage(this,
                            QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？\r\n"
                                           "（今のデータは「%1」フォルダに残ります。）")
                                .arg(records::kBackupFolder),
                            kClearTitle, MsgIcon::Exclamation, MsgButtons::OkCancel, MsgResult::Cancel) != MsgResult::Ok) {
    return;
  }
  // The program ends after it: the memo is asked about while nothing has been deleted.
  if (m_hooks.settleMemo && !m_hooks.settleMemo()) return;
  if (const QString error = startAfresh(nickname); !error.isEmpty()) {
    reread();
    if (m_hooks.recordsChanged) m_hooks.recordsChanged();
    platform::showMessage(this, QStringLiteral("新規スタートを完了できませんでした。\r\n\r\n") + error,
                          QStringLiteral("新規スタート"), MsgIcon::Exclamation);
    return;
  }
  if (m_hooks.setNickname) m_hooks.setNickname(storedNickname(nickname));
  platform::showMessage(this,
                        QStringLiteral("データを削除しました。\r\n\r\n"
                                       "一旦プログラムを終了させていただきます。次の起動から新規スタートです！"),
                        QStringLiteral("新規スタート準備完了"), MsgIcon::Information);
  if (m_hooks.endProgram) m_hooks.endProgram();
}

void EditScreen::cmdPHozon1_Click() { storeNickname(); }

bool EditScreen::storeNickname() {
  const QString nickname = m_txtPriData->text();
  if (const QString error = writeNickname(nickname); !error.isEmpty()) {
    platform::showMessage(this, error, QStringLiteral("保存エラー"), MsgIcon::Exclamation);
    return false;
  }
  const QString stored = storedNickname(nickname);
  if (stored != nickname) m_txtPriData->setText(stored);
  if (m_hooks.setNickname) m_hooks.setNickname(stored);
  platform::showMessage(this, QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"), MsgIcon::Information);
  return true;
}

bool EditScreen::settleNickname() {
  const QString saved = m_hooks.nickname ? m_hooks.nickname() : QString();
  if (isHidden() || storedNickname(m_txtPriData->text()) == saved) return true;
  m_txtPriData->setFocus();
  return platform::settleUnsaved(this, QStringLiteral("ニックネームが保存されていません。保存しますか？"),
                                 QStringLiteral("名前変更"), [this] { return storeNickname(); },
                                 [this, saved] { m_txtPriData->setText(saved); });
}

void EditScreen::cmdUndo_Click() {
  const std::vector<records::Backup> backups = records::listBackups();
  const QString title = QStringLiteral("元に戻す");
  if (backups.empty()) {
    platform::showMessage(this,
                          QStringLiteral("元に戻せるバックアップはありません。\r\n"
                                         "記録の削除や一言日記の保存などでファイルを書き換えるとき、"
                                         "前の内容を「%1」フォルダに残します。")
                              .arg(records::kBackupFolder),
                          title, MsgIcon::Information);
    return;
  }
  BackupDialog dialog(backupRows(backups, m_hooks.histories ? m_hooks.histories() : std::vector<HistoryColumns>{}),
                      this);
  int answer = QDialog::Rejected;
  {
    const platform::RunningBox running(this);
    answer = dialog.exec();
  }
  if (answer != QDialog::Accepted || dialog.chosen() < 0) return;
  const records::Backup& chosen = backups[size_t(dialog.chosen())];
  if (platform::showMessage(this, restoreQuestion(chosen), title, MsgIcon::Exclamation, MsgButtons::OkCancel,
                            MsgResult::Cancel) != MsgResult::Ok) {
    return;
  }
  restore(chosen);
}

// What the user typed and did not save of the file is asked about first: the restore
// replaces it on the screen too.
void EditScreen::restore(const records::Backup& backup) {
  const auto is = [&backup](const QString& name) { return backup.fileName.compare(name, Qt::CaseInsensitive) == 0; };
  if (is(records::kMemoFileName) && m_hooks.settleMemo && !m_hooks.settleMemo()) return;
  if (is(records::kPrivateFileName) && !settleNickname()) return;
  if (const QString error = records::restoreBackup(backup); !error.isEmpty()) {
    platform::showMessage(this, error, QStringLiteral("元に戻す"), MsgIcon::Exclamation);
    return;
  }
  if (is(records::kRecordFileName)) {
    reread();
    if (m_hooks.recordsChanged) m_hooks.recordsChanged();
  }
  if (m_hooks.fileRestored) m_hooks.fileRestored(backup.fileName);
  if (is(records::kPrivateFileName)) m_txtPriData->setText(m_hooks.nickname ? m_hooks.nickname() : QString());
  platform::showMessage(this,
                        QStringLiteral("「%1」を %2 の内容に戻しました。")
                            .arg(backup.fileName, takenAtText(backup)),
                        QStringLiteral("元に戻す"), MsgIcon::Information);
}

// Two files in the folder the user picks: the play record and every game's history.
void EditScreen::cmdCsv_Click() {
  const QString title = QStringLiteral("CSV出力");
  const QDate today = platform::Clock::today();
  QString folder = m_csvFolder;
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  QString recordsPath =
      platform::chooseSaveFile(this,
                               {QStringLiteral("CSV出力（記録の保存先。履歴は同じフォルダに書き出します）"),
                                QDir(folder).filePath(recordsCsvName(today)), QStringLiteral("CSV ファイル (*.csv)")},
                               QStringLiteral("csv"));
  if (recordsPath.isEmpty()) return;
  // The dialog asked about the name it was given; the others are asked about here.
  const auto mayReplace = [&](const QString& path) {
    return !QFileInfo::exists(path) ||
           platform::showMessage(
               this, QStringLiteral("「%1」はすでにあります。置き換えますか？").arg(QDir::toNativeSeparators(path)),
               title, MsgIcon::Exclamation, MsgButtons::OkCancel, MsgResult::Cancel) == MsgResult::Ok;
  };
  // Whatever was typed, the file is a CSV file, never one of the data files.
  if (QFileInfo(recordsPath).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
    recordsPath += QStringLiteral(".csv");
    if (!mayReplace(recordsPath)) return;
  }
  const QDir chosenFolder = QFileInfo(recordsPath).absoluteDir();
  m_csvFolder = chosenFolder.path();
  const QString historiesPath = chosenFolder.filePath(historiesCsvName(today));
  if (QFileInfo(historiesPath).absoluteFilePath() == QFileInfo(recordsPath).absoluteFilePath()) {
    platform::showMessage(this,
                          QStringLiteral("「%1」は履歴の書き出しに使います。記録には別の名前を付けてください。")
                              .arg(QDir::toNativeSeparators(historiesPath)),
                          title, MsgIcon::Exclamation);
    return;
  }
  if (!mayReplace(historiesPath)) return;
  const CsvFile recordsFile = recordsCsv();
  const CsvFile historiesFile = historiesCsv(m_hooks.histories ? m_hooks.histories() : std::vector<HistoryColumns>{});
  for (const QString& error : {recordsFile.error, historiesFile.error}) {
    if (!error.isEmpty()) {
      platform::showMessage(this, error + QStringLiteral("\r\nCSVファイルは書き出していません。"), title,
                            MsgIcon::Exclamation);
      return;
    }
  }
  if (const QString error = platform::writeFileAtomic(recordsPath, recordsFile.bytes); !error.isEmpty()) {
    platform::showMessage(this, error, title, MsgIcon::Exclamation);
    return;
  }
  if (const QString error = platform::writeFileAtomic(historiesPath, historiesFile.bytes); !error.isEmpty()) {
    platform::showMessage(
        this, error + QStringLiteral("\r\n記録は「%1」に書き出しました。").arg(QDir::toNativeSeparators(recordsPath)),
        title, MsgIcon::Exclamation);
    return;
  }
  QString done = QStringLiteral("CSVファイルを書き出しました。\r\n\r\n記録：%1\r\n履歴：%2")
                     .arg(QDir::toNativeSeparators(recordsPath), QDir::toNativeSeparators(historiesPath));
  if (recordsFile.leftOut > 0 || historiesFile.leftOut > 0) {
    done += QStringLiteral("\r\n\r\n読めない行は書き出していません（記録 %1 行、履歴 %2 行）。")
                .arg(recordsFile.leftOut)
                .arg(historiesFile.leftOut);
  }
  platform::showMessage(this, done, title, MsgIcon::Information);
}

}  // namespace views
