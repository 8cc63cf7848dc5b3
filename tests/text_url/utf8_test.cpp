#include <gtest/gtest.h>

#include "db/engine/engine.h"
#include "text/utf8.h"

namespace mt {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray b;
  for (int v : values) b.append(static_cast<char>(v));
  return b;
}

const QString kEuro = QString(QChar(0x20AC));

TEST(EncodeUTF8, SpacesAndReservedCharacters) {
  EXPECT_EQ(EncodeUTF8("a b", false), "a%20b");
  EXPECT_EQ(EncodeUTF8("a b", true), "a+b");
  EXPECT_EQ(EncodeUTF8("a/b?c=d&e", false), "a%2Fb%3Fc%3Dd%26e");
  EXPECT_EQ(EncodeUTF8("a-b_c.d", false), "a-b_c.d");
  EXPECT_EQ(EncodeUTF8("'()*", false), "'()*");
  EXPECT_EQ(EncodeUTF8("~{|}", false), "%7E%7B%7C%7D");
  EXPECT_EQ(EncodeUTF8("\"<>%\\^[]`+$,@:;!#", false),
            "%22%3C%3E%25%5C%5E%5B%5D%60%2B%24%2C%40%3A%3B%21%23");
  EXPECT_EQ(EncodeUTF8("a\tb\n", false), "a%09b%0A");
  EXPECT_EQ(EncodeUTF8("", false), "");
}

TEST(EncodeUTF8, MultiByteCharacters) {
  EXPECT_EQ(EncodeUTF8(kEuro, false), "%E2%82%AC");
  EXPECT_EQ(EncodeUTF8(QString::fromUtf8("한글"), false), "%ED%95%9C%EA%B8%80");
  // A character outside the basic plane (a surrogate pair) is four bytes.
  EXPECT_EQ(EncodeUTF8(QString::fromUtf8("\xF0\x9F\x98\x80"), false), "%F0%9F%98%80");
}

TEST(EncodeUTF8, TextEndsAtNulAndLeadingNulFails) {
  QString withNul = QStringLiteral("ab");
  withNul.append(QChar(0)).append(QLatin1Char('c'));
  EXPECT_EQ(EncodeUTF8(withNul, false), "ab");
  QString leading(QChar(0));
  leading.append(QLatin1Char('x'));
  EXPECT_THROW(EncodeUTF8(leading, false), DbError);
  EXPECT_THROW(PercentEncodeBytes(QByteArray(), false), DbError);
}

TEST(PercentDecodeBytes, EscapesAndTerminator) {
  EXPECT_EQ(PercentDecodeBytes("%41B"), Bytes({0x41, 0x42, 0}));
  EXPECT_EQ(PercentDecodeBytes("%4"), Bytes({0x04, 0}));
  EXPECT_EQ(PercentDecodeBytes("%ff%0a"), Bytes({0xFF, 0x0A, 0}));
  EXPECT_TRUE(PercentDecodeBytes("").isEmpty());
  // "+" is left alone here.
  EXPECT_EQ(PercentDecodeBytes("+"), Bytes({'+', 0}));
}

TEST(PercentDecodeBytes, MalformedEscapesGiveZeroAndSkipTwoCharacters) {
  EXPECT_EQ(PercentDecodeBytes("%zz1"), Bytes({0, 0x31, 0}));
  EXPECT_EQ(PercentDecodeBytes("%4z1"), Bytes({0, 0x31, 0}));
  EXPECT_EQ(PercentDecodeBytes("a%"), Bytes({'a', 0, 0}));
  EXPECT_EQ(PercentDecodeBytes("%-1x"), Bytes({0, 'x', 0}));
}

TEST(PercentDecodeBytes, CharactersWiderThanOneAnsiByteGiveZero) {
  // The ANSI code set of a UTF-8 locale needs several bytes for these.
  if (AnsiCodeSetName() != "UTF-8") GTEST_SKIP() << "locale code set is not UTF-8";
  EXPECT_EQ(PercentDecodeBytes(QString::fromUtf8("a한b")), Bytes({'a', 0, 'b', 0}));
}

TEST(DecodeUTF8, Decodes) {
  EXPECT_EQ(DecodeUTF8("%41%42+c"), "AB c");
  EXPECT_EQ(DecodeUTF8("%E2%82%AC"), kEuro);
  EXPECT_EQ(DecodeUTF8("%ED%95%9C%EA%B8%80"), QString::fromUtf8("한글"));
  EXPECT_EQ(DecodeUTF8(""), "");
  EXPECT_EQ(DecodeUTF8("plain"), "plain");
}

TEST(DecodeUTF8, StopsAtFirstZeroByte) {
  EXPECT_EQ(DecodeUTF8("ab%zzcd"), "ab");
  EXPECT_EQ(DecodeUTF8("ab%00cd"), "ab");
  EXPECT_EQ(DecodeUTF8(QString::fromUtf8("a한b")), "a");
}

TEST(DecodeUTF8, InvalidUtf8BecomesReplacementCharacter) {
  EXPECT_EQ(DecodeUTF8("a%FFb"), QString("a") + QChar(0xFFFD) + "b");
  // A sequence cut off at the end is not silently dropped.
  const QString cut = DecodeUTF8("a%E2%82");
  ASSERT_GE(cut.size(), 2);
  EXPECT_EQ(cut.at(0), QLatin1Char('a'));
  for (qsizetype i = 1; i < cut.size(); ++i) EXPECT_EQ(cut.at(i), QChar(0xFFFD));
}

TEST(EncodeDecode, RoundTripThroughPercentEncoding) {
  const QString samples[] = {QStringLiteral("a b+c&d=e/f?g"), QString::fromUtf8("검색어 1+1 €"),
                             QStringLiteral("100%"), QStringLiteral("~!*'()")};
  for (const QString& s : samples) EXPECT_EQ(DecodeUTF8(EncodeUTF8(s, false)), s) << s.toStdString();
  for (const QString& s : samples) EXPECT_EQ(DecodeUTF8(EncodeUTF8(s, true)), s) << s.toStdString();
}

TEST(CodePages, Utf8RoundTripAndNulTermination) {
  const QString text = QString::fromUtf8("Ab 한글 \xF0\x9F\x98\x80 ") + kEuro;
  EXPECT_EQ(FromCodePage(ToCodePage(text, kCodePageUtf8, 0), kCodePageUtf8, 0), text);
  EXPECT_EQ(FromCodePage(QByteArray(), kCodePageUtf8, 0), "");
  EXPECT_EQ(FromCodePage(QByteArray("ab\0cd", 5), kCodePageUtf8, 0), "ab");
  QString withNul = QStringLiteral("ab");
  withNul.append(QChar(0)).append(QLatin1Char('c'));
  EXPECT_EQ(ToCodePage(withNul, kCodePageUtf8, 0), QByteArray("ab"));
  // A byte-order mark is a character like any other.
  EXPECT_EQ(FromCodePage(QByteArray("\xEF\xBB\xBFx"), kCodePageUtf8, 0), QString(QChar(0xFEFF)) + "x");
}

TEST(CodePages, AnsiAndOtherCodePages) {
  const QString text = QString::fromUtf8("plain 한글");
  EXPECT_EQ(FromCodePage(ToCodePage(text, kCodePageAnsi, 0), kCodePageAnsi, 0), text);
  // The Korean Windows code page.
  EXPECT_EQ(ToCodePage(QString::fromUtf8("한"), 949, 0), Bytes({0xC7, 0xD1}));
  EXPECT_EQ(FromCodePage(Bytes({0xC7, 0xD1, 0xB1, 0xDB}), 949, 0), QString::fromUtf8("한글"));
  EXPECT_EQ(FromCodePage(Bytes({0xE9}), 1252, 0), QString(QChar(0xE9)));
  EXPECT_THROW(FromCodePage("x", 12345678, 0), DbError);
  EXPECT_THROW(ToCodePage("x", -7, 0), DbError);
}

TEST(CodePages, StrictFlagRejectsInvalidInput) {
  EXPECT_EQ(FromCodePage(Bytes({'a', 0xFF}), kCodePageUtf8, 0), QString("a") + QChar(0xFFFD));
  EXPECT_THROW(FromCodePage(Bytes({'a', 0xFF}), kCodePageUtf8, kMbErrInvalidChars), DbError);
  const QString loneSurrogate(QChar(0xD800));
  EXPECT_THROW(ToCodePage(loneSurrogate, kCodePageUtf8, kWcErrInvalidChars), DbError);
}

}  // namespace
}  // namespace mt
