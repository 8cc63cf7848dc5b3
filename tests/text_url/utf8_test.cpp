#include <gtest/gtest.h>

#include "db/engine.h"
#include "text/utf8.h"

namespace mt {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray b;
  for (int v : values) b.append(static_cast<char>(v));
  return b;
}

const QString kEuro = QString(QChar(0x20AC));
const QChar kBad(0xFFFD);

TEST(EncodeUTF8, ReservedSpacesAndMultiByteCharacters) {
  const std::pair<QString, const char*> cases[] = {
      {"a b", "a%20b"},
      {"a/b?c=d&e", "a%2Fb%3Fc%3Dd%26e"},
      {"a-b_c.d'()*~{", "a-b_c.d'()*%7E%7B"},
      {"\"<>%\\^[]`+$,@:;!#\t", "%22%3C%3E%25%5C%5E%5B%5D%60%2B%24%2C%40%3A%3B%21%23%09"},
      {kEuro, "%E2%82%AC"},
      {QString::fromUtf8("한글"), "%ED%95%9C%EA%B8%80"},
      {QString::fromUtf8("\xF0\x9F\x98\x80"), "%F0%9F%98%80"},  // a surrogate pair is four bytes
      {QString::fromUtf16(u"ab\u0000c", 4), "ab"},                // the text ends at NUL
  };
  for (const auto& [text, encoded] : cases) EXPECT_EQ(EncodeUTF8(text, false), encoded) << text.toStdString();
  EXPECT_EQ(EncodeUTF8("a b", true), "a+b");
  EXPECT_THROW(EncodeUTF8(QString::fromUtf16(u"\u0000x", 2), false), DbError);
  EXPECT_THROW(PercentEncodeBytes(QByteArray(), false), DbError);
}

// Decoding: escapes, malformed escapes, the terminating zero, invalid sequences.
TEST(Decoding, PercentDecodeBytesAndDecodeUTF8) {
  const std::pair<const char*, QByteArray> cases[] = {
      {"%41B", Bytes({0x41, 0x42, 0})},
      {"%ff%4", Bytes({0xFF, 0x04, 0})},
      {"+", Bytes({'+', 0})},  // "+" is left alone here
      {"", QByteArray()},
      // A malformed escape gives a zero byte and skips two characters.
      {"%zz1", Bytes({0, 0x31, 0})},
      {"a%", Bytes({'a', 0, 0})},
      {"%-1x", Bytes({0, 'x', 0})},
  };
  for (const auto& [text, bytes] : cases) EXPECT_EQ(PercentDecodeBytes(text), bytes) << text;
  // The ANSI code set of a UTF-8 locale needs several bytes for a Korean
  // character: it decodes to zero.
  if (AnsiCodeSetName() == "UTF-8")
    EXPECT_EQ(PercentDecodeBytes(QString::fromUtf8("a한b")), Bytes({'a', 0, 'b', 0}));

  const std::pair<QString, QString> decoded[] = {
      {"%41%42+c", "AB c"},
      {"%E2%82%AC", kEuro},
      {"%ED%95%9C%EA%B8%80", QString::fromUtf8("한글")},
      {"ab%zzcd", "ab"},
      {"ab%00cd", "ab"},
      {QString::fromUtf8("a한b"), "a"},
      {"a%FFb", QString("a") + kBad + "b"},
  };
  for (const auto& [text, result] : decoded) EXPECT_EQ(DecodeUTF8(text), result) << text.toStdString();
  // A sequence cut off at the end is not silently dropped.
  const QString cut = DecodeUTF8("a%E2%82");
  EXPECT_TRUE(cut.size() >= 2 && cut == QLatin1Char('a') + QString(cut.size() - 1, kBad)) << cut.toStdString();
}

TEST(CodePages, RoundTripsNulTerminationAndStrictness) {
  const QString text = QString::fromUtf8("Ab 한글 \xF0\x9F\x98\x80 ") + kEuro;
  EXPECT_EQ(FromCodePage(ToCodePage(text, kCodePageAnsi, 0), kCodePageAnsi, 0), text);
  EXPECT_EQ(FromCodePage(QByteArray("ab\0cd", 5), kCodePageUtf8, 0), "ab");
  EXPECT_EQ(ToCodePage(QString::fromUtf16(u"ab\u0000c", 4), kCodePageUtf8, 0), QByteArray("ab"));
  // A byte-order mark is a character like any other.
  EXPECT_EQ(FromCodePage(QByteArray("\xEF\xBB\xBFx"), kCodePageUtf8, 0), QString(QChar(0xFEFF)) + "x");
  // The Korean Windows code page, and a Western one.
  EXPECT_EQ(ToCodePage(QString::fromUtf8("한"), 949, 0), Bytes({0xC7, 0xD1}));
  EXPECT_EQ(FromCodePage(Bytes({0xC7, 0xD1, 0xB1, 0xDB}), 949, 0), QString::fromUtf8("한글"));
  EXPECT_THROW(FromCodePage("x", 12345678, 0), DbError);
  EXPECT_THROW(ToCodePage("x", -7, 0), DbError);

  EXPECT_EQ(FromCodePage(Bytes({'a', 0xFF}), kCodePageUtf8, 0), QString("a") + kBad);
  EXPECT_THROW(FromCodePage(Bytes({'a', 0xFF}), kCodePageUtf8, kMbErrInvalidChars), DbError);
  EXPECT_THROW(ToCodePage(QString(QChar(0xD800)), kCodePageUtf8, kWcErrInvalidChars), DbError);
}

}  // namespace
}  // namespace mt
