#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "text/string_utils.h"

namespace mt {
namespace {

TEST(GetStringBetween, TakesPiecesAndAdvancesTheSearchPosition) {
  const QString sql = QStringLiteral("ALTER TABLE TFunctionPresets RENAME TO TSiteCategories");
  int pos = 1, s = -1, e = -1;
  EXPECT_EQ(GetStringBetween(sql, QStringLiteral("ALTER TABLE "), QStringLiteral(" RENAME "), pos, &s, &e),
            QStringLiteral("TFunctionPresets"));
  EXPECT_EQ(s, 1);
  EXPECT_EQ(e, 29);
  EXPECT_EQ(pos, 37);

  // Repeated calls walk through a list.
  const QString list = QStringLiteral("[a][bc][]");
  pos = 1;
  QStringList pieces;
  for (int i = 0; i < 3; ++i)
    pieces << GetStringBetween(list, QStringLiteral("["), QStringLiteral("]"), pos, &s, &e);
  EXPECT_EQ(pieces, (QStringList{QStringLiteral("a"), QStringLiteral("bc"), QString()}));
  EXPECT_EQ(s, 8);  // the empty piece still reports both delimiters
  EXPECT_EQ(e, 9);
  EXPECT_EQ(pos, 10);
}

TEST(GetStringBetween, MissingDelimitersLeaveTheSearchPositionAlone) {
  int pos = 3, s = -1, e = -1;
  EXPECT_EQ(GetStringBetween(QStringLiteral("abc(def"), QStringLiteral("<"), QStringLiteral(">"), pos, &s, &e),
            QString());
  EXPECT_EQ(s, 0);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(pos, 3);

  EXPECT_EQ(GetStringBetween(QStringLiteral("abc(def"), QStringLiteral("("), QStringLiteral(")"), pos, &s, &e),
            QString());
  EXPECT_EQ(s, 4);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(pos, 3);

  // The search starts at the search position: an earlier start is not seen.
  pos = 5;
  EXPECT_EQ(GetStringBetween(QStringLiteral("(a) (b)"), QStringLiteral("("), QStringLiteral(")"), pos, &s, &e),
            QStringLiteral("b"));
  EXPECT_EQ(s, 5);
}

TEST(GetStringBetween, InvalidSearchPositionIsLoggedAndGivesEmpty) {
  test::SpineScope scope;
  int pos = 0;
  EXPECT_EQ(GetStringBetween(QStringLiteral("(a)"), QStringLiteral("("), QStringLiteral(")"), pos), QString());
  EXPECT_EQ(pos, 0);
  ASSERT_EQ(scope.folder.LogMessages().size(), 1);
  EXPECT_TRUE(scope.folder.LogMessages()[0].startsWith(QStringLiteral("ERROR: modString.GetStringBetween Line = ")));
}

TEST(GetQuotedValue, UsesWhicheverQuoteComesFirst) {
  int open = -1, close = -1;
  EXPECT_EQ(GetQuotedValue(QStringLiteral("x 'one' \"two\""), 1, &open, &close), QStringLiteral("one"));
  EXPECT_EQ(open, 3);
  EXPECT_EQ(close, 7);
  EXPECT_EQ(GetQuotedValue(QStringLiteral("x \"it's\" 'b'"), 1, &open, &close), QStringLiteral("it's"));
  EXPECT_EQ(open, 3);
  EXPECT_EQ(close, 8);
  // From a later start the first quotes are skipped.
  EXPECT_EQ(GetQuotedValue(QStringLiteral("'a' 'b'"), 4, &open, &close), QStringLiteral("b"));
  EXPECT_EQ(open, 5);
}

TEST(GetQuotedValue, DoubledQuotesStayDoubledAndUnclosedValuesAreEmpty) {
  const QString desc = QStringLiteral("TCodes, Code, \"구분\"\"코드\", Val, \"값\"");
  int open = -1, close = -1;
  EXPECT_EQ(GetQuotedValue(desc, 7, &open, &close), QStringLiteral("구분\"\"코드"));
  EXPECT_EQ(open, 15);
  EXPECT_EQ(close, 22);

  open = close = -1;
  EXPECT_EQ(GetQuotedValue(QStringLiteral("no quotes"), 1, &open, &close), QString());
  EXPECT_EQ(open, -1);
  EXPECT_EQ(close, -1);

  EXPECT_EQ(GetQuotedValue(QStringLiteral("a \"open"), 1, &open, &close), QString());
  EXPECT_EQ(open, 3);
  EXPECT_EQ(close, -1);

  EXPECT_EQ(GetQuotedValue(QStringLiteral("a 'open"), 1, &open, &close), QString());
  EXPECT_EQ(open, 3);
  EXPECT_EQ(close, 0);
}

TEST(StripEnclosingBrackets, RemovesEachBracketAtLineEndsUntilStable) {
  EXPECT_EQ(StripEnclosingBrackets(QStringLiteral("[TUserProfileStatistics]")),
            QStringLiteral("TUserProfileStatistics"));
  EXPECT_EQ(StripEnclosingBrackets(QStringLiteral("(([Name]))")), QStringLiteral("Name"));
  EXPECT_EQ(StripEnclosingBrackets(QStringLiteral("{[x]}")), QStringLiteral("x"));
  EXPECT_EQ(StripEnclosingBrackets(QStringLiteral("Name)")), QStringLiteral("Name"));
  EXPECT_EQ(StripEnclosingBrackets(QStringLiteral("a(b)c")), QStringLiteral("a(b)c"));
  EXPECT_EQ(StripEnclosingBrackets(QString()), QString());
  EXPECT_EQ(StripEnclosingBrackets(QStringLiteral("[a]\n(b)")), QStringLiteral("a\nb"));
}

TEST(CollapseSpaces, LeavesOneSpacePerRunAndOtherBlanksAlone) {
  EXPECT_EQ(CollapseSpaces(QStringLiteral("a     b  c d")), QStringLiteral("a b c d"));
  EXPECT_EQ(CollapseSpaces(QStringLiteral("a\t\tb \t c")), QStringLiteral("a\t\tb \t c"));
  EXPECT_EQ(CollapseSpaces(QStringLiteral("   ")), QStringLiteral(" "));
}

TEST(FileNameHelpers, SplitAtTheLastDot) {
  EXPECT_EQ(GetFileExtension(QStringLiteral("a.b.log")), QStringLiteral("log"));
  EXPECT_EQ(RemoveFileExtension(QStringLiteral("a.b.log")), QStringLiteral("a.b"));
  EXPECT_EQ(GetFileExtension(QStringLiteral("name.")), QString());
  EXPECT_EQ(RemoveFileExtension(QStringLiteral("name.")), QStringLiteral("name"));
  EXPECT_EQ(GetFileExtension(QStringLiteral("/x.d/log/trace")), QStringLiteral("d/log/trace"));
  EXPECT_EQ(RemoveFileExtension(QStringLiteral("plain")), QStringLiteral("plain"));
  EXPECT_EQ(GetFileExtension(QStringLiteral("plain")), QString());
}

}  // namespace
}  // namespace mt
