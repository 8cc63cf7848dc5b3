#include "text/base64.h"

#include <gtest/gtest.h>

#include "support/failure_code.h"
#include "text/utf8.h"

namespace mt {
namespace {

QByteArray Bytes(int count) {
  QByteArray b;
  for (int i = 0; i < count; ++i) b += static_cast<char>((i * 37 + 11) & 0xFF);
  return b;
}

TEST(Base64Codec, EncodesWithPaddingAndLinesOf76) {
  const Base64 b64;
  const std::pair<QByteArray, QString> cases[] = {{"Man", "TWFu"}, {"Ma", "TWE="}, {"M", "TQ=="}, {{}, ""}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(b64.EncodeArray64(bytes), text) << bytes.toStdString();
  // The 48 bytes whose 6-bit groups count 0 to 63 give the alphabet in order.
  const QByteArray all = QByteArray::fromHex(
      "00108310518720928b30d38f41149351559761969b71d79f8218a39259a7a29aabb2dbafc31cb3d35db7e39ebbf3dfbf");
  EXPECT_EQ(b64.EncodeArray64(all), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
  // Every complete line of 76 ends in CR LF, a shorter last one does not.
  EXPECT_EQ(b64.EncodeArray64(Bytes(57)).size(), 76);
  const QString two = b64.EncodeArray64(Bytes(114));
  EXPECT_EQ(two.size(), 2 * 78);
  EXPECT_TRUE(two.mid(76, 2) == "\r\n" && two.endsWith("\r\n"));
  EXPECT_EQ(b64.EncodeArray64(Bytes(60)).mid(76), "\r\n" + b64.EncodeArray64(Bytes(60).mid(57)));
  for (int n : {1, 2, 3, 56, 58, 115, 1000})
    EXPECT_EQ(b64.DecodeArray64(b64.EncodeArray64(Bytes(n))), Bytes(n)) << n << " bytes";
}

TEST(Base64Codec, DecodesLenientlyAndRefusesNothing) {
  const Base64 b64;
  const std::pair<QString, QByteArray> cases[] = {
      {"TWFu\r\nTWE=", "ManMa"}, {"TW=Fu", "Man"},
      {"T*Fu", b64.DecodeArray64("TAFu")},  // outside the alphabet reads as 'A'
      {QString::fromUtf16(u"T\u0157Fu"), "Man"},  // looked up by the low byte: U+0157 is 'W'
      {"TWE", "Ma"}, {"TQ", "M"}, {"TWFuT", "Man"},  // short final groups
  };
  for (const auto& [text, bytes] : cases) EXPECT_EQ(b64.DecodeArray64(text), bytes) << text.toStdString();
  EXPECT_EQ(b64.DecodeArray64("TWF\nu").size(), 3) << "a lone line feed counts as a character";
  for (const QString& empty : {QString(), QStringLiteral("=="), QStringLiteral("\r\n=")})
    EXPECT_EQ(test::FailureCode([&] { b64.DecodeArray64(empty); }), Base64::kErrNothingToDecode) << empty.toStdString();
}

TEST(Base64Codec, TextsAsUtf8AndLocale) {
  const Base64 b64;
  const QString korean = QStringLiteral("데이터베이스 업그레이드 — ünïcode €").repeated(3);
  EXPECT_EQ(b64.DecodeArray64(b64.EncodeUTF8AndBase64(korean)), korean.toUtf8());
  EXPECT_EQ(b64.DecodeUTF8AndBase64(b64.EncodeUTF8AndBase64(korean)), korean);
  EXPECT_EQ(b64.DecodeUTF8AndBase64(b64.EncodeArray64(QByteArray("ab\0cd", 5))), "ab") << "stops at a zero byte";
  EXPECT_EQ(b64.Encode64("Man"), "TWFu");
  EXPECT_EQ(b64.Decode64("TWFu"), "Man");
  // The locale conversion is that of FromCodePage: a cut sequence becomes
  // U+FFFD, a zero byte stays a character.
  EXPECT_EQ(b64.Decode64("Yek="), QStringLiteral("a\uFFFD"));
  EXPECT_EQ(b64.Decode64("YQBi"), QStringView(u"a\0b", 3).toString());
  const QString loneSurrogate = QStringLiteral("a") + QChar(0xD800);
  EXPECT_EQ(b64.Encode64(loneSurrogate), b64.EncodeArray64(ToCodePage(loneSurrogate, kCodePageAnsi, 0)));
}

}  // namespace
}  // namespace mt
