// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace help {

// A page that holds every word searched for, with a line of its text around the first one.
struct SearchHit {
  QString id;
  QString title;
  QString excerpt;
};

// The words of a query, split at spaces of either width.
QStringList searchWords(const QString& query);

// Where word first stands in text, or -1. ASCII letters and digits match in either case and
// width; Japanese text as typed.
qsizetype findWord(const QString& text, const QString& word);

// The help pages, in the order of the contents, whose visible text holds every word.
std::vector<SearchHit> searchPages(const QStringList& words);

}  // namespace help
