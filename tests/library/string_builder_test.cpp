#include "text/string_builder.h"

#include <gtest/gtest.h>

#include "db/engine/engine.h"

namespace mt {
namespace {

int32_t ErrorCodeOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const DbError& e) {
    return e.code();
  }
  return 0;
}

TEST(StringBuilder, FreshInstanceIsEmpty) {
  cStringBuilder sb;
  EXPECT_EQ(sb.Length(), 0);
  EXPECT_EQ(sb.Capacity(), 0);
  EXPECT_EQ(sb.ChunkSize(), 8192);
  EXPECT_EQ(sb.ToString(), QString());
  EXPECT_EQ(sb.Find(QStringLiteral(" ")), 0);
}

TEST(StringBuilder, GrowsByWholeChunks) {
  cStringBuilder sb;
  sb.Append(QStringLiteral("x"));
  EXPECT_EQ(sb.Capacity(), 8192);
  sb.Append(QString(8191, QLatin1Char('y')));
  EXPECT_EQ(sb.Capacity(), 8192) << "exactly full must not grow";
  sb.Append(QStringLiteral("z"));
  EXPECT_EQ(sb.Capacity(), 16384);
  EXPECT_EQ(sb.Length(), 8193);

  cStringBuilder big;
  big.Append(QString(8193, QLatin1Char('a')));
  EXPECT_EQ(big.Capacity(), 16384);
  cStringBuilder bigger;
  bigger.Append(QString(20000, QLatin1Char('a')));
  EXPECT_EQ(bigger.Capacity(), 24576);

  cStringBuilder small;
  small.SetChunkSize(10);
  small.Append(QStringLiteral("abcdefghijk"));
  EXPECT_EQ(small.Capacity(), 20);
  small.Append(QString());
  EXPECT_EQ(small.Length(), 11);
}

TEST(StringBuilder, AppendKeepsContentAcrossGrowth) {
  cStringBuilder sb;
  sb.SetChunkSize(4);
  QString expected;
  for (int i = 0; i < 50; ++i) {
    const QString piece = QString::number(i) + QStringLiteral("가,");
    sb.Append(piece);
    expected += piece;
  }
  EXPECT_EQ(sb.ToString(), expected);
  EXPECT_EQ(sb.Length(), expected.size());
  EXPECT_EQ(sb.Capacity() % 4, 0);

  cStringBuilder nl;
  nl.AppendNL(QStringLiteral("a"));
  EXPECT_EQ(nl.ToString(), QStringLiteral("a\r\n"));
}

TEST(StringBuilder, SetTheStringAndClear) {
  cStringBuilder sb;
  sb.Append(QString(9000, QLatin1Char('a')));
  sb.SetTheString(QStringLiteral("short"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("short"));
  EXPECT_EQ(sb.Capacity(), 16384) << "a larger capacity stays";
  sb.Append(QStringLiteral("!"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("short!"));
  sb.SetTheString(QString());
  EXPECT_EQ(sb.Capacity(), 0);
  EXPECT_EQ(sb.Length(), 0);
  sb.SetTheString(QStringLiteral("new"));
  EXPECT_EQ(sb.Capacity(), 8192);
  sb.Clear();
  EXPECT_EQ(sb.ToString(), QString());
  EXPECT_EQ(sb.Capacity(), 0);
}

TEST(StringBuilder, InsertPositionsAndBounds) {
  cStringBuilder sb;
  sb.Append(QStringLiteral("bcd"));
  sb.Insert(0, QStringLiteral("a"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("abcd"));
  sb.Insert(sb.Length(), QStringLiteral("e"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("abcde"));
  sb.InsertByVal(2, QStringLiteral("XY"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("abXYcde"));
  EXPECT_EQ(sb.Capacity(), 8192);

  EXPECT_EQ(ErrorCodeOf([&] { sb.Insert(sb.Length() + 1, QStringLiteral("z")); }), 9);
  EXPECT_EQ(ErrorCodeOf([&] { sb.Insert(-1, QStringLiteral("z")); }), 9);
  EXPECT_EQ(sb.ToString(), QStringLiteral("abXYcde"));

  // Inserting past the capacity grows and keeps both halves.
  cStringBuilder full;
  full.SetChunkSize(4);
  full.Append(QStringLiteral("abcd"));
  full.Insert(2, QStringLiteral("123456"));
  EXPECT_EQ(full.ToString(), QStringLiteral("ab123456cd"));
  EXPECT_EQ(full.Capacity(), 12);
}

TEST(StringBuilder, RemoveBoundsAndHeapMinimize) {
  cStringBuilder sb;
  sb.Append(QStringLiteral("abcdef"));
  sb.Remove(sb.Length(), 0);
  EXPECT_EQ(sb.ToString(), QStringLiteral("abcdef"));
  sb.Remove(1, 2);
  EXPECT_EQ(sb.ToString(), QStringLiteral("adef"));
  EXPECT_EQ(ErrorCodeOf([&] { sb.Remove(2, 3); }), 9);
  EXPECT_EQ(ErrorCodeOf([&] { sb.Remove(5, 0); }), 9);
  EXPECT_EQ(ErrorCodeOf([&] { sb.Remove(1, -1); }), 9);
  EXPECT_EQ(sb.ToString(), QStringLiteral("adef"));
  sb.Append(QStringLiteral("g"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("adefg")) << "removed room must be reusable";

  cStringBuilder big;
  big.Append(QString(20000, QLatin1Char('a')));
  big.Remove(0, 15000);
  EXPECT_EQ(big.Capacity(), 24576);
  big.HeapMinimize();
  EXPECT_EQ(big.Capacity(), 8192);
  EXPECT_EQ(big.ToString(), QString(5000, QLatin1Char('a')));
  big.Clear();
  EXPECT_EQ(big.Capacity(), 0);
}

TEST(StringBuilder, FindStaysInsideTheContent) {
  cStringBuilder sb;
  sb.Append(QStringLiteral("Hello hello"));
  EXPECT_EQ(sb.Find(QStringLiteral("hello")), 7);
  EXPECT_EQ(sb.Find(QStringLiteral("hello"), 0, 1), 1);
  EXPECT_EQ(sb.Find(QStringLiteral("hello"), 2, 1), 7);
  EXPECT_EQ(sb.Find(QStringLiteral("o"), 6), 11);
  EXPECT_EQ(sb.Find(QStringLiteral("xyz")), 0);
  // The spare part of the buffer is spaces; they never count as content.
  EXPECT_EQ(sb.Find(QStringLiteral("o ")), 5);
  EXPECT_EQ(sb.Find(QStringLiteral("hello ")), 0);
  EXPECT_EQ(sb.Find(QStringLiteral("o"), 12), 0);
  sb.Remove(5, 6);
  EXPECT_EQ(sb.Find(QStringLiteral("hello")), 0) << "removed text must not be found";
}

TEST(StringBuilder, ChunkSizeLimits) {
  cStringBuilder sb;
  EXPECT_EQ(ErrorCodeOf([&] { sb.SetChunkSize(1 << 30); }), 6);
  EXPECT_EQ(ErrorCodeOf([&] { sb.SetChunkSize(0); }), 5);
  EXPECT_EQ(sb.ChunkSize(), 8192);
  sb.SetChunkSize(100);
  EXPECT_EQ(sb.ChunkSize(), 100);
}

}  // namespace
}  // namespace mt
