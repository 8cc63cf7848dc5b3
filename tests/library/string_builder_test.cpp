#include "text/string_builder.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/failure_code.h"

namespace mt {
namespace {

using test::FailureCode;

TEST(StringBuilder, GrowsByWholeChunksAndShrinksOnlyWhenAsked) {
  const struct {
    int32_t chunk;
    std::vector<int> appends;  // lengths appended one after the other
    int32_t capacity;
  } cases[] = {
      {8192, {1, 8191}, 8192},  // exactly full must not grow
      {8192, {1, 8191, 1}, 16384},
      {8192, {20000}, 24576},
      {8192, {16385, 8192}, 32768},  // one chunk more, not twice as much
      {10, {11, 0}, 20},
  };
  for (const auto& c : cases) {
    cStringBuilder sb;
    sb.SetChunkSize(c.chunk);
    QString expected;  // content survives every growth step
    for (int n : c.appends) {
      const QString piece(n, QChar(char16_t(u'가' + expected.size() % 7)));
      sb.Append(piece);
      expected += piece;
    }
    EXPECT_EQ(sb.Capacity(), c.capacity) << c.appends.size() << " appends";
    EXPECT_EQ(sb.ToString(), expected);
  }
  cStringBuilder sb;
  sb.SetChunkSize(4);
  sb.AppendNL(QStringLiteral("a"));
  EXPECT_EQ(sb.ToString(), "a\r\n");
  EXPECT_EQ(FailureCode([&] { sb.SetChunkSize(1 << 30); }), cStringBuilder::kErrOverflow);
  EXPECT_EQ(FailureCode([&] { sb.SetChunkSize(0); }), cStringBuilder::kErrInvalidArgument);
  EXPECT_EQ(sb.ChunkSize(), 4);

  // A larger capacity stays when the text shrinks, until an empty text, Clear
  // or HeapMinimize gives it back.
  sb.Clear();
  sb.SetChunkSize(8192);
  sb.Append(QString(20000, QLatin1Char('a')));
  sb.SetTheString(QString(5000, QLatin1Char('a')));
  EXPECT_EQ(sb.Capacity(), 24576);
  sb.HeapMinimize();
  EXPECT_EQ(sb.Capacity(), 8192);
  EXPECT_EQ(sb.ToString(), QString(5000, QLatin1Char('a')));
  sb.SetTheString(QString());
  EXPECT_EQ(sb.Capacity(), 0);
  sb.SetTheString(QStringLiteral("new"));
  sb.Clear();
  EXPECT_EQ(sb.ToString() + QString::number(sb.Capacity()), QStringLiteral("0"));
}

TEST(StringBuilder, InsertAndRemoveWithinBounds) {
  cStringBuilder sb;
  sb.SetChunkSize(4);
  sb.Append(QStringLiteral("bcd"));
  sb.Insert(0, QStringLiteral("a"));
  sb.Insert(sb.Length(), QStringLiteral("e"));
  sb.InsertByVal(2, QStringLiteral("XY123"));  // past the capacity: grows, keeps both halves
  EXPECT_EQ(sb.ToString(), QStringLiteral("abXY123cde"));
  EXPECT_EQ(sb.Capacity(), 12);
  sb.Remove(sb.Length(), 0);
  sb.Remove(1, 6);
  EXPECT_EQ(sb.ToString(), QStringLiteral("acde"));
  for (const auto& bad : std::vector<std::function<void()>>{
           [&] { sb.Insert(sb.Length() + 1, QStringLiteral("z")); }, [&] { sb.Insert(-1, QStringLiteral("z")); },
           [&] { sb.Remove(2, 3); }, [&] { sb.Remove(5, 0); }, [&] { sb.Remove(1, -1); }})
    EXPECT_EQ(FailureCode(bad), cStringBuilder::kErrSubscript);
  sb.Append(QStringLiteral("g"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("acdeg")) << "removed room must be reusable";
}

TEST(StringBuilder, FindStaysInsideTheContent) {
  cStringBuilder sb;
  sb.Append(QStringLiteral("Hello hello"));
  const struct {
    const char* what;
    int32_t start, compare, at;
  } cases[] = {
      {"hello", 0, 0, 7}, {"hello", 0, 1, 1}, {"hello", 2, 1, 7}, {"o", 6, 0, 11}, {"xyz", 0, 0, 0},
      // The spare part of the buffer is spaces; they never count as content.
      {"hello ", 0, 0, 0}, {"o", 12, 0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(sb.Find(c.what, c.start, c.compare), c.at) << c.what << " from " << c.start;
  sb.Remove(5, 6);
  EXPECT_EQ(sb.Find(QStringLiteral("hello")), 0) << "removed text must not be found";
}

}  // namespace
}  // namespace mt
