// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Conversion between the program's strings and code page 932, the code page of every
// data file. Nothing is ever replaced silently: a text that cannot be converted is refused.
namespace platform::cp932 {

std::optional<QByteArray> encode(QStringView text);
std::optional<QString> decode(QByteArrayView bytes);
// Appends the text of bytes to out, as decode would give it; false, with out as it was,
// when bytes are not code page 932. Many texts then share one string's storage.
bool decodeAppend(QByteArrayView bytes, QString& out);

// The first character (or surrogate pair) of text that code page 932 cannot hold; empty
// when every character can be encoded.
QString firstUnencodable(QStringView text);

// A message for the user naming the character that cannot be stored.
QString unencodableMessage(QStringView text);

}  // namespace platform::cp932
