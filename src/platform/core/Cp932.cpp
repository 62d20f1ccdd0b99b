// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace platform::cp932 {

namespace {
constexpr const char* kCodec = "windows-31j";

bool isAscii(QStringView text) {
  for (QChar c : text) {
    if (c.unicode() >= 0x80) return false;
  }
  return true;
}

bool isAscii(QByteArrayView bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Some converters of this code page swap a few control bytes (0x1A, 0x1C and 0x7F) with
// each other, while ASCII text, which skips the converter, keeps them. The files hold every
// byte below 0x80 as that very character, so the converter's swaps are undone both ways:
// fromConverter[c] is the character that the converter's c stands for, toConverter[c] what
// to give the converter for c.
struct AsciiFix {
  std::array<char16_t, 0x80> fromConverter{};
  std::array<char16_t, 0x80> toConverter{};
  bool needed = false;
};

const AsciiFix& asciiFix() {
  static const AsciiFix fix = [] {
    AsciiFix f;
    for (char16_t c = 0; c < 0x80; ++c) f.fromConverter[c] = f.toConverter[c] = c;
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    for (char16_t byte = 0; byte < 0x80; ++byte) {
      const char one = char(byte);
      const QString text = decoder.decode(QByteArrayView(&one, 1));
      if (text.size() != 1 || text[0].unicode() >= 0x80 || text[0].unicode() == byte) continue;
      f.fromConverter[text[0].unicode()] = byte;
      f.toConverter[byte] = text[0].unicode();
      f.needed = true;
    }
    return f;
  }();
  return fix;
}

void mapAscii(QChar* begin, QChar* end, const std::array<char16_t, 0x80>& table) {
  for (QChar* c = begin; c != end; ++c) {
    if (c->unicode() < 0x80) *c = QChar(table[c->unicode()]);
  }
}
}  // namespace

// Opening a converter costs far more than converting a field, so one of each is kept for
// each thread (a large record file is read on two at once). A converter keeps its
// error flag, and resetting one of this backend leaves it unusable, so after an error it
// is replaced by a fresh one, built in place (a moved converter stops reporting errors).
std::optional<QByteArray> encode(QStringView text) {
  if (isAscii(text)) return text.toLatin1();
  static thread_local std::optional<QStringEncoder> encoder;
  if (!encoder) encoder.emplace(kCodec, QStringConverter::Flag::Stateless);
  QString fixed;
  if (const AsciiFix& fix = asciiFix(); fix.needed) {
    fixed = text.toString();
    mapAscii(fixed.begin(), fixed.end(), fix.toConverter);
    text = fixed;
  }
  QByteArray bytes = encoder->encode(text);
  if (encoder->hasError()) {
    encoder.reset();
    return std::nullopt;
  }
  return bytes;
}

std::optional<QString> decode(QByteArrayView bytes) {
  QString text;
  if (!decodeAppend(bytes, text)) return std::nullopt;
  return text;
}

bool decodeAppend(QByteArrayView bytes, QString& out) {
  if (isAscii(bytes)) {
    out.append(QLatin1StringView(bytes));
    return true;
  }
  static thread_local std::optional<QStringDecoder> decoder;
  if (!decoder) decoder.emplace(kCodec, QStringConverter::Flag::Stateless);
  const qsizetype size = out.size();
  out.resize(size + decoder->requiredSpace(bytes.size()));
  const QChar* end = decoder->appendToBuffer(out.data() + size, bytes);
  if (decoder->hasError()) {
    decoder.reset();
    out.resize(size);
    return false;
  }
  out.resize(end - out.constData());
  if (const AsciiFix& fix = asciiFix(); fix.needed) mapAscii(out.begin() + size, out.end(), fix.fromConverter);
  return true;
}

QString firstUnencodable(QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    const QStringView one = text.mid(i, len);
    if (!encode(one)) return one.toString();
    i += len - 1;
  }
  return {};
}

QString unencodableMessage(QStringView text) {
  return QStringLiteral("「%1」はファイルに保存できない文字です。別の文字に置き換えてください。")
      .arg(firstUnencodable(text));
}

}  // namespace platform::cp932
