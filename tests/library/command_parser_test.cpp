#include "app/command_parser.h"

#include <gtest/gtest.h>

namespace mt {
namespace {

CCommandParser Parser(const QString& line, const QString& paramSep = QStringLiteral(" "),
                      const QString& nameSep = QStringLiteral("=")) {
  CCommandParser p;
  p.Initialize(line, paramSep, nameSep);
  return p;
}

TEST(CommandParser, GetParamIgnoresCaseAndFallsBackToTheDefault) {
  const CCommandParser p = Parser(QStringLiteral("a=1 b=2 empty= last=z"));
  EXPECT_EQ(p.GetParam(QStringLiteral("B")), QStringLiteral("2"));
  EXPECT_EQ(p.GetParam(QStringLiteral("a")), QStringLiteral("1"));
  EXPECT_EQ(p.GetParam(QStringLiteral("last")), QStringLiteral("z")) << "the last value runs to the end";
  EXPECT_EQ(p.GetParam(QStringLiteral("empty"), QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_EQ(p.GetParam(QStringLiteral("missing"), QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_EQ(p.GetParam(QStringLiteral("missing")), QString());
  EXPECT_EQ(CCommandParser().GetParam(QStringLiteral("a"), QStringLiteral("d")), QStringLiteral("d"));
  // A plain substring search: "b=" also finds the value of "ab=" that comes first.
  EXPECT_EQ(Parser(QStringLiteral("ab=1 b=2")).GetParam(QStringLiteral("b")), QStringLiteral("1"));
}

TEST(CommandParser, OtherSeparators) {
  const CCommandParser p =
      Parser(QStringLiteral("Host:db.local;Port:5432;User:관리자"), QStringLiteral(";"), QStringLiteral(":"));
  EXPECT_EQ(p.GetParam(QStringLiteral("port")), QStringLiteral("5432"));
  EXPECT_EQ(p.GetParam(QStringLiteral("user")), QStringLiteral("관리자"));
  EXPECT_EQ(p.Count(), 3);
  // Multi-character separators, matched without regard to case.
  CCommandParser q = Parser(QStringLiteral("a->1ANDb->2"), QStringLiteral("and"), QStringLiteral("->"));
  EXPECT_EQ(q.GetParam(QStringLiteral("a")), QStringLiteral("1"));
  q.SetParam(QStringLiteral("A"), QStringLiteral("9"));
  EXPECT_EQ(q.CommandLine(), QStringLiteral("a->9ANDb->2"));
}

TEST(CommandParser, SetParamReplacesOrAppends) {
  CCommandParser p = Parser(QStringLiteral("a=1 b=2"));
  p.SetParam(QStringLiteral("b"), QStringLiteral("5"));
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=1 b=5"));
  p.SetParam(QStringLiteral("A"), QStringLiteral("long value"));
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=long value b=5")) << "case ignored, separator kept";
  p.SetParam(QStringLiteral("c"), QStringLiteral("3"));
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=long value b=5 c=3"));
  p.SetParam(QStringLiteral("c"), QString());
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=long value b=5 c="));

  CCommandParser empty = Parser(QString());
  empty.SetParam(QStringLiteral("x"), QStringLiteral("7"));
  EXPECT_EQ(empty.CommandLine(), QStringLiteral("x=7"));
}

TEST(CommandParser, RemoveParamIsExactAndRemovesEveryCopy) {
  CCommandParser p = Parser(QStringLiteral("a=1 b=2"));
  p.RemoveParam(QStringLiteral("B"));
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=1 b=2"));
  p.RemoveParam(QStringLiteral("b"));
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=1"));

  CCommandParser copies = Parser(QStringLiteral("b=1 b=2 ab=3 b b=4"));
  copies.RemoveParam(QStringLiteral("b"));
  EXPECT_EQ(copies.CommandLine(), QStringLiteral("ab=3")) << "an item without '=' is named by all of it";

  CCommandParser blanks = Parser(QStringLiteral("a=1  b=2"));
  EXPECT_EQ(blanks.Count(), 2) << "the empty item between two blanks is not counted";
  blanks.RemoveParam(QStringLiteral("b"));
  EXPECT_EQ(blanks.CommandLine(), QStringLiteral("a=1 ")) << "the empty item is kept";

  CCommandParser only = Parser(QStringLiteral("a=1"));
  only.RemoveParam(QStringLiteral("a"));
  EXPECT_EQ(only.CommandLine(), QString());
  EXPECT_EQ(only.Count(), 0);
}

TEST(CommandParser, CountSkipsBlankItems) {
  const std::pair<const char*, int> cases[] = {{"a=1;  ;b=2;;c", 3}, {"a=1;\t;b", 3}, {"   ", 0}, {"", 0}};
  for (const auto& [line, count] : cases) EXPECT_EQ(Parser(line, QStringLiteral(";")).Count(), count) << line;
  EXPECT_EQ(CCommandParser().Count(), 0);
}

}  // namespace
}  // namespace mt
