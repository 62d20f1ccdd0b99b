// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DataFiles.h"

#include <QString>

namespace views {

// The free memo as its file holds it: the text, line breaks as CR LF, and one CR LF after
// it, so that a text ending with a line break, or an empty one, reads back the same.
struct [[nodiscard]] MemoRead {
  QString text;  // line breaks as "\n"
  QString error;
};
// A missing file is an empty memo.
[[nodiscard]] MemoRead readMemo(const QString& fileName = records::kMemoFileName);

// A double quote is stored as a full-width one; a character the code page cannot hold is
// refused and nothing is written. Returns an error text for the user.
[[nodiscard]] QString saveMemo(const QString& text, const QString& fileName = records::kMemoFileName);

}  // namespace views
