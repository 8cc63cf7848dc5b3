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

TEST(StringBuilder, GrowsByWholeChunksNeverByDoubling) {
  cStringBuilder fresh;
  EXPECT_EQ(fresh.Capacity(), 0);
  EXPECT_EQ(fresh.ChunkSize(), 8192);
  EXPECT_EQ(fresh.Find(QStringLiteral(" ")), 0);

  struct Case {
    int32_t chunk;
    std::vector<int> appends;  // lengths appended one after the other
    int32_t capacity;
  };
  const Case cases[] = {
      {8192, {1}, 8192},
      {8192, {1, 8191}, 8192},  // exactly full must not grow
      {8192, {1, 8191, 1}, 16384},
      {8192, {8193}, 16384},
      {8192, {20000}, 24576},
      {8192, {16385, 8192}, 32768},  // one chunk more, not twice as much
      {10, {11, 0}, 20},
  };
  for (const Case& c : cases) {
    cStringBuilder sb;
    sb.SetChunkSize(c.chunk);
    int length = 0;
    for (int n : c.appends) {
      sb.Append(QString(n, QLatin1Char('y')));
      length += n;
    }
    EXPECT_EQ(sb.Capacity(), c.capacity) << c.appends.size() << " appends, " << length << " chars";
    EXPECT_EQ(sb.Length(), length);
  }

  // Content survives every growth step.
  cStringBuilder sb;
  sb.SetChunkSize(4);
  QString expected;
  for (int i = 0; i < 50; ++i) {
    const QString piece = QString::number(i) + QStringLiteral("가,");
    sb.Append(piece);
    expected += piece;
  }
  EXPECT_EQ(sb.ToString(), expected);
  EXPECT_EQ(sb.Capacity() % 4, 0);
  cStringBuilder nl;
  nl.AppendNL(QStringLiteral("a"));
  EXPECT_EQ(nl.ToString(), QStringLiteral("a\r\n"));

  EXPECT_EQ(ErrorCodeOf([&] { sb.SetChunkSize(1 << 30); }), 6);
  EXPECT_EQ(ErrorCodeOf([&] { sb.SetChunkSize(0); }), 5);
  EXPECT_EQ(sb.ChunkSize(), 4);
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

TEST(StringBuilder, InsertAndRemoveWithinBounds) {
  cStringBuilder sb;
  sb.Append(QStringLiteral("bcd"));
  sb.Insert(0, QStringLiteral("a"));
  sb.Insert(sb.Length(), QStringLiteral("e"));
  sb.InsertByVal(2, QStringLiteral("XY"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("abXYcde"));
  sb.Remove(sb.Length(), 0);
  sb.Remove(1, 2);
  EXPECT_EQ(sb.ToString(), QStringLiteral("aYcde"));
  for (const auto& bad : std::vector<std::function<void()>>{
           [&] { sb.Insert(sb.Length() + 1, QStringLiteral("z")); },
           [&] { sb.Insert(-1, QStringLiteral("z")); }, [&] { sb.Remove(3, 3); },
           [&] { sb.Remove(6, 0); }, [&] { sb.Remove(1, -1); }})
    EXPECT_EQ(ErrorCodeOf(bad), 9);
  EXPECT_EQ(sb.ToString(), QStringLiteral("aYcde"));
  sb.Append(QStringLiteral("g"));
  EXPECT_EQ(sb.ToString(), QStringLiteral("aYcdeg")) << "removed room must be reusable";

  // Inserting past the capacity grows and keeps both halves.
  cStringBuilder full;
  full.SetChunkSize(4);
  full.Append(QStringLiteral("abcd"));
  full.Insert(2, QStringLiteral("123456"));
  EXPECT_EQ(full.ToString(), QStringLiteral("ab123456cd"));
  EXPECT_EQ(full.Capacity(), 12);

  cStringBuilder big;
  big.Append(QString(20000, QLatin1Char('a')));
  big.Remove(0, 15000);
  EXPECT_EQ(big.Capacity(), 24576);
  big.HeapMinimize();
  EXPECT_EQ(big.Capacity(), 8192);
  EXPECT_EQ(big.ToString(), QString(5000, QLatin1Char('a')));
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

}  // namespace
}  // namespace mt
