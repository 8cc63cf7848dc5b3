// Data statements translate into SQLite that does what Jet does with them,
// checked by running the translation against real tables.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <string_view>

#include "db/engine/translator.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

class Statements : public ::testing::Test {
 protected:
  void SetUp() override {
    db.Run("CREATE TABLE TSettings (ID MEMO DEFAULT \"\", Val1 MEMO DEFAULT \"\", Val2 MEMO DEFAULT \"\", "
           "Val3 MEMO DEFAULT \"\", Alias MEMO DEFAULT \"\", [Order] INT NOT NULL DEFAULT 0)");
    db.Run("CREATE TABLE TTaskList (IDX AUTOINCREMENT, SiteCategory TEXT(255), Arg1 MEMO, Arg2 MEMO, "
           "ContentKey MEMO, Range LONG DEFAULT 0, [Type] LONG DEFAULT 0, IsDeleted BIT DEFAULT False, "
           "CONSTRAINT PrimaryKey PRIMARY KEY (IDX))");
    db.Run("CREATE TABLE TTaskLog (TaskIDX LONG NOT NULL, LogDate DATETIME DEFAULT Now(), "
           "Arg1 MEMO, ContentKey MEMO, UserIDX LONG DEFAULT 0, UserId TEXT(50))");
    db.Run("CREATE TABLE [TCodes] ([Code] MEMO, [Val] LONG, [ValText] MEMO, [Description] MEMO)");
  }
  test::JetSqlite db;
};

TEST_F(Statements, InsertValuesStoresJetLiterals) {
  const SqlStatement st = std::get<SqlStatement>(
      Translate("INSERT INTO TTaskList (SiteCategory, Arg1, Range, IsDeleted) VALUES (\"Mobile\", 'it''s \"x\"', -5, True)"));
  EXPECT_FALSE(st.returnsRows);
  EXPECT_EQ(st.targetTable, "TTaskList");
  db.RunSql(st.sql, st.values);
  EXPECT_EQ(db.Run("SELECT SiteCategory, Arg1, Range, IsDeleted FROM TTaskList"),
            (std::vector<QVariantList>{{"Mobile", "it's \"x\"", -5LL, -1LL}}));
}

TEST_F(Statements, SelectShapes) {
  for (int i = 1; i <= 5; ++i)
    db.Run(QStringLiteral("INSERT INTO TTaskList (SiteCategory, Arg1, Range) VALUES ('S%1', 'a%2', %3)")
               .arg(i % 2).arg(i).arg(i * 10));
  EXPECT_EQ(db.Value("SELECT TOP 1 T.Arg1 FROM TTaskList AS T ORDER BY T.Range DESC").toString(), "a5");
  EXPECT_EQ(db.Run("SELECT DISTINCT SiteCategory FROM TTaskList").size(), 2u);
  EXPECT_EQ(db.Run("SELECT SiteCategory, Count(*) AS N, Sum(Range) FROM TTaskList GROUP BY SiteCategory "
                   "HAVING Count(*) > 2 ORDER BY SiteCategory"),
            (std::vector<QVariantList>{{"S1", 3LL, 90LL}}));
  EXPECT_EQ(db.Value("SELECT Count(*) FROM TTaskList WHERE Range BETWEEN 20 AND 40 AND NOT Arg1 IN ('a3')")
                .toLongLong(), 2);
  EXPECT_EQ(db.Value("SELECT Count(*) FROM TTaskList WHERE Arg2 IS NULL AND Arg1 IS NOT NULL").toLongLong(), 5);
  EXPECT_EQ(db.Value("SELECT Max(Range) FROM TTaskList WHERE IDX IN (SELECT IDX FROM TTaskList WHERE Range < 30)")
                .toLongLong(), 20);
  EXPECT_EQ(db.Run("SELECT First(Arg1), Last(Arg1) FROM TTaskList"), (std::vector<QVariantList>{{"a1", "a5"}}));
  EXPECT_EQ(db.Value("SELECT (SELECT Count(*) FROM TTaskList) - 1").toLongLong(), 4);
}

TEST_F(Statements, UnnamedComputedColumnsAreNamedLikeJet) {
  EXPECT_EQ(db.ColumnNames("SELECT IDX, Count(*), Arg1 & 'x', [Range] AS R FROM TTaskList GROUP BY IDX, Arg1, Range"),
            (QStringList{"IDX", "Expr1000", "Expr1001", "R"}));
}

TEST_F(Statements, TextComparedWithLiteralsIgnoresCase) {
  for (const char* values : {"'Straße', 1, 'Ärger'", "'other', 2, 'b'", "'STRASSE', 3, ''", "'OTHER', 4, ''"})
    db.Run(QStringLiteral("INSERT INTO TCodes (Code, Val, ValText) VALUES (%1)").arg(QString::fromUtf8(values)));
  const std::pair<const char*, qlonglong> counts[] = {
      {"Code = 'STRAßE'", 1}, {"ValText = 'äRGER'", 1}, {"'OTHER' = Code", 2}, {"Code IN ('straße', 'OTHER')", 3},
      {"ValText BETWEEN 'A' AND 'C'", 1}, {"Code <> 'Other'", 2}, {"Val = '2'", 1},  // numbers still compare as numbers
  };
  for (const auto& [where, count] : counts)
    EXPECT_EQ(db.Value(QStringLiteral("SELECT Count(*) FROM TCodes WHERE ") + QString::fromUtf8(where)).toLongLong(), count)
        << where;
  QList<qlonglong> order;
  for (const QVariantList& row : db.Run("SELECT Val FROM TCodes ORDER BY Code DESC, Val")) order << row[0].toLongLong();
  // Straße > STRASSE > other = OTHER when case is ignored (a binary sort puts "other" first).
  EXPECT_EQ(order, (QList<qlonglong>{1, 3, 2, 4}));
  EXPECT_EQ(db.Run("SELECT Code FROM TCodes GROUP BY Code").size(), 3u);
}

TEST_F(Statements, KeywordNamesAreQuoted) {
  db.Run("INSERT INTO TTaskList (Range, [Type]) VALUES (7, 8)");
  EXPECT_EQ(db.Value("SELECT Range + [Type] FROM TTaskList").toLongLong(), 15);
  db.Run("CREATE TABLE [한글 표] ([이름 칸] TEXT(10), [Order] LONG, Rank LONG, Tag MEMO, Path MEMO, Code MEMO)");
  db.Run("INSERT INTO [한글 표] ([이름 칸], [Order], Rank, Tag, Path, Code) VALUES ('가', 1, 2, 't', 'p', 'c')");
  EXPECT_EQ(db.Value("SELECT [한글 표].[이름 칸] FROM [한글 표] WHERE Rank = 2 AND Tag = 't' AND Code = 'c'").toString(),
            QString::fromUtf8("가"));
}

TEST_F(Statements, JoinsIncludingRightAndNested) {
  db.Run("INSERT INTO TTaskList (SiteCategory, Arg1) VALUES ('A', 'x')");
  db.Run("INSERT INTO TTaskList (SiteCategory, Arg1) VALUES ('B', 'y')");
  db.Run("INSERT INTO TTaskLog (TaskIDX, Arg1) VALUES (1, 'log1')");
  db.Run("INSERT INTO TTaskLog (TaskIDX, Arg1) VALUES (9, 'orphan')");
  db.Run("INSERT INTO TCodes (Code, Val, Description) VALUES ('SiteCategory', 1, 'first')");
  EXPECT_EQ(db.Run("SELECT L.Arg1 FROM TTaskList T RIGHT JOIN TTaskLog L ON T.IDX = L.TaskIDX WHERE T.IDX IS NULL"),
            (std::vector<QVariantList>{{"orphan"}}));
  EXPECT_EQ(db.Run("SELECT T.SiteCategory, C.Description, L.Arg1 FROM ((TTaskList AS T INNER JOIN TCodes AS C "
                   "ON T.IDX = C.Val) LEFT JOIN TTaskLog AS L ON L.TaskIDX = T.IDX) WHERE C.Code = 'SiteCategory'"),
            (std::vector<QVariantList>{{"A", "first", "log1"}}));
  EXPECT_EQ(db.Run("SELECT * FROM TTaskList AS T INNER JOIN (TTaskLog AS L INNER JOIN TCodes AS C ON L.TaskIDX = C.Val) "
                   "ON T.IDX = L.TaskIDX").size(), 1u);
}

TEST_F(Statements, UpdateThroughJoinChangesOnlyMatchedRows) {
  db.Run("INSERT INTO TTaskList (SiteCategory, Arg1, ContentKey) VALUES ('Mobile_Naver_Channel', 'k1', 'old')");
  db.Run("INSERT INTO TTaskList (SiteCategory, Arg1, ContentKey) VALUES ('Other', 'k2', 'old')");
  db.Run("INSERT INTO TTaskLog (TaskIDX, Arg1, ContentKey) VALUES (1, 'k1', '102|k1')");
  db.Run("INSERT INTO TTaskLog (TaskIDX, Arg1, ContentKey) VALUES (2, 'k2', '0|k2')");
  db.Run("UPDATE TTaskList AS T INNER JOIN TTaskLog AS L ON T.IDX = L.TaskIDX SET T.ContentKey = L.ContentKey "
         "WHERE L.ContentKey LIKE '102|%'");
  EXPECT_EQ(db.Run("SELECT ContentKey FROM TTaskList ORDER BY IDX"), (std::vector<QVariantList>{{"102|k1"}, {"old"}}));
  // A value that needs only the target's own columns, over a LEFT JOIN.
  db.Run("UPDATE TTaskList LEFT JOIN TTaskLog ON TTaskList.IDX = TTaskLog.TaskIDX SET TTaskList.Range = 3 "
         "WHERE TTaskLog.TaskIDX IS NULL OR TTaskList.IDX = 2");
  EXPECT_EQ(db.Value("SELECT Sum(Range) FROM TTaskList").toLongLong(), 3);
  EXPECT_FALSE(test::TranslateError("UPDATE TTaskList INNER JOIN TTaskLog ON IDX = TaskIDX SET TTaskList.Arg1 = 1, "
                                    "TTaskLog.Arg1 = 2").isEmpty());
}

TEST_F(Statements, DeleteFormsAndJetPlus) {
  for (int i = 0; i < 4; ++i)
    db.Run(QStringLiteral("INSERT INTO TTaskLog (TaskIDX, LogDate, Arg1, ContentKey) VALUES (%1, #2024-07-0%2#, %3, '122|')")
               .arg(i).arg(i + 1).arg(i == 3 ? "NULL" : "'a'"));
  db.Run("DELETE * FROM TTaskLog WHERE LogDate < #7/2/2024#");
  EXPECT_EQ(db.Value("SELECT Count(*) FROM TTaskLog").toLongLong(), 3);
  db.Run("INSERT INTO TTaskList (Arg1) VALUES ('x')");
  db.Run("DELETE TTaskLog.* FROM TTaskLog INNER JOIN TTaskList ON TTaskLog.TaskIDX = TTaskList.IDX");
  // '+' with a Null operand is Null, as the channel key statement relies on.
  db.Run("UPDATE TTaskLog SET ContentKey=\"102|\" + Arg1 WHERE ContentKey LIKE \"122|%\"");
  EXPECT_EQ(db.Run("SELECT ContentKey FROM TTaskLog ORDER BY TaskIDX"), (std::vector<QVariantList>{{"102|a"}, {QVariant()}}));
}

TEST_F(Statements, QueryParametersBecomeNamedParameters) {
  const SqlStatement st = TranslateQuery(
      "PARAMETERS [lTaskIDX] Long, [Log Day] DateTime; SELECT TaskIDX FROM TTaskLog WHERE TaskIDX = [lTaskIDX] "
      "AND LogDate >= [Log Day]");
  EXPECT_TRUE(st.returnsRows);
  EXPECT_TRUE(st.sql.contains(":lTaskIDX"));
  EXPECT_TRUE(st.sql.contains(":Log_Day"));
  EXPECT_THROW(TranslateQuery("DELETE FROM TTaskLog"), DbError);
}

TEST_F(Statements, StoredQueriesFindTheirParametersThroughTheCatalogue) {
  db.Run("CREATE TABLE TSiteCategoryVisible (PCode TEXT(50), SiteCategory TEXT(255), DisplayMode LONG DEFAULT 0)");
  db.Run("INSERT INTO TTaskList (SiteCategory, Arg1) VALUES ('Shop', 'visible')");
  db.Run("INSERT INTO TTaskList (SiteCategory, Arg1) VALUES ('Blog', 'hidden')");
  db.Run("INSERT INTO TSiteCategoryVisible (PCode, SiteCategory, DisplayMode) VALUES ('P1', 'Shop', 2)");
  const ColumnsOf columnsOf = [this](const QString& table) -> std::optional<QStringList> {
    QStringList names;
    for (const QVariantList& row : db.RunSql("PRAGMA table_info('" + table + "')"))
      names.append(row[1].toString());
    if (names.isEmpty()) return std::nullopt;
    return names;
  };
  const SqlStatement st = TranslateQuery(
      "SELECT T.Arg1 AS Visible, (SELECT Count(*) FROM TTaskLog WHERE TaskIDX = T.IDX AND LogDate > [Since]) AS Logs "
      "FROM TTaskList AS T INNER JOIN TSiteCategoryVisible AS V ON (T.SiteCategory = V.SiteCategory "
      "AND V.PCode = [PCodeString] AND (V.DisplayMode = 0 OR V.DisplayMode = [Display])) "
      "WHERE T.IsDeleted = False ORDER BY Visible",
      columnsOf);
  EXPECT_EQ(st.parameters, (QStringList{"Since", "PCodeString", "Display"}));
  sqlite3_stmt* stmt = db.Prepare(st.sql);
  sqlite3_bind_double(stmt, sqlite3_bind_parameter_index(stmt, ":Since"), 0);
  sqlite3_bind_text(stmt, sqlite3_bind_parameter_index(stmt, ":PCodeString"), "P1", -1, SQLITE_STATIC);
  sqlite3_bind_int(stmt, sqlite3_bind_parameter_index(stmt, ":Display"), 2);
  ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "visible");
  EXPECT_EQ(sqlite3_step(stmt), SQLITE_DONE);
  sqlite3_finalize(stmt);

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
      {u"SELEC * FROM t"sv, "SELEC"},
      {u"SELECT * FROM t WHERE"sv, "end of statement"},
      {u"SELECT 'abc"sv, "unterminated string at position 8"},
      {u"SELECT [a FROM t"sv, "missing \"]\""},
      {u"SELECT [] FROM TSettings"sv, "empty name"},
      {u"SELECT [I\0D] FROM TSettings"sv, "NUL"},
      {u"SELECT #2024"sv, "unterminated date literal"},
      {u"SELECT 12abc"sv, "malformed number"},
      {u"SELECT @x"sv, "unexpected character"},
      {u"INSERT INTO t (a, b) VALUES (1)"sv, "number of values"},
      {u"SELECT Foo(1) FROM t"sv, "FOO"},
      {u"SELECT Mid('a') FROM t"sv, "MID"},
      {u"SELECT * FROM t WHERE d = #2024-13-40#"sv, "date"},
      {u"SELECT * FROM t extra junk"sv, "junk"},
      {u""sv, "end of statement"},
      {u"CREATE TABLE t (a DECIMAL(30,2))"sv, "28"},
      {u"CREATE TABLE t (a DECIMAL(10,12))"sv, "scale"},
      {u"CREATE TABLE t (a TEXT(300))"sv, "300"},
      {u"CREATE TABLE t (a BINARY(600))"sv, "510"},
      {u"ALTER TABLE t ADD COLUMN a LONG PRIMARY KEY"sv, "PRIMARY"},
      {u"CREATE TABLE t (a LONG REFERENCES u (b))"sv, "REFERENCES"},
      {u"ALTER TABLE t RENAME COLUMN a TO b"sv, ""},
      {u"CREATE VIEW [V] AS SELECT 1"sv, ""},
      {u"CREATE TABLE t (a LONG"sv, ""},
  };
  for (const auto& c : cases) {
    const QString sql = QString::fromUtf16(c.sql.data(), qsizetype(c.sql.size()));
    int32_t code = 0;
    const QString error = test::TranslateError(sql, &code);
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

// Text equality ignores case as Jet's does, also where the texts compared
// have one case only and SQLite's own comparison is used.
TEST_F(Statements, TextEqualityIgnoresCase) {
  db.RunSql(QString::fromUtf8("INSERT INTO TCodes (Code, Val) VALUES ('Abc', 1), ('\u00DF', 2), ('\u1E9E', 3), "
                              "('1100', 4), ('\uAC00', 5), ('1100 ', 6)"));
  const std::pair<const char*, std::vector<QVariantList>> cases[] = {
      {"Code = 'aBC'", {{1LL}}},          {"Code = '\u1E9E'", {{2LL}, {3LL}}}, {"Code = '\u00DF'", {{2LL}, {3LL}}},
      {"Code = '1100'", {{4LL}}},         {"Code = '\uAC00'", {{5LL}}},       {"'1100' = Code", {{4LL}}},
      {"Code <> '1100'", {{1LL}, {2LL}, {3LL}, {5LL}, {6LL}}},
  };
  for (const auto& [where, vals] : cases)
    EXPECT_EQ(db.Run(QString::fromUtf8("SELECT Val FROM TCodes WHERE %1 ORDER BY Val").arg(QString::fromUtf8(where))), vals)
        << where;
}

}  // namespace
}  // namespace mt::engine
