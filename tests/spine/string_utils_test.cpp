#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "text/string_utils.h"

namespace mt {
namespace {

// The piece between the delimiters from the search position on, their
// positions, and the search position moved past the end delimiter; a
// missing delimiter leaves the search position alone, an invalid one is logged.
TEST(GetStringBetween, PieceDelimiterPositionsAndNextSearchPosition) {
  test::SpineScope scope;
  const struct {
    const char *text, *open, *close;
    int pos;
    const char* result;  // piece, start, end, next search position
  } cases[] = {
      {"ALTER TABLE TFunctionPresets RENAME TO T", "ALTER TABLE ", " RENAME ", 1, "TFunctionPresets 1 29 37"},
      {"[a][bc][]", "[", "]", 4, "bc 4 7 8"},
      {"[a][bc][]", "[", "]", 8, " 8 9 10"},  // the empty piece still reports both delimiters
      {"(a) (b)", "(", ")", 2, "b 5 7 8"},    // an earlier start is not seen
      {"abc(def", "<", ">", 3, " 0 0 3"},
      {"abc(def", "(", ")", 3, " 4 0 3"},
      {"(a)", "(", ")", 0, " 0 0 0"},
  };
  for (const auto& c : cases) {
    int pos = c.pos, s = -1, e = -1;
    const QString piece = GetStringBetween(c.text, c.open, c.close, pos, &s, &e);
    EXPECT_EQ(QStringLiteral("%1 %2 %3 %4").arg(piece).arg(s).arg(e).arg(pos), QString::fromLatin1(c.result)) << c.text;
  }
  EXPECT_EQ(scope.folder.ErrorLines(QStringLiteral("modString.GetStringBetween Line = ")), 1);
}

// Whichever quote comes first from the start position is the one; doubled
// quotes stay doubled; an unclosed value is empty (its close position 0 for
// a single quote, untouched for a double one).
TEST(GetQuotedValue, ValueAndPositions) {
  const struct {
    QString text;
    int start;
    QString result;  // value, open and close position
  } cases[] = {
      {"x 'one' \"two\"", 1, "one 3 7"},
      {"x \"it's\" 'b'", 1, "it's 3 8"},
      {"'a' 'b'", 4, "b 5 7"},
      {"TCodes, Code, \"구분\"\"코드\", Val, \"값\"", 7, "구분\"\"코드 15 22"},
      {"no quotes", 1, " -1 -1"},
      {"a \"open", 1, " 3 -1"},
      {"a 'open", 1, " 3 0"},
  };
  for (const auto& c : cases) {
    int open = -1, close = -1;
    const QString value = GetQuotedValue(c.text, c.start, &open, &close);
    EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(value).arg(open).arg(close), c.result) << c.text.toStdString();
  }
}

// Text helpers with one input and one output (their plain cases are met in
// the catalogue statements, the statement text and the log's rotation).
TEST(TextHelpers, GiveTheExpectedText) {
  using Fn = QString (*)(const QString&);
  const struct {
    Fn fn;
    const char* in;
    const char* out;
  } cases[] = {
      // Each bracket at a line end goes, until the text is stable.
      {StripEnclosingBrackets, "(([Name]))", "Name"},
      {StripEnclosingBrackets, "a(b)c", "a(b)c"},
      {StripEnclosingBrackets, "[a]\r\n[b]", "a\r\nb"},
      {StripEnclosingBrackets, "(a)\r{b}\r\n", "a\rb\r\n"},
      // One space a run of spaces; other blanks stay.
      {CollapseSpaces, "a\t\tb \t c", "a\t\tb \t c"},
      {CollapseSpaces, "   ", " "},
      // File names split at the last dot.
      {GetFileExtension, "a.b.log", "log"},
      {RemoveFileExtension, "a.b.log", "a.b"},
      {GetFileExtension, "/x.d/log/trace", "d/log/trace"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.fn(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

}  // namespace
}  // namespace mt
