// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/RecordFile.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace views {

// The play record file as a screen that rewrites it holds it: the table read when the screen
// opened, changed one step at a time, each step written back whole. A step that cannot be
// written changes neither the file nor the table, and one is never written over a file that
// changed on disk since it was read: the user would lose what the other writer put there.
class WorkingRecords {
 public:
  explicit WorkingRecords(QString fileName = records::kRecordFileName) : m_fileName(std::move(fileName)) {}

  // Reads the file afresh, never from the views' shared copy, which is only as fresh as the
  // file's stamp says. A missing file is an empty table; one that cannot be read is an empty
  // table that nothing is written from.
  [[nodiscard]] QString load();

  const records::RecordTable& table() const { return m_table; }
  // A copy that stays as it is while the working table changes, for a grid to show.
  std::shared_ptr<const records::RecordTable> snapshot() const {
    return std::make_shared<const records::RecordTable>(m_table);
  }

  struct [[nodiscard]] Written {
    bool stale = false;  // the file changed since it was read; nothing was written
    QString error;       // a text the file cannot hold, or a write that failed; nothing was written
    bool ok() const { return !stale && error.isEmpty(); }
  };
  Written setDiary(qsizetype i, const QString& diary);
  Written removeRecord(qsizetype i);

 private:
  Written rewrite(records::RecordTable changed);

  QString m_fileName;
  records::RecordTable m_table;
  QByteArray m_fileBytes;  // the file as this table stands for it
  bool m_readable = false;
};

// What the user reads when the file changed under a screen: it has been read again.
QString staleFileMessage(const QString& action);

}  // namespace views
