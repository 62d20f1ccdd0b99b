// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/WorkingRecords.h"

#include "platform/core/TextFile.h"

namespace views {

QString WorkingRecords::load() {
  platform::FileBytes file = platform::readFileBytes(m_fileName);
  m_readable = file.error.isEmpty();
  m_fileBytes = m_readable ? std::move(file.bytes) : QByteArray();
  m_table = records::RecordTable::parse(m_fileBytes);
  return file.error;
}

WorkingRecords::Written WorkingRecords::setDiary(qsizetype i, const QString& diary) {
  if (i < 0 || i >= m_table.size()) return {};
  records::RecordTable changed = m_table;
  changed.setDiary(i, diary);
  return rewrite(std::move(changed));
}

WorkingRecords::Written WorkingRecords::removeRecord(qsizetype i) {
  if (i < 0 || i >= m_table.size()) return {};
  records::RecordTable changed = m_table;
  changed.removeRecord(i);
  return rewrite(std::move(changed));
}

WorkingRecords::Written WorkingRecords::rewrite(records::RecordTable changed) {
  if (!m_readable) return {true, {}};
  // A text the file cannot hold is refused before the file is even looked at.
  records::RecordTable::Bytes out = changed.serialize();
  if (!out.error.isEmpty()) return {false, out.error};
  // Only over the file this screen read: a game of another copy may have appended since.
  const std::optional<QString> error = records::rewriteRecordsIfUnchanged(changed, m_fileBytes, m_fileName);
  if (!error) return {true, {}};
  if (!error->isEmpty()) return {false, *error + QStringLiteral("ファイルは元のままです。")};
  m_table = std::move(changed);
  m_fileBytes = std::move(out.bytes);
  return {};
}

QString staleFileMessage(const QString& action) {
  return QStringLiteral("この画面を開いた後で %1 が書き換えられたため、%2しませんでした。"
                        "一覧を読み直しましたので、もう一度行を選んでください。")
      .arg(records::kRecordFileName, action);
}

}  // namespace views
