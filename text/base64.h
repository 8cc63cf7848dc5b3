// Base64: the standard alphabet of RFC 4648 with "=" padding, for byte arrays
// and for texts (as UTF-8 or as the locale's code set).
//
// Promises:
//  - Encoded text longer than 76 characters is cut into lines of 76, each
//    complete line followed by CR LF (the last one too when the length is a
//    multiple of 76); a shorter last line has no line end.
//  - Decoding is lenient: CR LF pairs and every "=" are dropped wherever they
//    stand, and a character outside the alphabet decodes like "A" (it is
//    looked up by the low eight bits of its UTF-16 code).
//  - Encoding never fails (an empty input gives the empty text). Decoding a
//    text with nothing left to decode throws mt::DbError with code 9.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace mt {

class Base64 {
 public:
  static constexpr int32_t kErrNothingToDecode = 9;
  static constexpr int kLineLength = 76;

  Base64();

  // Base64 of the text's UTF-8 bytes.
  QString EncodeUTF8AndBase64(const QString& text) const;
  // The text whose UTF-8 bytes the input holds, up to the first zero byte.
  QString DecodeUTF8AndBase64(const QString& text) const;
  // The decoded bytes read in the locale's code set.
  QString Decode64(const QString& text) const;
  QByteArray DecodeArray64(const QString& text) const;
  // Base64 of the text's bytes in the locale's code set.
  QString Encode64(const QString& text) const;
  QString EncodeArray64(const QByteArray& bytes) const;

 private:
  std::array<char16_t, 64> encode_{};
  std::array<uint8_t, 256> decode_{};
};

}  // namespace mt
