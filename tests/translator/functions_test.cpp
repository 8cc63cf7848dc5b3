// The Jet operators and built-in functions, evaluated by SQLite through the
// functions the translator installs.
#include <gtest/gtest.h>

#include <QDateTime>

#include "app/services.h"
#include "db/jetsql/jet_functions.h"
#include "support/fake_services.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

class Functions : public ::testing::Test {
 protected:
  test::JetSqlite db;
  double Number(const QString& e) { return db.Eval(e).toDouble(); }

  // Each case: a Jet expression and what it evaluates to, as text; "<null>"
  // for Null, "!" and the message (or just "!") for an error.
  struct Case {
    const char* expression;
    const char* result;
  };
  void Check(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      QString got;
      try {
        const QVariant v = db.Eval(QString::fromUtf8(c.expression));
        got = v.isNull() ? QStringLiteral("<null>") : v.toString();
      } catch (const DbError& e) {
        got = QStringLiteral("!") + (QLatin1StringView(c.result) == "!" ? QString() : e.description());
      }
      EXPECT_EQ(got, QString::fromUtf8(c.result)) << c.expression;
    }
  }
};

// Jet's operators: '+' concatenates text, adds numbers and propagates Null.
TEST_F(Functions, OperatorsFollowJet) {
  Check({
      {"'12' + '3'", "123"}, {"12 + 3", "15"}, {"'12' + 3", "15"}, {"'a' + NULL", "<null>"},
      {"NULL + 1", "<null>"}, {"'abc' + 1", "!"},
      // '&' treats Null as empty text and writes numbers in Jet's form.
      {"'a' & NULL & 'b'", "ab"}, {"1.5 & '|' & 3", "1.5|3"}, {"(1.0 + 1.0) & ''", "2"},
      {"NULL & NULL", "<null>"}, {"1E20 & '|' & (0.1 + 0.2) & '|' & -0.5", "1E+20|0.3|-0.5"},
      {"7 / 2", "3.5"}, {"7 \\ 2", "3"}, {"-7 \\ 2", "-3"}, {"2.5 \\ 1", "2"},  // operands round to even first
      {"7 Mod 3", "1"}, {"-7 Mod 3", "-1"}, {"2 ^ 10", "1024"}, {"-2 ^ 2", "-4"}, {"2 + 3 * 4 - 1", "13"},
      {"1 / 0", "!Division by zero"}, {"1 Mod 0", "!Division by zero"}, {"True", "-1"},
      // Conditions used as values are Jet's True (-1) and False (0).
      {"NOT False AND True", "-1"}, {"2 > 1", "-1"}, {"(1 = 1) = True", "-1"},
      {"IIF((1 = 2) = False, 7, 8)", "7"}, {"'a' IN ('a', 'b')", "-1"},
      {"12 Xor 10", "6"}, {"12 Eqv 10", "-7"}, {"12 Imp 10", "-5"},  // bitwise on whole numbers
      // Negating a negative value must not write "--", which SQLite reads as
      // a comment that swallows the rest (1899-12-29 is day -1).
      {"-True", "1"}, {"- -1 + 2", "3"}, {"-#1899-12-29# * 10", "10"},
      {"IIF(-#1899-12-29# > 0, 'after', 'before')", "after"},
  });
}

TEST_F(Functions, LikeIgnoresCaseForAllScriptsAndHonoursWildcards) {
  const struct {
    const char16_t* text;
    const char16_t* pattern;
    bool matches;
  } likes[] = {
      {u"Mobile_Naver_Channel", u"mobile_naver_channel", true}, {u"122|abc|x", u"122|%", true},
      {u"MobileXNaverYChannel", u"Mobile_Naver_Channel", true}, {u"1122|", u"122|%", false},
      {u"Mobile_Naver_Channels", u"Mobile_Naver_Channel", false}, {u"", u"", true}, {u"a", u"", false},
      {u"ÄÖÜ", u"äöü", true}, {u"ΣΊΣΥΦΟΣ", u"σίσυφος", true}, {u"Привет мир", u"%МИР", true},
      {u"한글 텍스트", u"%글_텍%", true}, {u"b7", u"[a-c][0-9]", true}, {u"d7", u"[a-c][0-9]", false},
      {u"x", u"[!a-c]", true}, {u"a[b", u"a[b", true},  // an unclosed '[' is literal
      {u"aaaaaaaaaaaaaaaaaaaaaaaab", u"%a%a%a%a%a%a%b", true},
      {u"aaaaaaaaaaaaaaaaaaaaaaaaa", u"%a%a%a%a%a%a%b", false},
  };
  for (const auto& l : likes)
    EXPECT_EQ(JetLikeMatch(l.text, l.pattern), l.matches) << QString::fromUtf16(l.text).toStdString();
  Check({
      {"'ABC' LIKE 'a%'", "-1"}, {"'ABC' NOT LIKE 'a%'", "0"}, {"NULL LIKE 'a'", "<null>"},
  });
}

TEST_F(Functions, NullTextAndConversionFunctions) {
  Check({
      {"IsNull(NULL)", "-1"}, {"IsNull('')", "0"}, {"Nz(NULL, 'd')", "d"}, {"Nz(NULL)", ""}, {"Nz(5, 0)", "5"},
      {"Mid('abcdef', 2, 3)", "bcd"}, {"Mid('abcdef', 4)", "def"}, {"Mid('abc', 10)", ""},
      {"Mid$('한글텍스트', 2, 2)", "글텍"}, {"Mid(NULL, 1)", "<null>"},
      {"Mid('abc', 0)", "!Invalid procedure call or argument"}, {"InStr('abcabc', 'c')", "3"},
      {"InStr(4, 'abcabc', 'c')", "6"}, {"InStr('abc', 'B')", "0"}, {"InStr(1, 'abc', 'B', 1)", "2"},
      {"InStr(2, 'abc', '')", "2"}, {"InStr(9, 'abc', 'a')", "0"}, {"InStr(NULL, 'a')", "<null>"},
      {"InStrRev('abcabc', 'b')", "5"}, {"InStrRev('abcabc', 'b', 4)", "2"}, {"Len('한글')", "2"},
      {"Left('abcdef', 2) & Right('abcdef', 2)", "abef"},
      {"'[' & Trim('  a b  ') & '][' & LTrim('  a ') & '][' & RTrim(' a  ') & ']'", "[a b][a ][ a]"},
      {"UCase('straße') & LCase('ÄB')", "STRASSEäb"}, {"Replace('a-b-c', '-', '+')", "a+b+c"},
      {"Replace('a-b-c', '-', '', 1, 1)", "ab-c"}, {"Space(2) & String(3, 'x')", "  xxx"},
      {"StrComp('a', 'B', 1)", "-1"}, {"Chr(65) & Asc('B')", "A66"}, {"CLng(2.5)", "2"}, {"CLng(3.5)", "4"},
      {"CLng(-2.5)", "-2"}, {"CLng('  42 ')", "42"}, {"CInt(0.5)", "0"}, {"CLng(NULL)", "!Invalid use of Null"},
      {"CLng('x')", "!Data type mismatch in criteria expression."}, {"CInt(40000)", "!Overflow"},
      {"CLng(3000000000)", "!Overflow"}, {"CDbl(' 1.25 ')", "1.25"}, {"CDbl('12a')", "!"}, {"CDbl('')", "!"},
      {"CStr(10) & CStr(2.50)", "102.5"}, {"CStr(NULL)", "!Invalid use of Null"}, {"Val('  12abc')", "12"},
      {"Val('1 2 3')", "123"}, {"Val('abc')", "0"}, {"Val('.5')", "0.5"}, {"Val('1D2')", "100"},
      {"Val('-1.5e2x')", "-150"}, {"Val('&HFF')", "255"}, {"Val('&O17')", "15"}, {"Val(Chr(9) & '-3 4.5 .5')", "-34.5"},
      {"Int(-2.5) + Fix(-2.5)", "-5"}, {"Abs(-3)", "3"}, {"Round(0.125, 2)", "0.12"},  // half to even
      {"Round(2.5) + Round(3.5)", "6"}, {"CBool('true') + CBool(0)", "-1"},
  });
}

// Date literals are day serials (their texts are those of
// Dates.TextFormsJetReads), and DateAdd and DateDiff count as Jet does.
TEST_F(Functions, DateSerialsDateAddAndDateDiff) {
  const QDateTime dt(QDate(2024, 7, 3), QTime(5, 38, 45), Qt::UTC);
  EXPECT_EQ(JetToDateTime(DateTimeToJet(dt)), dt);
  EXPECT_EQ(JetToDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
  EXPECT_EQ(JetToDateTime(45476.999999999), QDateTime(QDate(2024, 7, 4), QTime(0, 0), Qt::UTC));
  // DateAdd keeps the time and clamps the day to the target month's end.
  const std::pair<const char*, const char*> adds[] = {
      {"'m', 1, #2024-01-31#", "2024-02-29 00:00:00"}, {"\"m\", -1, #2023-03-31 10:00#", "2023-02-28 10:00:00"},
      {"'yyyy', 1, #2024-02-29#", "2025-02-28 00:00:00"}, {"'q', 1, #2024-11-30#", "2025-02-28 00:00:00"},
      {"'d', -3, #2024-03-01 12:00#", "2024-02-27 12:00:00"}, {"'ww', 2, #2024-07-03#", "2024-07-17 00:00:00"},
      {"'h', 25, #2024-07-03 23:30#", "2024-07-05 00:30:00"}, {"'n', -90, #2024-07-03 00:30#", "2024-07-02 23:00:00"},
      {"'s', 1, #1899-12-29 23:59:59#", "1899-12-30 00:00:00"}};
  for (const auto& [arguments, stamp] : adds)
    EXPECT_EQ(db.Eval(QStringLiteral("Format(DATEADD(%1), 'yyyy-mm-dd hh:nn:ss')").arg(arguments)).toString(), stamp)
        << arguments;
  Check({
      {"#2024/07/03 6:00 PM#", "45476.75"}, {"#1899-12-29 06:00#", "-1.25"}, {"DateAdd('d', 1, NULL)", "<null>"},
      {"DateAdd('x', 1, #2024-01-01#)", "!"}, {"DateDiff('d', #2024-07-01 23:00#, #2024-07-03 01:00#)", "2"},
      {"DateDiff('m', #2024-01-31#, #2024-02-01#)", "1"}, {"DateDiff('yyyy', #2023-12-31#, #2024-01-01#)", "1"},
      {"DateDiff('h', #2024-07-03 10:59#, #2024-07-03 11:00#)", "1"},
      {"DateDiff('w', #2024-07-06#, #2024-07-12#)", "0"}, {"DateDiff('ww', #2024-07-06#, #2024-07-07#)", "1"},
      {"DateDiff('d', #2024-07-03#, #2024-07-01#)", "-2"}, {"Weekday(#2024-07-07#)", "1"},  // a Sunday
      {"Year(#2024-07-03#) * 10000 + Month(#2024-07-03#) * 100 + Day(#2024-07-03#)", "20240703"},
      {"Hour(#5:38:45 PM#) * 10000 + Minute(#5:38:45 PM#) * 100 + Second(#5:38:45 PM#)", "173845"},
      {"DateValue('2024-07-03 18:00:00')", "45476"}, {"Year('2024-07-03')", "2024"},
  });
  EXPECT_EQ(Number("DateSerial(2024, 14, 1)"), Number("#2025-02-01#"));
}

TEST_F(Functions, NowDateAndTimeComeFromTheClock) {
  test::FakeClock clock;
  clock.now = QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45, 678));
  SetClock(&clock);
  Check({{"Format(Now(), 'yyyy-mm-dd hh:nn:ss')", "2024-07-04 05:38:45"}, {"Date()", "45477"}});
  EXPECT_NEAR(Number("Now() - Int(Now())"), (5 * 3600 + 38 * 60 + 45) / 86400.0, 1e-9);  // whole seconds
  EXPECT_DOUBLE_EQ(Number("Time()"), Number("Now() - Date()"));
  SetClock(nullptr);
}

TEST_F(Functions, FormatDatesNumbersAndText) {
  Check({
      {"Format(#2024-07-03 05:38:45#, 'yyyy-mm-dd hh:nn:ss')", "2024-07-03 05:38:45"},
      {"Format(#2024-07-03 17:05:09#, 'h:m:s AM/PM')", "5:5:9 PM"},
      {"Format(#2024-07-03#, 'd mmm yy, dddd')", "3 Jul 24, Wednesday"},
      {"Format(#2024-07-03#, '\"Q\"q')", "Q3"}, {"Format('2024-07-03', 'yyyy.mm.dd')", "2024.07.03"},
      {"Format(45476.5, 'yyyy-mm-dd hh:nn')", "2024-07-03 12:00"}, {"Format(5, '00')", "05"},
      {"Format(2.45, '0.0')", "2.5"}, {"Format(2.5, '0')", "3"}, {"Format(-2.5, '0')", "-3"},
      {"Format(1234567.891, '#,##0.00')", "1,234,567.89"}, {"Format(0.5, '#.##')", ".5"},
      {"Format(0.256, '0.0%')", "25.6%"}, {"Format(5551234, '000-0000')", "555-1234"},
      {"Format(-3, '0;(0)')", "(3)"}, {"Format(0, '0;(0);\"zero\"')", "zero"},
      {"Format(12345, '0.00E+00')", "1.23E+04"}, {"Format('7', '00')", "07"},
      {"Format(1, 'Yes/No') & Format(3.14159, 'Fixed')", "Yes3.14"}, {"Format('abc', '>')", "ABC"},
      {"Format(NULL, '0')", "<null>"}, {"Format(#0:07:09#, 'hh:mm:ss')", "00:07:09"},  // mm after hh: minutes
      {"Format(#2024-01-05#, 'h AM/PM|h am/pm|hh a/p|ww w q')", "12 AM|12 am|12 a|1 6 1"},
      {"Format(#2024-01-05 0:07:09#, 'c')", "2024-01-05 00:07:09"}, {"Format(0.5, 'c')", "12:00:00"},
      {"Format(#2024-01-05#, 'mmmm d \\d\\a\\y y \"yyyy\"yyyy')", "January 5 day 5 yyyy2024"},
      {"Format(0, '#') & Format(1.5, '#.###') & Format(-0.001, '0.00')", "1.50.00"},
      {"Format(0.000123, '0.0E-00') & Format(999.99, '0.0E+0')", "1.2E-041.0E+3"},
  });
}

}  // namespace
}  // namespace mt::engine
