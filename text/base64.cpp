#include "text/base64.h"

#include "db/engine.h"
#include "text/utf8.h"

namespace mt {

Base64::Base64() {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  // Every byte outside the alphabet maps to 0, the value of "A".
  decode_.fill(0);
  for (int i = 0; i < 64; ++i) {
    encode_[i] = static_cast<char16_t>(kAlphabet[i]);
    decode_[static_cast<uint8_t>(kAlphabet[i])] = static_cast<uint8_t>(i);
  }
}

QString Base64::EncodeArray64(const QByteArray& bytes) const {
  const qsizetype n = bytes.size();
  if (n == 0) return QString();
  QString out;
  out.reserve((n + 2) / 3 * 4);
  const auto* b = reinterpret_cast<const uint8_t*>(bytes.constData());
  qsizetype i = 0;
  for (; i + 2 < n; i += 3) {
    out += QChar(encode_[b[i] >> 2]);
    out += QChar(encode_[((b[i] & 0x03) << 4) | (b[i + 1] >> 4)]);
    out += QChar(encode_[((b[i + 1] & 0x0F) << 2) | (b[i + 2] >> 6)]);
    out += QChar(encode_[b[i + 2] & 0x3F]);
  }
  if (n - i == 2) {
    out += QChar(encode_[b[i] >> 2]);
    out += QChar(encode_[((b[i] & 0x03) << 4) | (b[i + 1] >> 4)]);
    out += QChar(encode_[(b[i + 1] & 0x0F) << 2]);
    out += QLatin1Char('=');
  } else if (n - i == 1) {
    out += QChar(encode_[b[i] >> 2]);
    out += QChar(encode_[(b[i] & 0x03) << 4]);
    out += QLatin1String("==");
  }
  if (out.size() <= kLineLength) return out;

  QString lines;
  lines.reserve(out.size() + out.size() / kLineLength * 2);
  for (qsizetype at = 0; at < out.size(); at += kLineLength) {
    const QStringView line = QStringView(out).mid(at, kLineLength);
    lines += line;
    if (line.size() == kLineLength) lines += QLatin1String("\r\n");
  }
  return lines;
}

QByteArray Base64::DecodeArray64(const QString& text) const {
  QString clean = text;
  clean.remove(QLatin1String("\r\n"));
  clean.remove(QLatin1Char('='));
  if (clean.isEmpty()) {
    throw DbError(kErrNothingToDecode, QStringLiteral("Subscript out of range"),
                  QStringLiteral("Base64.DecodeArray64"));
  }
  const qsizetype n = clean.size();
  QByteArray out;
  out.reserve(n / 4 * 3 + 2);
  auto value = [&](qsizetype i) { return decode_[clean.at(i).unicode() & 0xFF]; };
  qsizetype i = 0;
  for (; i + 3 < n; i += 4) {
    const uint8_t v0 = value(i), v1 = value(i + 1), v2 = value(i + 2), v3 = value(i + 3);
    out += static_cast<char>((v0 << 2) | (v1 >> 4));
    out += static_cast<char>(((v1 & 0x0F) << 4) | (v2 >> 2));
    out += static_cast<char>(((v2 & 0x03) << 6) | v3);
  }
  // A final group of three values gives two bytes, of two values one byte,
  // of a single value nothing.
  if (n - i >= 2) out += static_cast<char>((value(i) << 2) | (value(i + 1) >> 4));
  if (n - i == 3) out += static_cast<char>(((value(i + 1) & 0x0F) << 4) | (value(i + 2) >> 2));
  return out;
}

QString Base64::Encode64(const QString& text) const {
  if (text.isEmpty()) return QString();
  return EncodeArray64(EncodeCodePage(text, kCodePageAnsi));
}

QString Base64::Decode64(const QString& text) const {
  if (text.isEmpty()) return QString();
  return DecodeCodePage(DecodeArray64(text), kCodePageAnsi);
}

QString Base64::EncodeUTF8AndBase64(const QString& text) const {
  if (text.isEmpty()) return QString();
  return EncodeArray64(ToCodePage(text, kCodePageUtf8, 0));
}

QString Base64::DecodeUTF8AndBase64(const QString& text) const {
  return FromCodePage(DecodeArray64(text), kCodePageUtf8, 0);
}

}  // namespace mt
