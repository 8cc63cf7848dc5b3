#include "text/base64.h"

#include <gtest/gtest.h>

#include "db/engine/engine.h"
#include "text/utf8.h"

namespace mt {
namespace {

QByteArray Bytes(int count) {
  QByteArray b;
  for (int i = 0; i < count; ++i) b += static_cast<char>((i * 37 + 11) & 0xFF);
  return b;
}

TEST(Base64Codec, PaddingOfShortGroups) {
  const Base64 b64;
  EXPECT_EQ(b64.EncodeArray64("Man"), QStringLiteral("TWFu"));
  EXPECT_EQ(b64.EncodeArray64("Ma"), QStringLiteral("TWE="));
  EXPECT_EQ(b64.EncodeArray64("M"), QStringLiteral("TQ=="));
  EXPECT_EQ(b64.EncodeArray64(QByteArray()), QString());
  // The 48 bytes whose 6-bit groups count 0 to 63 give the alphabet in order.
  const QByteArray all = QByteArray::fromHex(
      "00108310518720928b30d38f41149351559761969b71d79f8218a39259a7a29aabb2dbafc31cb3d35db7e39ebbf3dfbf");
  const QString alphabet =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
  EXPECT_EQ(b64.EncodeArray64(all), alphabet);
  EXPECT_EQ(b64.DecodeArray64(alphabet), all);
}

TEST(Base64Codec, LinesOf76Characters) {
  const Base64 b64;
  const QString one = b64.EncodeArray64(Bytes(57));
  EXPECT_EQ(one.size(), 76);
  EXPECT_FALSE(one.contains(QLatin1Char('\n')));

  const QString two = b64.EncodeArray64(Bytes(114));
  ASSERT_EQ(two.size(), 2 * 78);
  EXPECT_EQ(two.mid(76, 2), QStringLiteral("\r\n"));
  EXPECT_TRUE(two.endsWith(QStringLiteral("\r\n")));

  const QString tail = b64.EncodeArray64(Bytes(60));
  ASSERT_EQ(tail.size(), 76 + 2 + 4);
  EXPECT_EQ(tail.mid(76, 2), QStringLiteral("\r\n"));
  EXPECT_FALSE(tail.endsWith(QStringLiteral("\r\n")));

  for (int n : {1, 2, 3, 56, 57, 58, 113, 114, 115, 1000}) {
    EXPECT_EQ(b64.DecodeArray64(b64.EncodeArray64(Bytes(n))), Bytes(n)) << n << " bytes";
  }
}

TEST(Base64Codec, LenientDecoding) {
  const Base64 b64;
  EXPECT_EQ(b64.DecodeArray64(QStringLiteral("TWFu\r\nTWE=")), QByteArray("ManMa"));
  EXPECT_EQ(b64.DecodeArray64(QStringLiteral("TW=Fu")), QByteArray("Man"));
  // Outside the alphabet means "A" (value 0), looked up by the low byte.
  EXPECT_EQ(b64.DecodeArray64(QStringLiteral("T*Fu")), b64.DecodeArray64(QStringLiteral("TAFu")));
  EXPECT_EQ(b64.DecodeArray64(QString::fromUtf16(u"T\u0157Fu")), QByteArray("Man")) << "U+0157 reads as 'W'";
  // A lone line feed is not a line end: it counts as a character.
  EXPECT_EQ(b64.DecodeArray64(QStringLiteral("TWF\nu")).size(), 3);
  // Final groups of three and two values give two bytes and one byte; a
  // single value gives nothing.
  EXPECT_EQ(b64.DecodeArray64(QStringLiteral("TWE")), QByteArray("Ma"));
  EXPECT_EQ(b64.DecodeArray64(QStringLiteral("TQ")), QByteArray("M"));
  EXPECT_EQ(b64.DecodeArray64(QStringLiteral("TWFuT")), QByteArray("Man"));

  for (const QString& empty : {QString(), QStringLiteral("=="), QStringLiteral("\r\n=")}) {
    try {
      b64.DecodeArray64(empty);
      ADD_FAILURE() << "decoding nothing must fail";
    } catch (const DbError& e) {
      EXPECT_EQ(e.code(), 9);
    }
  }
}

TEST(Base64Codec, TextsAsUtf8AndLocale) {
  const Base64 b64;
  const QString korean = QStringLiteral("데이터베이스 업그레이드 — ünïcode €");
  const QString encoded = b64.EncodeUTF8AndBase64(korean);
  EXPECT_EQ(b64.DecodeArray64(encoded), korean.toUtf8());
  EXPECT_EQ(b64.DecodeUTF8AndBase64(encoded), korean);

  const QString longText = korean.repeated(10);
  const QString longEncoded = b64.EncodeUTF8AndBase64(longText);
  EXPECT_TRUE(longEncoded.contains(QStringLiteral("\r\n")));
  EXPECT_EQ(b64.DecodeUTF8AndBase64(longEncoded), longText);

  EXPECT_EQ(b64.EncodeUTF8AndBase64(QString()), QString());
  // The UTF-8 reading stops at the first zero byte.
  EXPECT_EQ(b64.DecodeUTF8AndBase64(b64.EncodeArray64(QByteArray("ab\0cd", 5))), QStringLiteral("ab"));

  EXPECT_EQ(b64.Encode64(QStringLiteral("Man")), QStringLiteral("TWFu"));
  EXPECT_EQ(b64.Decode64(QStringLiteral("TWFu")), QStringLiteral("Man"));
  EXPECT_EQ(b64.Encode64(QString()), QString());
  EXPECT_EQ(b64.Decode64(QString()), QString());
  // The ANSI code page conversion is the one of FromCodePage/ToCodePage: a
  // sequence cut off at the end becomes U+FFFD, a zero byte stays a character.
  EXPECT_EQ(b64.Decode64(QStringLiteral("Yek=")), QStringLiteral("a\uFFFD"));
  EXPECT_EQ(b64.Decode64(QStringLiteral("YQBi")), QStringView(u"a\0b", 3).toString());
  const QString loneSurrogate = QStringLiteral("a") + QChar(0xD800);
  EXPECT_EQ(b64.Encode64(loneSurrogate), b64.EncodeArray64(ToCodePage(loneSurrogate, kCodePageAnsi, 0)));
}

}  // namespace
}  // namespace mt
