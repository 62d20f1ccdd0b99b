#include "platform/core/Cp932.h"

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

// Opening a converter costs far more than converting a field, so one of each is kept for
// each thread (a large record file is read on two at once). A converter keeps its
// error flag, and resetting one of this backend leaves it unusable, so after an error it
// is replaced by a fresh one, built in place (a moved converter stops reporting errors).
std::optional<QByteArray> encode(QStringView text) {
  if (isAscii(text)) return text.toLatin1();
  static thread_local std::optional<QStringEncoder> encoder;
  if (!encoder) encoder.emplace(kCodec, QStringConverter::Flag::Stateless);
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
