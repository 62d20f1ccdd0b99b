// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpSearch.h"

#include "help/HelpWindow.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

namespace help {

namespace {
constexpr qsizetype kBefore = 20;
constexpr qsizetype kAfter = 50;

// Full-width ASCII to ASCII, then ASCII capitals to small letters; one character for one,
// so that a place in the folded text is the same place in the text.
QString folded(const QString& text) {
  QString out = text;
  for (QChar& c : out) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) c = QChar(char16_t(u - 0xFEE0));
    if (u == 0x3000) c = QLatin1Char(' ');
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(char16_t(c.unicode() + 0x20));
  }
  return out;
}

// What a reader sees of a page: its text without the markup, one line a paragraph or cell.
const QString& pageText(const QString& id) {
  static QHash<QString, QString> texts;
  const auto found = texts.constFind(id);
  if (found != texts.constEnd()) return *found;
  QFile file(QStringLiteral(":/help/%1.html").arg(id));
  QTextDocument document;
  if (file.open(QIODevice::ReadOnly)) document.setHtml(QString::fromUtf8(file.readAll()));
  QString text = document.toPlainText();
  text.remove(QChar::ObjectReplacementCharacter);  // the pictures
  return *texts.insert(id, text);
}

QString excerpt(const QString& text, qsizetype at, qsizetype length) {
  const qsizetype from = std::max<qsizetype>(0, at - kBefore);
  const qsizetype to = std::min(text.size(), at + length + kAfter);
  QString line = text.mid(from, to - from).simplified();
  if (from > 0) line.prepend(QStringLiteral("…"));
  if (to < text.size()) line.append(QStringLiteral("…"));
  return line;
}
}  // namespace

QStringList searchWords(const QString& query) {
  static const QRegularExpression spaces(QStringLiteral("\\s+"));
  return folded(query).split(spaces, Qt::SkipEmptyParts);
}

qsizetype findWord(const QString& text, const QString& word) {
  return word.isEmpty() ? -1 : folded(text).indexOf(folded(word));
}

std::vector<SearchHit> searchPages(const QStringList& words) {
  std::vector<SearchHit> hits;
  if (words.isEmpty()) return hits;
  for (const HelpPage& page : helpPages()) {
    const QString& text = pageText(page.id);
    const bool all = std::all_of(words.begin(), words.end(), [&](const QString& w) { return findWord(text, w) >= 0; });
    if (all) hits.push_back({page.id, page.title, excerpt(text, findWord(text, words.front()), words.front().size())});
  }
  return hits;
}

}  // namespace help
