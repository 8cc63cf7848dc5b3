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
  const std::pair<const char*, const char*> cases[] = {
      {"B", "2"}, {"a", "1"}, {"last", "z"}, {"empty", "d"}, {"missing", "d"}};
  for (const auto& [key, value] : cases) EXPECT_EQ(p.GetParam(key, QStringLiteral("d")), value) << key;
  EXPECT_EQ(CCommandParser().GetParam(QStringLiteral("a")), QString());
  // A plain substring search: "b=" also finds the value of "ab=" that comes first.
  EXPECT_EQ(Parser(QStringLiteral("ab=1 b=2")).GetParam(QStringLiteral("b")), QStringLiteral("1"));
  // Other separators, several characters long, matched without regard to case.
  const CCommandParser q = Parser(QStringLiteral("a->1ANDUser->관리자"), QStringLiteral("and"), QStringLiteral("->"));
  EXPECT_EQ(q.GetParam(QStringLiteral("user")), QStringLiteral("관리자"));
}

TEST(CommandParser, SetParamReplacesOrAppends) {
  CCommandParser p = Parser(QStringLiteral("a=1 b=2"));
  p.SetParam(QStringLiteral("A"), QStringLiteral("long value"));
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=long value b=2")) << "case ignored, separator kept";
  p.SetParam(QStringLiteral("c"), QString());
  EXPECT_EQ(p.CommandLine(), QStringLiteral("a=long value b=2 c="));
  CCommandParser empty = Parser(QString());
  empty.SetParam(QStringLiteral("x"), QStringLiteral("7"));
  EXPECT_EQ(empty.CommandLine(), QStringLiteral("x=7"));
}

TEST(CommandParser, RemoveParamIsExactAndCountSkipsBlankItems) {
  const struct {
    const char* line;
    const char* key;
    const char* after;
  } cases[] = {
      {"a=1 b=2", "B", "a=1 b=2"},
      {"b=1 b=2 ab=3 b b=4", "b", "ab=3"},  // every copy; an item without '=' is named by all of it
      {"a=1  b=2", "b", "a=1 "},            // the empty item is kept
      {"a=1", "a", ""},
  };
  for (const auto& c : cases) {
    CCommandParser p = Parser(QString::fromUtf8(c.line));
    p.RemoveParam(QString::fromUtf8(c.key));
    EXPECT_EQ(p.CommandLine(), QString::fromUtf8(c.after)) << c.line;
  }
  const std::pair<const char*, int> counts[] = {{"a=1;  ;b=2;;c", 3}, {"a=1;\t;b", 3}, {"   ", 0}, {"", 0}};
  for (const auto& [line, count] : counts) EXPECT_EQ(Parser(line, QStringLiteral(";")).Count(), count) << line;
}

}  // namespace
}  // namespace mt
