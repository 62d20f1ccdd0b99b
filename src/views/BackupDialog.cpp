// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/BackupDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace views {

BackupDialog::BackupDialog(const std::vector<BackupRow>& rows, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgBackups"));
  setWindowTitle(QStringLiteral("元に戻す"));
  setModal(true);

  auto* label = new QLabel(QStringLiteral("元に戻すバックアップを選んでください（新しい順）。"), this);
  m_list = new QTreeWidget(this);
  m_list->setObjectName(QStringLiteral("lstBackups"));
  m_list->setAccessibleName(QStringLiteral("バックアップの一覧"));
  m_list->setHeaderLabels({QStringLiteral("ファイル"), QStringLiteral("日時"), QStringLiteral("件数")});
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setAllColumnsShowFocus(true);
  label->setBuddy(m_list);
  QList<QTreeWidgetItem*> items;
  for (const BackupRow& row : rows) {
    auto* item = new QTreeWidgetItem({row.file, row.takenAt, row.count});
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    items.append(item);
  }
  m_list->addTopLevelItems(items);
  // Each column as wide as its texts, the count right-aligned under its heading; the
  // space left over stays at the right rather than pushing the count away from the rest.
  m_list->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
  m_list->header()->setStretchLastSection(false);
  m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (!items.isEmpty()) m_list->setCurrentItem(items.first());
  // Enter or a double click on a row chooses it, as "戻す" does.
  connect(m_list, &QTreeWidget::itemActivated, this, &QDialog::accept);

  auto* restore = new QPushButton(QStringLiteral("戻す"), this);
  restore->setObjectName(QStringLiteral("cmdRestore"));
  restore->setDefault(true);
  connect(restore, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(restore);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_list);
  layout->addLayout(buttons);
  resize(600, 420);
  m_list->setFocus();
}

int BackupDialog::chosen() const {
  QTreeWidgetItem* item = m_list->currentItem();
  return item ? m_list->indexOfTopLevelItem(item) : -1;
}

}  // namespace views
