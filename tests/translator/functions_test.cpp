// The Jet operators and built-in functions, evaluated by SQLite through the
// functions the translator installs.
#include <gtest/gtest.h>

#include <QDateTime>

#include "app/services.h"
#include "db/engine/jet_functions.h"
#include "support/fake_services.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

class Functions : public ::testing::Test {
 protected:
  test::JetSqlite db;
  QString Text(const QString& e) { return db.Eval(e).toString(); }
  double Number(const QString& e) { return db.Eval(e).toDouble(); }
  bool IsNull(const QString& e) { return db.Eval(e).isNull(); }
};

TEST_F(Functions, PlusConcatenatesTextAddsNumbersAndPropagatesNull) {
  EXPECT_EQ(Text("'12' + '3'"), "123");
  EXPECT_EQ(Number("12 + 3"), 15);
  EXPECT_EQ(Number("'12' + 3"), 15);
  EXPECT_TRUE(IsNull("'a' + NULL"));
  EXPECT_TRUE(IsNull("NULL + 1"));
  EXPECT_FALSE(db.EvalError("'abc' + 1").isEmpty());
  // '&' treats Null as empty text and writes numbers in Jet's form.
  EXPECT_EQ(Text("'a' & NULL & 'b'"), "ab");
  EXPECT_EQ(Text("1.5 & '|' & 3"), "1.5|3");
  EXPECT_EQ(Text("(1.0 + 1.0) & ''"), "2");
  EXPECT_TRUE(IsNull("NULL & NULL"));
}

TEST_F(Functions, ArithmeticFollowsJet) {
  EXPECT_DOUBLE_EQ(Number("7 / 2"), 3.5);
  EXPECT_EQ(Number("7 \\ 2"), 3);
  EXPECT_EQ(Number("-7 \\ 2"), -3);
  EXPECT_EQ(Number("2.5 \\ 1"), 2);  // operands round to even first
  EXPECT_EQ(Number("7 Mod 3"), 1);
  EXPECT_EQ(Number("-7 Mod 3"), -1);
  EXPECT_EQ(Number("2 ^ 10"), 1024);
  EXPECT_EQ(Number("-2 ^ 2"), -4);
  EXPECT_EQ(Number("2 + 3 * 4 - 1"), 13);
  EXPECT_EQ(db.EvalError("1 / 0"), "Division by zero");
  EXPECT_EQ(db.EvalError("1 Mod 0"), "Division by zero");
  EXPECT_EQ(Number("True"), -1);
  // Conditions used as values are Jet's True (-1) and False (0).
  EXPECT_EQ(Number("NOT False AND True"), -1);
  EXPECT_EQ(Number("2 > 1"), -1);
  EXPECT_EQ(Number("(1 = 1) = True"), -1);
  EXPECT_EQ(Number("IIF((1 = 2) = False, 7, 8)"), 7);
  EXPECT_EQ(Number("'a' IN ('a', 'b')"), -1);
}

TEST_F(Functions, LikeIgnoresCaseForAllScriptsAndHonoursWildcards) {
  EXPECT_TRUE(JetLikeMatch(u"Mobile_Naver_Channel", u"mobile_naver_channel"));
  EXPECT_TRUE(JetLikeMatch(u"MobileXNaverYChannel", u"Mobile_Naver_Channel"));
  EXPECT_FALSE(JetLikeMatch(u"Mobile_Naver_Channels", u"Mobile_Naver_Channel"));
  EXPECT_TRUE(JetLikeMatch(u"122|abc|x", u"122|%"));
  EXPECT_FALSE(JetLikeMatch(u"1122|", u"122|%"));
  EXPECT_TRUE(JetLikeMatch(u"", u""));
  EXPECT_FALSE(JetLikeMatch(u"a", u""));
  EXPECT_TRUE(JetLikeMatch(u"ÄÖÜ straße", u"äöü STRASSE") || JetLikeMatch(u"ÄÖÜ", u"äöü"));
  EXPECT_TRUE(JetLikeMatch(u"ΣΊΣΥΦΟΣ", u"σίσυφος"));
  EXPECT_TRUE(JetLikeMatch(u"Привет мир", u"%МИР"));
  EXPECT_TRUE(JetLikeMatch(u"한글 텍스트", u"%글_텍%"));
  EXPECT_TRUE(JetLikeMatch(u"b7", u"[a-c][0-9]"));
  EXPECT_FALSE(JetLikeMatch(u"d7", u"[a-c][0-9]"));
  EXPECT_TRUE(JetLikeMatch(u"x", u"[!a-c]"));
  EXPECT_TRUE(JetLikeMatch(u"a[b", u"a[b"));  // an unclosed '[' is literal
  EXPECT_TRUE(JetLikeMatch(u"aaaaaaaaaaaaaaaaaaaaaaaab", u"%a%a%a%a%a%a%b"));
  EXPECT_FALSE(JetLikeMatch(u"aaaaaaaaaaaaaaaaaaaaaaaaa", u"%a%a%a%a%a%a%b"));
  EXPECT_EQ(Number("'ABC' LIKE 'a%'"), -1);
  EXPECT_EQ(Number("'ABC' NOT LIKE 'a%'"), 0);
  EXPECT_TRUE(IsNull("NULL LIKE 'a'"));
}

TEST_F(Functions, NullTests) {
  EXPECT_EQ(Number("IsNull(NULL)"), -1);
  EXPECT_EQ(Number("IsNull('')"), 0);
  EXPECT_EQ(Text("IIF(ISNULL(NULL), 'empty', 'full')"), "empty");
  EXPECT_EQ(Text("IIf(1 > 2, 'a', 'b')"), "b");
  EXPECT_EQ(Text("Nz(NULL, 'd')"), "d");
  EXPECT_EQ(Text("Nz(NULL)"), "");
  EXPECT_EQ(Number("Nz(5, 0)"), 5);
}

TEST_F(Functions, TextFunctions) {
  EXPECT_EQ(Text("Mid('abcdef', 2, 3)"), "bcd");
  EXPECT_EQ(Text("Mid('abcdef', 4)"), "def");
  EXPECT_EQ(Text("Mid('abc', 10)"), "");
  EXPECT_EQ(Text("Mid$('한글텍스트', 2, 2)"), QString::fromUtf8("글텍"));
  EXPECT_TRUE(IsNull("Mid(NULL, 1)"));
  EXPECT_EQ(db.EvalError("Mid('abc', 0)"), "Invalid procedure call or argument");
  EXPECT_EQ(Number("InStr('abcabc', 'c')"), 3);
  EXPECT_EQ(Number("InStr(4, 'abcabc', 'c')"), 6);
  EXPECT_EQ(Number("InStr('abc', 'z')"), 0);
  EXPECT_EQ(Number("InStr('abc', 'B')"), 0);
  EXPECT_EQ(Number("InStr(1, 'abc', 'B', 1)"), 2);
  EXPECT_EQ(Number("InStr(2, 'abc', '')"), 2);
  EXPECT_EQ(Number("InStr(9, 'abc', 'a')"), 0);
  EXPECT_TRUE(IsNull("InStr(NULL, 'a')"));
  EXPECT_EQ(Number("Len('한글')"), 2);
  EXPECT_EQ(Text("Left('abcdef', 2) & Right('abcdef', 2)"), "abef");
  EXPECT_EQ(Text("'[' & Trim('  a b  ') & '][' & LTrim('  a ') & '][' & RTrim(' a  ') & ']'"), "[a b][a ][ a]");
  EXPECT_EQ(Text("UCase('straße') & LCase('ÄB')"), QString::fromUtf8("STRASSEäb"));
  EXPECT_EQ(Text("Replace('a-b-c', '-', '+')"), "a+b+c");
  EXPECT_EQ(Text("Replace('a-b-c', '-', '', 1, 1)"), "ab-c");
  EXPECT_EQ(Text("Space(2) & String(3, 'x')"), "  xxx");
  EXPECT_EQ(Number("StrComp('a', 'B', 1)"), -1);
  EXPECT_EQ(Text("Chr(65) & Asc('B')"), "A66");
}

TEST_F(Functions, Conversions) {
  EXPECT_EQ(Number("CLng(2.5)"), 2);
  EXPECT_EQ(Number("CLng(3.5)"), 4);
  EXPECT_EQ(Number("CLng(-2.5)"), -2);
  EXPECT_EQ(Number("CLng('  42 ')"), 42);
  EXPECT_EQ(Number("CInt(0.5)"), 0);
  EXPECT_EQ(db.EvalError("CLng(NULL)"), "Invalid use of Null");
  EXPECT_EQ(db.EvalError("CLng('x')"), "Data type mismatch in criteria expression.");
  EXPECT_EQ(db.EvalError("CInt(40000)"), "Overflow");
  EXPECT_EQ(db.EvalError("CLng(3000000000)"), "Overflow");
  EXPECT_DOUBLE_EQ(Number("CDbl('1.25')"), 1.25);
  EXPECT_EQ(Text("CStr(10) & CStr(2.50)"), "102.5");
  EXPECT_EQ(db.EvalError("CStr(NULL)"), "Invalid use of Null");
  EXPECT_EQ(Number("Val('  12abc')"), 12);
  EXPECT_EQ(Number("Val('1 2 3')"), 123);
  EXPECT_EQ(Number("Val('abc')"), 0);
  EXPECT_EQ(Number("Val('-1.5e2x')"), -150);
  EXPECT_EQ(Number("Val('&HFF')"), 255);
  EXPECT_EQ(Number("Int(-2.5) + Fix(-2.5)"), -5);
  EXPECT_EQ(Number("Abs(-3)"), 3);
  EXPECT_DOUBLE_EQ(Number("Round(0.125, 2)"), 0.12);  // half to even
  EXPECT_DOUBLE_EQ(Number("Round(2.5) + Round(3.5)"), 6);
  EXPECT_EQ(Number("CBool('true') + CBool(0)"), -1);
}

TEST_F(Functions, DateLiteralsAreDaySerials) {
  EXPECT_DOUBLE_EQ(Number("#1899-12-30#"), 0);
  EXPECT_DOUBLE_EQ(Number("#2024-07-03#"), 45476);
  EXPECT_DOUBLE_EQ(Number("#7/3/2024#"), 45476);
  EXPECT_DOUBLE_EQ(Number("#2024-07-03 06:00:00#"), 45476.25);
  EXPECT_DOUBLE_EQ(Number("#2024/07/03 6:00 PM#"), 45476.75);
  EXPECT_DOUBLE_EQ(Number("#1899-12-29 06:00#"), -1.25);  // Jet's encoding before the base day
  const QDateTime dt(QDate(2024, 7, 3), QTime(5, 38, 45));
  EXPECT_EQ(JetToDateTime(DateTimeToJet(dt)), dt);
  EXPECT_EQ(JetToDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
  EXPECT_EQ(JetToDateTime(45476.999999999), QDateTime(QDate(2024, 7, 4), QTime(0, 0)));
}

TEST_F(Functions, DateAddAndDateDiff) {
  auto date = [&](const QString& e) { return Text("Format(" + e + ", 'yyyy-mm-dd hh:nn:ss')"); };
  EXPECT_EQ(date("DateAdd('m', 1, #2024-01-31#)"), "2024-02-29 00:00:00");
  EXPECT_EQ(date("DateAdd(\"m\", -1, #2023-03-31 10:00#)"), "2023-02-28 10:00:00");
  EXPECT_EQ(date("DATEADD('yyyy', 1, #2024-02-29#)"), "2025-02-28 00:00:00");
  EXPECT_EQ(date("DateAdd('q', 1, #2024-11-30#)"), "2025-02-28 00:00:00");
  EXPECT_EQ(date("DateAdd('d', -3, #2024-03-01 12:00#)"), "2024-02-27 12:00:00");
  EXPECT_EQ(date("DateAdd('ww', 2, #2024-07-03#)"), "2024-07-17 00:00:00");
  EXPECT_EQ(date("DateAdd('h', 25, #2024-07-03 23:30#)"), "2024-07-05 00:30:00");
  EXPECT_EQ(date("DateAdd('n', -90, #2024-07-03 00:30#)"), "2024-07-02 23:00:00");
  EXPECT_EQ(date("DateAdd('s', 1, #1899-12-29 23:59:59#)"), "1899-12-30 00:00:00");
  EXPECT_TRUE(IsNull("DateAdd('d', 1, NULL)"));
  EXPECT_FALSE(db.EvalError("DateAdd('x', 1, #2024-01-01#)").isEmpty());
  EXPECT_EQ(Number("DateDiff('d', #2024-07-01 23:00#, #2024-07-03 01:00#)"), 2);
  EXPECT_EQ(Number("DateDiff('m', #2024-01-31#, #2024-02-01#)"), 1);
  EXPECT_EQ(Number("DateDiff('yyyy', #2023-12-31#, #2024-01-01#)"), 1);
  EXPECT_EQ(Number("DateDiff('h', #2024-07-03 10:59#, #2024-07-03 11:00#)"), 1);
  EXPECT_EQ(Number("DateDiff('ww', #2024-07-06#, #2024-07-07#)"), 1);  // Saturday to Sunday
  EXPECT_EQ(Number("DateDiff('w', #2024-07-06#, #2024-07-12#)"), 0);
  EXPECT_EQ(Number("DateDiff('d', #2024-07-03#, #2024-07-01#)"), -2);
  EXPECT_EQ(Number("Year(#2024-07-03#) * 10000 + Month(#2024-07-03#) * 100 + Day(#2024-07-03#)"), 20240703);
  EXPECT_EQ(Number("Hour(#5:38:45 PM#) * 10000 + Minute(#5:38:45 PM#) * 100 + Second(#5:38:45 PM#)"), 173845);
  EXPECT_EQ(Number("Weekday(#2024-07-07#)"), 1);  // Sunday
  EXPECT_EQ(Number("DateValue('2024-07-03 18:00:00')"), 45476);
  EXPECT_EQ(Number("Year('2024-07-03')"), 2024);
  EXPECT_EQ(Number("DateSerial(2024, 14, 1)"), Number("#2025-02-01#"));
}

TEST_F(Functions, NowDateAndTimeComeFromTheClock) {
  test::FakeClock clock;
  clock.now = QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45, 678));
  SetClock(&clock);
  EXPECT_EQ(Text("Format(Now(), 'yyyy-mm-dd hh:nn:ss')"), "2024-07-04 05:38:45");
  EXPECT_NEAR(Number("Now() - Int(Now())"), (5 * 3600 + 38 * 60 + 45) / 86400.0, 1e-9);
  EXPECT_EQ(Number("Date()"), 45477);
  EXPECT_DOUBLE_EQ(Number("Time()"), Number("Now() - Date()"));
  SetClock(nullptr);
}

TEST_F(Functions, FormatDatesNumbersAndText) {
  EXPECT_EQ(Text("Format(#2024-07-03 05:38:45#, 'yyyy-mm-dd hh:nn:ss')"), "2024-07-03 05:38:45");
  EXPECT_EQ(Text("Format(#2024-07-03#, 'yyyymmdd')"), "20240703");
  EXPECT_EQ(Text("Format(#2024-07-03 17:05:09#, 'h:m:s AM/PM')"), "5:5:9 PM");
  EXPECT_EQ(Text("Format(#2024-07-03#, 'd mmm yy, dddd')"), "3 Jul 24, Wednesday");
  EXPECT_EQ(Text("Format(#2024-07-03#, '\"Q\"q')"), "Q3");
  EXPECT_EQ(Text("Format('2024-07-03', 'yyyy.mm.dd')"), "2024.07.03");
  EXPECT_EQ(Text("Format(45476.5, 'yyyy-mm-dd hh:nn')"), "2024-07-03 12:00");
  EXPECT_EQ(Text("Format(5, '00')"), "05");
  EXPECT_EQ(Text("Format(2.45, '0.0')"), "2.5");
  EXPECT_EQ(Text("Format(2.5, '0')"), "3");
  EXPECT_EQ(Text("Format(-2.5, '0')"), "-3");
  EXPECT_EQ(Text("Format(1234567.891, '#,##0.00')"), "1,234,567.89");
  EXPECT_EQ(Text("Format(0.5, '#.##')"), ".5");
  EXPECT_EQ(Text("Format(0.256, '0.0%')"), "25.6%");
  EXPECT_EQ(Text("Format(5551234, '000-0000')"), "555-1234");
  EXPECT_EQ(Text("Format(-3, '0;(0)')"), "(3)");
  EXPECT_EQ(Text("Format(0, '0;(0);\"zero\"')"), "zero");
  EXPECT_EQ(Text("Format(12345, '0.00E+00')"), "1.23E+04");
  EXPECT_EQ(Text("Format('7', '00')"), "07");
  EXPECT_EQ(Text("Format(1, 'Yes/No') & Format(3.14159, 'Fixed')"), "Yes3.14");
  EXPECT_EQ(Text("Format('abc', '>')"), "ABC");
  EXPECT_TRUE(IsNull("Format(NULL, '0')"));
}

TEST_F(Functions, AggregatesFirstAndLastKeepNull) {
  db.RunSql("CREATE TABLE t (k INTEGER, v TEXT)");
  db.RunSql("INSERT INTO t VALUES (1, NULL), (1, 'b'), (2, 'c')");
  const std::vector<QVariantList> rows = db.Run("SELECT k, First(v), Last(v) FROM t GROUP BY k ORDER BY k");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_TRUE(rows[0][1].isNull());
  EXPECT_EQ(rows[0][2].toString(), "b");
  EXPECT_EQ(rows[1][1].toString(), "c");
}

}  // namespace
}  // namespace mt::engine
