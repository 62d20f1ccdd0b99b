// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace records {

// The table read last, which sharedRecords() shares, is forgotten before the program
// writes the file, so that the next read reads what was written.
void forgetSharedRecords();

}  // namespace records
