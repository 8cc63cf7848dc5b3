// Data statements translate into SQLite that does what Jet does with them,
// checked by running the translation against real tables.
#include <gtest/gtest.h>

#include <string_view>

#include "db/jetsql/translator.h"
#include "support/failure_code.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

// Five tasks (S1/S0 alternating, Arg1 a1..a5, Range 10..50), a log row of
// task 1 and an orphan one, and codes that differ only in letter case.
class Statements : public ::testing::Test {
 protected:
  void SetUp() override {
    db.Run("CREATE TABLE TTaskList (IDX AUTOINCREMENT, SiteCategory TEXT(255), Arg1 MEMO, Arg2 MEMO, "
           "ContentKey MEMO, Range LONG DEFAULT 0, [Type] LONG DEFAULT 0, IsDeleted BIT DEFAULT False, "
           "CONSTRAINT PrimaryKey PRIMARY KEY (IDX))");
    db.Run("CREATE TABLE TTaskLog (TaskIDX LONG NOT NULL, LogDate DATETIME DEFAULT Now(), "
           "Arg1 MEMO, ContentKey MEMO, UserIDX LONG DEFAULT 0, UserId TEXT(50))");
    db.Run("CREATE TABLE [TCodes] ([Code] MEMO, [Val] LONG, [ValText] MEMO, [Description] MEMO)");
    for (int i = 1; i <= 5; ++i)
      db.Run(QStringLiteral("INSERT INTO TTaskList (SiteCategory, Arg1, Range) VALUES ('S%1', 'a%2', %3)")
                 .arg(i % 2).arg(i).arg(i * 10));
    db.Run("INSERT INTO TTaskLog (TaskIDX, Arg1, ContentKey) VALUES (1, 'log1', '102|k1')");
    db.Run("INSERT INTO TTaskLog (TaskIDX, Arg1, ContentKey) VALUES (9, 'orphan', '0|k9')");
    db.RunSql("INSERT INTO TCodes (Code, Val, ValText, Description) VALUES ('Straße', 1, 'Ärger', 'first'), "
              "('other', 2, 'b', NULL), ('STRASSE', 3, '', NULL), ('OTHER', 4, '', NULL)");
  }
  // The rows of a query as text: fields joined by '|', rows by ';'.
  QString Rows(const QString& jet) {
    QStringList rows;
    for (const QVariantList& row : db.Run(jet)) {
      QStringList fields;
      for (const QVariant& v : row) fields << (v.isNull() ? QStringLiteral("<null>") : v.toString());
      rows << fields.join(u'|');
    }
    return rows.join(u';');
  }
  test::JetSqlite db;
};

// Select shapes, joins, quoted keyword names; text compared with literals
// ignores letter case (numbers still compare as numbers).
TEST_F(Statements, QueriesDoWhatJetDoes) {
  const std::pair<const char*, const char*> cases[] = {
      {"SELECT TOP 1 T.Arg1 FROM TTaskList AS T ORDER BY T.Range DESC", "a5"},
      {"SELECT DISTINCT SiteCategory FROM TTaskList ORDER BY SiteCategory", "S0;S1"},
      {"SELECT SiteCategory, Count(*) AS N, Sum(Range) FROM TTaskList GROUP BY SiteCategory HAVING Count(*) > 2", "S1|3|90"},
      {"SELECT Count(*) FROM TTaskList WHERE Range BETWEEN 20 AND 40 AND NOT Arg1 IN ('a3')", "2"},
      {"SELECT Count(*) FROM TTaskList WHERE Arg2 IS NULL AND Arg1 IS NOT NULL", "5"},
      {"SELECT Max(Range) FROM TTaskList WHERE IDX IN (SELECT IDX FROM TTaskList WHERE Range < 30)", "20"},
      {"SELECT First(Arg1), Last(Arg1), (SELECT Count(*) FROM TTaskList) - 1 FROM TTaskList", "a1|a5|4"},
      {"SELECT First(ValText), Last(Description) FROM TCodes", "Ärger|<null>"},  // Null kept, unlike Max
      {"SELECT Range + [Type] FROM TTaskList WHERE IDX = 2", "20"},
      {"SELECT SiteCategory FROM TTaskList WHERE IDX = 1 UNION ALL SELECT SiteCategory FROM TTaskList WHERE IDX = 3",
       "S1;S1"},
      {"SELECT SiteCategory FROM TTaskList WHERE IDX < 4 UNION SELECT SiteCategory FROM TTaskList ORDER BY 1", "S0;S1"},
      {"SELECT L.Arg1 FROM TTaskList T RIGHT JOIN TTaskLog L ON T.IDX = L.TaskIDX WHERE T.IDX IS NULL", "orphan"},
      {"SELECT T.SiteCategory, C.Description, L.Arg1 FROM ((TTaskList AS T INNER JOIN TCodes AS C ON T.IDX = C.Val) "
       "LEFT JOIN TTaskLog AS L ON L.TaskIDX = T.IDX) WHERE C.Description = 'first'", "S1|first|log1"},
      {"SELECT T.IDX FROM TTaskList AS T INNER JOIN (TTaskLog AS L INNER JOIN TCodes AS C ON L.TaskIDX = C.Val) "
       "ON T.IDX = L.TaskIDX", "1"},
      {"SELECT Val FROM TCodes WHERE Code = 'STRAßE' OR ValText = 'äRGER'", "1"},
      {"SELECT Val FROM TCodes WHERE 'OTHER' = Code ORDER BY Val", "2;4"},
      {"SELECT Count(*) FROM TCodes WHERE Code IN ('straße', 'OTHER')", "3"},
      {"SELECT Val FROM TCodes WHERE ValText BETWEEN 'A' AND 'C'", "2"},
      {"SELECT Val FROM TCodes WHERE Code <> 'Other' ORDER BY Val", "1;3"},
      {"SELECT Code FROM TCodes WHERE Val = '2'", "other"},
      // Yes, On and No, Off are Jet's words for True and False.
      {"SELECT Count(*), Yes, On, No, Off FROM TTaskList WHERE IsDeleted = No AND NOT IsDeleted = On", "5|-1|-1|0|0"},
      // Straße > STRASSE > other = OTHER when case is ignored (a binary sort puts "other" first).
      {"SELECT Val FROM TCodes ORDER BY Code DESC, Val", "1;3;2;4"},
  };
  for (const auto& [jet, rows] : cases) EXPECT_EQ(Rows(QString::fromUtf8(jet)), QString::fromUtf8(rows)) << jet;
  EXPECT_EQ(db.Run("SELECT Code FROM TCodes GROUP BY Code").size(), 3u);
  db.Run("CREATE TABLE [한글 표] ([이름 칸] TEXT(10), [Order] LONG, Rank LONG, Tag MEMO, Path MEMO, Code MEMO)");
  db.Run("INSERT INTO [한글 표] ([이름 칸], [Order], Rank, Tag, Path, Code) VALUES ('가', 1, 2, 't', 'p', 'c')");
  EXPECT_EQ(Rows("SELECT [한글 표].[이름 칸] FROM [한글 표] WHERE Rank = 2 AND Tag = 't' AND Code = 'c'"), "가");
  // Codes of one case only, where SQLite's own comparison is used.
  db.RunSql("DELETE FROM TCodes");
  db.RunSql(QString::fromUtf8("INSERT INTO TCodes (Code, Val) VALUES ('Abc', 1), ('\u00DF', 2), ('\u1E9E', 3), "
                              "('1100', 4), ('\uAC00', 5), ('1100 ', 6)"));
  const std::pair<const char*, const char*> oneCase[] = {
      {"Code = 'aBC'", "1"}, {"Code = '\u1E9E'", "2;3"}, {"Code = '\u00DF'", "2;3"}, {"Code = '1100'", "4"},
      {"Code = '\uAC00'", "5"}, {"'1100' = Code", "4"}, {"Code <> '1100'", "1;2;3;5;6"},
  };
  for (const auto& [where, vals] : oneCase)
    EXPECT_EQ(Rows(QString::fromUtf8("SELECT Val FROM TCodes WHERE %1 ORDER BY Val").arg(QString::fromUtf8(where))), vals)
        << where;
}

// Every comparison the translation writes, by the rows it keeps: numbers,
// and text against a literal, which ignores case in every direction.
TEST_F(Statements, EachComparisonKeepsTheRowsJetKeeps) {
  const std::pair<const char*, const char*> cases[] = {
      {"Range < 30", "1;2"}, {"Range <= 30", "1;2;3"}, {"Range > 30", "4;5"}, {"Range >= 30", "3;4;5"},
      {"Range = 30", "3"}, {"Range <> 30", "1;2;4;5"}, {"Range NOT BETWEEN 20 AND 40", "1;5"},
      {"Arg1 NOT IN ('a1', 'A2')", "3;4;5"}, {"Arg1 < 'A3'", "1;2"}, {"Arg1 <= 'A2'", "1;2"},
      {"Arg1 > 'A4'", "5"}, {"Arg1 >= 'A4'", "4;5"}, {"'A2' > Arg1", "1"}, {"Arg1 <> 'A1'", "2;3;4;5"},
      {"Range > 20 AND NOT Range >= 50 OR IDX = 1", "1;3;4"},
      {"NOT EXISTS (SELECT * FROM TTaskLog WHERE TaskIDX = T.IDX)", "2;3;4;5"},
  };
  for (const auto& [where, ids] : cases)
    EXPECT_EQ(Rows(QStringLiteral("SELECT IDX FROM TTaskList AS T WHERE %1 ORDER BY IDX").arg(QLatin1String(where))),
              QLatin1String(ids))
        << where;
}

TEST_F(Statements, UpdatesAndDeletesChangeOnlyTheRowsTheyName) {
  db.Run("UPDATE TTaskList AS T INNER JOIN TTaskLog AS L ON T.IDX = L.TaskIDX SET T.ContentKey = L.ContentKey "
         "WHERE L.ContentKey LIKE '102|%'");
  EXPECT_EQ(Rows("SELECT IDX, ContentKey FROM TTaskList WHERE ContentKey IS NOT NULL"), "1|102|k1");
  // A value that needs only the target's own columns, over a LEFT JOIN.
  db.Run("UPDATE TTaskList LEFT JOIN TTaskLog ON TTaskList.IDX = TTaskLog.TaskIDX SET TTaskList.Range = 3 "
         "WHERE TTaskLog.TaskIDX IS NULL OR TTaskList.IDX = 2");
  EXPECT_EQ(Rows("SELECT Range FROM TTaskList ORDER BY IDX"), "10;3;3;3;3");
  EXPECT_FALSE(test::TranslateError("UPDATE TTaskList INNER JOIN TTaskLog ON IDX = TaskIDX SET TTaskList.Arg1 = 1, "
                                    "TTaskLog.Arg1 = 2").isEmpty());

  // The DELETE forms, and '+' with a Null operand is Null, as the channel key statement relies on.
  db.Run("INSERT INTO TTaskLog (TaskIDX, LogDate, Arg1, ContentKey) VALUES (2, #2024-07-01#, 'a', '122|')");
  db.Run("INSERT INTO TTaskLog (TaskIDX, LogDate, Arg1, ContentKey) VALUES (7, #2024-07-03#, 'b', '122|')");
  db.Run("INSERT INTO TTaskLog (TaskIDX, LogDate, Arg1, ContentKey) VALUES (8, #2024-07-03#, NULL, '122|')");
  db.Run("DELETE * FROM TTaskLog WHERE LogDate < #7/2/2024#");
  db.Run("DELETE TTaskLog.* FROM TTaskLog INNER JOIN TTaskList ON TTaskLog.TaskIDX = TTaskList.IDX");
  db.Run("UPDATE TTaskLog SET ContentKey=\"102|\" + Arg1 WHERE ContentKey LIKE \"122|%\"");
  EXPECT_EQ(Rows("SELECT TaskIDX, ContentKey FROM TTaskLog ORDER BY TaskIDX"), "7|102|b;8|<null>;9|0|k9");
}

TEST_F(Statements, StoredQueriesFindTheirParametersThroughTheCatalogue) {
  db.Run("CREATE TABLE TSiteCategoryVisible (PCode TEXT(50), SiteCategory TEXT(255), DisplayMode LONG DEFAULT 0)");
  db.Run("INSERT INTO TSiteCategoryVisible (PCode, SiteCategory, DisplayMode) VALUES ('P1', 'S0', 2)");
  db.Run("UPDATE TTaskList SET IsDeleted = True WHERE IDX = 4");
  const ColumnsOf columnsOf = [this](const QString& table) -> std::optional<QStringList> {
    QStringList names;
    for (const QVariantList& row : db.RunSql("PRAGMA table_info('" + table + "')")) names.append(row[1].toString());
    return names.isEmpty() ? std::nullopt : std::optional(names);
  };
  const SqlStatement st = TranslateQuery(
      "PARAMETERS [Since] DateTime, [P Code] Text; SELECT T.Arg1 AS Visible, (SELECT Count(*) FROM TTaskLog "
      "WHERE TaskIDX = T.IDX AND LogDate >= [Since]) AS Logs FROM TTaskList AS T INNER JOIN TSiteCategoryVisible "
      "AS V ON (T.SiteCategory = V.SiteCategory AND V.PCode = [P Code] AND (V.DisplayMode = 0 "
      "OR V.DisplayMode = [Display])) WHERE T.IsDeleted = False ORDER BY Visible",
      columnsOf);
  // The parameters in order of first use, which is the order SQLite numbers them in.
  EXPECT_EQ(st.parameters, (QStringList{"Since", "P_Code", "Display"}));
  EXPECT_EQ(db.RunSql(st.sql, {0, "P1", 2}), (std::vector<QVariantList>{{"a2", 0LL}}));

  // A FROM item the catalogue does not know keeps every bare name a column.
  EXPECT_TRUE(TranslateQuery("SELECT x FROM VUnknown WHERE y = 1", columnsOf).parameters.isEmpty());
}

// Every statement the translator cannot read or carry out is a syntax error
// whose text names what is wrong ("" where any text will do).
TEST(Syntax, ErrorsNameTheOffendingToken) {
  using namespace std::string_view_literals;  // the NUL cases keep their length
  const struct {
    std::u16string_view sql;
    const char* mentions;
  } cases[] = {
      {u"SELEC * FROM t"sv, "SELEC"}, {u"SELECT * FROM t WHERE"sv, "end of statement"},
      {u"SELECT 'abc"sv, "unterminated string at position 8"}, {u"SELECT [a FROM t"sv, "missing \"]\""},
      {u"SELECT [] FROM TSettings"sv, "empty name"}, {u"SELECT [I\0D] FROM TSettings"sv, "NUL"},
      {u"SELECT #2024"sv, "unterminated date literal"}, {u"SELECT 12abc"sv, "malformed number"},
      {u"SELECT @x"sv, "unexpected character"}, {u"INSERT INTO t (a, b) VALUES (1)"sv, "number of values"},
      {u"SELECT Foo(1) FROM t"sv, "FOO"}, {u"SELECT Mid('a') FROM t"sv, "MID"},
      {u"SELECT * FROM t WHERE d = #2024-13-40#"sv, "date"}, {u"SELECT * FROM t extra junk"sv, "junk"},
      {u""sv, "end of statement"}, {u"CREATE TABLE t (a DECIMAL(30,2))"sv, "28"},
      {u"CREATE TABLE t (a DECIMAL(10,12))"sv, "scale"}, {u"CREATE TABLE t (a TEXT(300))"sv, "300"},
      {u"CREATE TABLE t (a BINARY(600))"sv, "510"}, {u"ALTER TABLE t ADD COLUMN a LONG PRIMARY KEY"sv, "PRIMARY"},
      {u"CREATE TABLE t (a LONG REFERENCES u (b))"sv, "REFERENCES"}, {u"ALTER TABLE t RENAME COLUMN a TO b"sv, ""},
      {u"CREATE VIEW [V] AS SELECT 1"sv, ""}, {u"CREATE TABLE t (a LONG"sv, ""},
  };
  for (const auto& c : cases) {
    const QString sql = QString::fromUtf16(c.sql.data(), qsizetype(c.sql.size()));
    const auto [code, error] = test::Failure([&] { Translate(sql); });
    EXPECT_EQ(code, dberr::kSyntax) << sql.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.mentions))) << sql.toStdString() << " -> " << error.toStdString();
  }
}

TEST(Syntax, DeepNestingIsRejectedNotFatal) {
  QString chain = "SELECT 1", subqueries = "SELECT 1";
  for (int i = 0; i < 5000; ++i) chain += " + 1";
  for (int i = 0; i < 500; ++i) subqueries = "SELECT (" + subqueries + ")";
  for (const QString& deep : {"SELECT " + QString(5000, u'(') + "1" + QString(5000, u')'), chain, subqueries,
                              "SELECT * FROM t WHERE " + QString("NOT ").repeated(5000) + "a"})
    EXPECT_FALSE(test::TranslateError(deep).isEmpty()) << deep.left(40).toStdString();
  // Moderate nesting still translates.
  EXPECT_TRUE(test::TranslateError("SELECT " + QString(30, u'(') + "1" + QString(30, u')')).isEmpty());
}

// INSERTs that differ only in their literals share one SQL text, each with
// its own values, which reach the table exactly.
TEST_F(Statements, InsertsOfOneShapeShareTheirSql) {
  const auto insert = [](const QString& values) {
    return std::get<SqlStatement>(Translate("INSERT INTO TCodes (Code, Val) VALUES (" + values + ")"));
  };
  const SqlStatement a = insert("'a', 1");
  const SqlStatement b = insert("\"say \"\"hi\"\"\", 22");
  EXPECT_EQ(b.sql, a.sql);
  db.RunSql(b.sql, b.values);
  EXPECT_EQ(Rows("SELECT Code FROM TCodes WHERE Val = 22"), "say \"hi\"");
  EXPECT_EQ(insert("'d', 2.5e-3").sql, insert("'c', 1.5").sql);
  for (const char* decimal : {"0.1", "1e-7", "123456789.123456789", "2.5E+3", "8.", ".5"}) {
    db.Run(QStringLiteral("INSERT INTO TCodes (Code, Val) VALUES (%1, %1)").arg(QLatin1String(decimal)));
    EXPECT_EQ(db.RunSql(QStringLiteral("SELECT count(*) FROM TCodes WHERE Code = CAST(%1 AS TEXT) AND Val = %1")
                         .arg(QLatin1String(decimal))),
              std::vector<QVariantList>{{1LL}}) << decimal;  // the very value the literal gives
  }
  // A NUL is written into the SQL itself, where it must not end the
  // statement as SQLite reads it.
  const QString nulChar(QChar(u'\0'));
  const SqlStatement nul = insert("'Unit" + nulChar + "ed' & \"" + nulChar + "\", 7");
  db.RunSql(nul.sql, nul.values);
  EXPECT_EQ(db.RunSql("SELECT hex(Code) FROM TCodes WHERE Val = 7").at(0).value(0).toString(),
            QString::fromLatin1(QByteArray("Unit\0ed\0", 8).toHex().toUpper()));
}

}  // namespace
}  // namespace mt::engine
