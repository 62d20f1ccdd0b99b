#include "platform/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

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
}  // namespace

std::optional<QByteArray> encode(QStringView text) {
  if (isAscii(text)) return text.toLatin1();
  QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
  QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) return std::nullopt;
  return bytes;
}

std::optional<QString> decode(QByteArrayView bytes) {
  if (isAscii(bytes)) return QString::fromLatin1(bytes);
  QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
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
