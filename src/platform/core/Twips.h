// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Layout sizes are given in twips; 15 twips make one pixel at 96 dpi.
constexpr int twipsToPx(int twips) { return (twips + 7) / 15; }

}  // namespace platform
