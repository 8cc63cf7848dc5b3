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

// Whichever quote comes first from the start position is the one; doubled
// quotes stay doubled; an unclosed value is empty (its close position 0 for
// a single quote, untouched for a double one).
TEST(GetQuotedValue, ValueAndPositions) {
  const struct {
    QString text;
    int start;
    QString value;
    int open, close;
  } cases[] = {
      {"x 'one' \"two\"", 1, "one", 3, 7},
      {"x \"it's\" 'b'", 1, "it's", 3, 8},
      {"'a' 'b'", 4, "b", 5, 7},
      {"TCodes, Code, \"구분\"\"코드\", Val, \"값\"", 7, "구분\"\"코드", 15, 22},
      {"no quotes", 1, "", -1, -1},
      {"a \"open", 1, "", 3, -1},
      {"a 'open", 1, "", 3, 0},
  };
  for (const auto& c : cases) {
    int open = -1, close = -1;
    EXPECT_EQ(GetQuotedValue(c.text, c.start, &open, &close), c.value) << c.text.toStdString();
    EXPECT_EQ(open, c.open) << c.text.toStdString();
    EXPECT_EQ(close, c.close) << c.text.toStdString();
  }
}

// Text helpers with one input and one output.
TEST(TextHelpers, GiveTheExpectedText) {
  using Fn = QString (*)(const QString&);
  const struct {
    Fn fn;
    const char* in;
    const char* out;
  } cases[] = {
      // Each bracket at a line end goes, until the text is stable.
      {StripEnclosingBrackets, "[TUserProfileStatistics]", "TUserProfileStatistics"},
      {StripEnclosingBrackets, "(([Name]))", "Name"},
      {StripEnclosingBrackets, "{[x]}", "x"},
      {StripEnclosingBrackets, "Name)", "Name"},
      {StripEnclosingBrackets, "a(b)c", "a(b)c"},
      {StripEnclosingBrackets, "", ""},
      {StripEnclosingBrackets, "[a]\n(b)", "a\nb"},
      {StripEnclosingBrackets, "[a]\r\n[b]", "a\r\nb"},
      {StripEnclosingBrackets, "(a)\r{b}\r\n", "a\rb\r\n"},
      // One space a run of spaces; other blanks stay.
      {CollapseSpaces, "a     b  c d", "a b c d"},
      {CollapseSpaces, "a\t\tb \t c", "a\t\tb \t c"},
      {CollapseSpaces, "   ", " "},
      // File names split at the last dot.
      {GetFileExtension, "a.b.log", "log"},
      {RemoveFileExtension, "a.b.log", "a.b"},
      {GetFileExtension, "name.", ""},
      {RemoveFileExtension, "name.", "name"},
      {GetFileExtension, "/x.d/log/trace", "d/log/trace"},
      {RemoveFileExtension, "plain", "plain"},
      {GetFileExtension, "plain", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.fn(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

}  // namespace
}  // namespace mt
