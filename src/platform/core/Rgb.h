// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace platform {

// A colour as the data views know it, without the GUI library: 8 bits per channel.
struct Rgb {
  quint8 r = 0, g = 0, b = 0;

  constexpr quint32 value() const { return (quint32(r) << 16) | (quint32(g) << 8) | b; }
  static constexpr Rgb fromValue(quint32 v) { return {quint8(v >> 16), quint8(v >> 8), quint8(v)}; }
  constexpr bool operator==(const Rgb&) const = default;
};

}  // namespace platform
