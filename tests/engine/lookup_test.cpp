// LIKE patterns without wildcards as indexed equalities, and the lookup
// indexes a long pass puts on its copy.
#include <sqlite3.h>

#include "db/jetsql/jet_functions.h"
#include "db/jetsql/translator.h"
#include "db/store/sqlcipher_connection.h"
#include "engine_fixture.h"

namespace mt::test {
namespace {

class LookupTest : public EngineTest {
 protected:
  sqlite3* Handle() { return static_cast<engine::SqlCipherConnection&>(*conn_).state().db.handle(); }
  // The first column of an SQLite query's rows, as text.
  QStringList Raw(const QString& sql) {
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(Handle(), sql.toUtf8().constData(), -1, &stmt, nullptr), SQLITE_OK);
    QStringList rows;
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
      rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return rows;
  }
  // SQLite's plan for the translated statement, its details joined.
  QString Plan(const QString& jet) {
    const auto command = engine::Translate(jet);
    const QByteArray text = ("EXPLAIN QUERY PLAN " + std::get<engine::SqlStatement>(command).sql).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(Handle(), text.constData(), -1, &stmt, nullptr), SQLITE_OK) << text.constData();
    QString plan;
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
      plan += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3))) + u';';
    sqlite3_finalize(stmt);
    return plan;
  }
};

// Every pattern selects, with and without the lookup index, exactly the rows
// Jet's matcher selected when every LIKE went to it: case folded beyond ASCII, Nulls in neither the
// match nor its negation, numbers matched by their text ('05' is not 5, and
// '0.3' is the text of 0.1 + 0.2 but not its value), wildcards still
// patterns, also after a text the rows are looked up by ('ab%', '@%': the
// range of texts starting with it, ignoring case). An equality with a text
// selects what jet_text selects, also where the lookup index holds the key
// folds: the Kelvin sign and the long s are a 'k' and an 's' there, and an
// 'é' is no 'É'.
TEST_F(LookupTest, LikeWithoutWildcardsSelectsWhatJetsMatcherSelects) {
  Exec("CREATE TABLE T (Code MEMO, Val LONG, F FLOAT, Id AUTOINCREMENT)");
  const QStringList codes = {"abc", "ABC", "Abc ", "ÄRGER", "ärger", "Straße", "STRASSE", "x_y", "xzy",
                             "5", "05", "한글", "", "a%b", "ab", "aB{", "ABZ", "a@b", "@home", "Zeta", "z{",
                             "Key", "\u212Aey", "ſet", "SET", "ÉTÉ", "été", "Été"};
  for (int i = 0; i < codes.size(); ++i)
    Exec(QStringLiteral("INSERT INTO T (Code, Val) VALUES ('%1', %2)").arg(codes[i]).arg(i % 6 * 11));
  Exec("INSERT INTO T (Code, Val) VALUES (NULL, NULL)");
  Exec("UPDATE T SET F = 0.1 + 0.2 WHERE Val = 0");
  const QStringList patterns = {"abc", "aBc", "ärger", "straße", "strasse", "x_y", "한글", "a%b", "05", "5", "0.3",
                                "ab%", "AB_", "a@%", "@%", "z%", "Z_", "x_%", "5%", "한%", "%b", "[a]%",
                                "key", "SET", "été", "KE%", "s_t", "ſ%"};
  for (const bool indexed : {false, true}) {
    if (indexed) conn_->AddLookupIndex("T", {"Code", "Val"});
    for (const QString column : {"Code", "Val", "F"})
      for (const QString& p : patterns) {
        SCOPED_TRACE((column + " LIKE " + p + (indexed ? " indexed" : "")).toStdString());
        const QString old = QStringLiteral("jet_like(%1, '%2')").arg(column, p);  // the translation before
        const QStringList expected = Raw("SELECT Id FROM T WHERE " + old + " ORDER BY Id");
        const QStringList others = Raw("SELECT Id FROM T WHERE NOT " + old + " ORDER BY Id");
        ASSERT_EQ(expected.size() + others.size(), column == "F" ? (codes.size() + 5) / 6 : codes.size());  // no Nulls
        EXPECT_EQ(Rows("SELECT Id FROM T WHERE " + column + " LIKE '" + p + "' ORDER BY Id"), expected);
        EXPECT_EQ(Rows("SELECT Id FROM T WHERE NOT " + column + " LIKE '" + p + "' ORDER BY Id"), others);
        if (p.contains('%') || p.contains('_')) continue;
        const QString equal = column + " COLLATE jet_text = '" + p + "'";
        EXPECT_EQ(Rows("SELECT Id FROM T WHERE " + column + " = '" + p + "' ORDER BY Id"),
                  Raw("SELECT Id FROM T WHERE " + equal + " ORDER BY Id"));
        EXPECT_EQ(Rows("SELECT Id FROM T WHERE NOT '" + p + "' = " + column + " ORDER BY Id"),
                  Raw("SELECT Id FROM T WHERE NOT " + equal + " ORDER BY Id"));
      }
  }
}

// Texts order as Jet compares them, ignoring case for all of Unicode: SQLite
// sorts by jet_text as Qt's comparison ignoring case sorts (ties in the
// order given), ASCII runs, texts beyond ASCII and prefixes alike.
TEST_F(LookupTest, TheTextCollationOrdersAsUnicodeIgnoringCase) {
  QStringList texts = {"abc", "ABD", "abd ", "Abc", "é", "É", "e", "f", "z", "Z", "[", "_", "a", "A", "",
                       "한", "한글", "\U0001F600x", "\uFFFD", "ß", "SS", "k", "\u212A", "ſ", "s", "xé", "xÉ1",
                       "xE", "Ab\u00ca", "abé", "ABÉ"};
  Exec("CREATE TABLE T (S MEMO)");
  for (const QString& t : texts) Exec("INSERT INTO T (S) VALUES ('" + t + "')");
  std::stable_sort(texts.begin(), texts.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  EXPECT_EQ(Raw("SELECT S FROM T ORDER BY S COLLATE jet_text, rowid"), texts);
}

// The passes' row conditions find their row through the lookup index; the
// closed file carries no trace of it, nor of one a killed run left.
TEST_F(LookupTest, TheRowConditionsOfAPassUseTheLookupIndexWhichCloseDrops) {
  Exec("CREATE TABLE TCodes (Code TEXT(50), Val LONG, ValText MEMO)");
  Exec("CREATE TABLE TSettings (ID TEXT(255), Val1 MEMO)");
  const QString codes = "UPDATE TCodes SET ValText = 'b' WHERE Code LIKE 'Key' AND Val = 3 AND ValText = 'a'";
  const QString settings = "UPDATE TSettings SET Val1 = 'b' WHERE ID LIKE 'DBVersion'";
  EXPECT_FALSE(Plan(codes).contains("INDEX"));
  conn_->AddLookupIndex("TCodes", {"Code", "Val"});
  conn_->AddLookupIndex("TSettings", {"ID"});
  EXPECT_TRUE(Plan(codes).contains("INDEX _mt_lookup_TCodes_Code_Val (<expr>=? AND Val=?)")) << Plan(codes).toStdString();
  EXPECT_TRUE(Plan(settings).contains("INDEX _mt_lookup_TSettings_ID (<expr>=?)")) << Plan(settings).toStdString();
  const QString wildcard = "UPDATE TSettings SET Val1 = 'b' WHERE ID LIKE 'Proxy_Speed'";
  EXPECT_TRUE(Plan(wildcard).contains("INDEX _mt_lookup_TSettings_ID (<expr>>? AND <expr><?)")) << Plan(wildcard).toStdString();
  EXPECT_THROW(conn_->AddLookupIndex("TCodes", {"Nope"}), DbError);
  EXPECT_THROW(Exec("DROP INDEX _mt_lookup_TSettings_ID ON TSettings"), DbError);
  conn_->Close();
  // One left by a run killed after its commit: the next open for writing drops it.
  conn_ = engine_.Open(Path(), kPassword);
  ASSERT_EQ(sqlite3_exec(Handle(), "CREATE INDEX _mt_lookup_TCodes_Code ON TCodes (Code COLLATE jet_text)", nullptr,
                         nullptr, nullptr), SQLITE_OK);
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  conn_->Close();
  sqlite3* bare = nullptr;
  ASSERT_EQ(sqlite3_open(Path().toUtf8().constData(), &bare), SQLITE_OK);
  const QByteArray key = kPassword.toUtf8();
  sqlite3_key(bare, key.constData(), int(key.size()));
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(bare, "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name LIKE '_mt_lookup%'",
                               -1, &stmt, nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(stmt, 0), 0);
  sqlite3_finalize(stmt);
  sqlite3_close(bare);
}

// The passes' UPDATEs (and DELETEs) that differ only in their literals share
// one SQL text with the literals bound, prepared once; yet each keeps its
// own meaning where a literal's text decides the SQL: a LIKE pattern with or
// without wildcards, a text with or without letter case, a Currency amount.
TEST_F(LookupTest, ChangesOfOneShapeShareTheirSqlAndKeepTheirMeaning) {
  const auto sql = [](const QString& jet) { return std::get<engine::SqlStatement>(engine::Translate(jet)).sql; };
  EXPECT_EQ(sql("UPDATE T SET V = 'a' WHERE Code LIKE 'b' AND N = 1"), sql("UPDATE T SET V = 'c' WHERE Code LIKE 'd' AND N = 2"));
  Exec("CREATE TABLE T (Code MEMO, Val LONG, Price MONEY, Amount DOUBLE)");
  for (const char* code : {"other", "OTHER", "oth_r", "#12", "x"})
    Exec(QStringLiteral("INSERT INTO T (Code) VALUES ('%1')").arg(QLatin1String(code)));
  conn_->AddLookupIndex("T", {"Code"});
  const std::pair<const char*, int> changes[] = {
      {"UPDATE T SET Val = 1 WHERE Code LIKE 'other'", 2},  {"UPDATE T SET Val = 2 WHERE Code LIKE 'oth%'", 3},
      {"UPDATE T SET Val = 2 WHERE Code LIKE '%R'", 3},
      {"UPDATE T SET Val = 3 WHERE Code = '#12'", 1},       {"UPDATE T SET Val = 4 WHERE Code = 'other'", 2},
      {"UPDATE T SET Price = 1.5 WHERE Code = 'x'", 1},     {"UPDATE T SET Price = 2 WHERE Code = 'oth_r'", 1},
      {"DELETE FROM T WHERE Code LIKE 'x'", 1},             {"DELETE FROM T WHERE Code LIKE 'OTH%'", 3},
  };
  for (const auto& [change, affected] : changes) {
    EXPECT_EQ(Exec(QString::fromUtf8(change)), affected) << change;
    if (QByteArray(change).contains("Price"))
      EXPECT_EQ(Rows("SELECT Price FROM T WHERE Price IS NOT NULL ORDER BY Price").join(' '),
                QByteArray(change).contains("1.5") ? "1.5" : "1.5 2") << change;
  }
  EXPECT_EQ(Rows("SELECT Code, Val FROM T"), QStringList{"#12|3"});
  // A pattern that may begin a number's text gives no text range: a number
  // reads otherwise in SQLite (1.0e+20) than in Jet (1E+20).
  Exec("INSERT INTO T (Amount) VALUES (1e20)");
  EXPECT_EQ(Exec("UPDATE T SET Code = 'n' WHERE Amount LIKE '1E+%'"), 1);
}

}  // namespace
}  // namespace mt::test
