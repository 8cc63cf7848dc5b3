// The catalogue operations: named queries in one name space, lookups that
// answer "absent", table and column renames, column descriptions.
#include <sqlite3.h>

#include <QRegularExpression>

#include "db/jetsql/schema_model.h"
#include "db/store/sqlcipher_connection.h"
#include "engine_fixture.h"

namespace mt::test {
namespace {

class CatalogTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Exec("CREATE TABLE TIPKinds (IPKind LONG NOT NULL, IPKindName TEXT(50) WITH COMPRESSION NOT NULL, "
         "ExchangeCookiePortion INT NOT NULL DEFAULT 0, IsOn BIT DEFAULT False, "
         "CONSTRAINT PrimaryKey PRIMARY KEY (IPKind), CONSTRAINT IPKindName UNIQUE (IPKindName))");
    Exec("INSERT INTO TIPKinds (IPKind, IPKindName, ExchangeCookiePortion) VALUES (1, 'home', 30)");
    Exec("INSERT INTO TIPKinds (IPKind, IPKindName) VALUES (2, 'office')");
  }
  Catalog& Cat() { return conn_->GetCatalog(); }
  QStringList QueryLines() { return engine::ListSchema(*conn_).filter(QRegularExpression("^(view|procedure)\t")); }
};

// Unknown names are absent (the engine's own tables are no user tables),
// names ignore case, and views and procedures share one name space.
TEST_F(CatalogTest, NamesIgnoreCaseAndQueriesShareOneNameSpace) {
  for (const char* table : {"TNone", "", "_mt_columns"}) EXPECT_FALSE(Cat().HasTable(table)) << table;
  EXPECT_FALSE(Cat().HasColumn("TNone", "IPKind") || Cat().HasColumn("TIPKinds", "None"));
  EXPECT_TRUE(Cat().HasTable("tipkinds") && Cat().HasColumn("TIPKINDS", "ipkindname"));
  Cat().AppendProcedure("PSumLogByHour", "SELECT IPKind FROM TIPKinds WHERE IPKind = [lTaskIDX]");
  EXPECT_TRUE(Cat().HasProcedure("psumlogbyhour"));
  // Read from another statement, a query with parameters says so.
  for (const bool rows : {true, false})
    EXPECT_TRUE(FailureDescription([&] {
                  const QString sql = "SELECT Count(*) FROM PSumLogByHour";
                  rows ? (void)Rows(sql) : (void)Exec("INSERT INTO TIPKinds (IPKind) " + sql);
                }).contains("The query 'PSumLogByHour' cannot be read from another statement: it takes parameters"));
  EXPECT_FALSE(Cat().HasView("PSumLogByHour") || Cat().HasTable("PSumLogByHour") || Cat().HasProcedure("PNone"));
  // The name is taken, whatever the kind: the caller deletes first.
  EXPECT_NE(FailureCode([&] { Cat().AppendView("PSumLogByHour", "SELECT 1"); }), 0);
  EXPECT_NE(FailureCode([&] { Cat().AppendView("TIPKinds", "SELECT 1"); }), 0);
  EXPECT_EQ(FailureCode([&] { Cat().DeleteView("PSumLogByHour"); }), dberr::kNotFound);
  Cat().DeleteProcedure("PSumLogByHour");
  Cat().AppendView("PSumLogByHour", "SELECT IPKind, IPKindName FROM TIPKinds");
  Cat().AppendProcedure("PAnother", "SELECT * FROM TIPKinds");
  EXPECT_EQ(QueryLines(), (QStringList{"procedure\tPAnother", "view\tPSumLogByHour"}));
  Exec("DROP PROCEDURE PAnother");
  Exec("drop view [PSumLogByHour]");
  EXPECT_TRUE(QueryLines().isEmpty());
  EXPECT_NE(FailureCode([&] { Exec("DROP PROCEDURE PAnother"); }), 0);
}

// A name's key is its lower-case form, plain ASCII or not.
TEST(NameKey, IsTheNameInLowerCase) {
  for (const char* name : {"", "tipkinds", "TIPKinds", "ipKindName2_", "[Is On]", "ÉLAN", "사용자Name", "aİB"})
    EXPECT_EQ(engine::NameKey(QString::fromUtf8(name)), QString::fromUtf8(name).toLower()) << name;
}

// A text the engine cannot read is refused and not stored; a parameterised
// query or one over a table that does not exist (yet) is stored as text.
TEST_F(CatalogTest, QueriesAreStoredWhenTheEngineCanReadThem) {
  for (const QString bad : {"SELEC FROM nowhere", "SELECT FROM", "CREATE TABLE TX (A LONG)"}) {
    EXPECT_EQ(FailureCode([&] { Cat().AppendView("VBad", bad); }), dberr::kSyntax) << bad.toStdString();
    EXPECT_EQ(FailureCode([&] { Cat().AppendProcedure("PBad", bad); }), dberr::kSyntax) << bad.toStdString();
  }
  EXPECT_EQ(FailureCode([&] { Cat().AppendView("VBad", "DELETE FROM TIPKinds"); }), dberr::kSyntax);
  EXPECT_TRUE(QueryLines().isEmpty());
  Cat().AppendView("VLater", "SELECT X FROM TLater");
  Cat().AppendView("VByName", "SELECT IPKind FROM TIPKinds WHERE IPKindName = [PCodeString]");
  Cat().AppendProcedure("PClear", "DELETE FROM TIPKinds WHERE IPKind = [lKind]");
  Cat().AppendView("VOn", "SELECT IPKind, IPKindName FROM TIPKinds WHERE IsOn = False");
  EXPECT_EQ(QueryLines(), (QStringList{"procedure\tPClear", "view\tVByName", "view\tVLater", "view\tVOn"}));
  EXPECT_EQ(Rows("SELECT IPKindName FROM VOn ORDER BY IPKind"), (QStringList{"home", "office"}));
  Cat().DeleteView("VOn");
  EXPECT_NE(FailureCode([&] { Rows("SELECT * FROM VOn"); }), 0);
}

TEST_F(CatalogTest, ViewsFollowTheColumnsAddedAndDroppedUnderThem) {
  Cat().AppendView("VAll", "SELECT K.*, 1 AS Marker FROM TIPKinds AS K WHERE K.IPKind = 2");
  Cat().AppendView("VNote", "SELECT IPKind, Note FROM TIPKinds WHERE IPKind = 2");  // Note: a parameter yet
  EXPECT_EQ(Rows("SELECT * FROM VAll"), QStringList{"2|office|0|False|1"});
  Exec("ALTER TABLE TIPKinds ADD COLUMN Note TEXT(10)");
  Exec("ALTER TABLE TIPKinds ADD COLUMN Score LONG DEFAULT 7");
  EXPECT_EQ(Rows("SELECT * FROM VAll"), QStringList{"2|office|0|False|\\N|7|1"});
  EXPECT_EQ(Rows("SELECT * FROM VNote"), QStringList{"2|\\N"});
  Exec("ALTER TABLE TIPKinds DROP COLUMN Note");
  EXPECT_NE(FailureCode([&] { Rows("SELECT * FROM VNote"); }), 0);
  EXPECT_EQ(Rows("SELECT * FROM VAll"), QStringList{"2|office|0|False|7|1"});
}

// A table whose catalogue rows are gone (one made outside the engine) is
// described from SQLite's own schema, defaults read back as Jet text.
TEST_F(CatalogTest, ATableWithoutCatalogueRowsIsDescribedFromSqlite) {
  Exec("CREATE TABLE TBare (Day DATETIME DEFAULT Date(), At DATETIME DEFAULT Now(), Tag TEXT(9) DEFAULT \"it's\")");
  sqlite3* handle = static_cast<engine::SqlCipherConnection&>(*conn_).state().db.handle();
  ASSERT_EQ(sqlite3_exec(handle, "DELETE FROM _mt_columns WHERE tbl = 'TBare'", nullptr, nullptr, nullptr), SQLITE_OK);
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(SchemaOf("TBare").mid(1), (QStringList{"column\tTBare\tDay\tDATETIME\t\tDate()",
                                                   "column\tTBare\tAt\tDATETIME\t\tNow()",
                                                   "column\tTBare\tTag\tTEXT(9)\t\t\"it's\""}));
}

// The listing and rows of a renamed table are checked by the upgrade to 405,
// which renames one; here its keys and Yes/No handling, and the refusals.
TEST_F(CatalogTest, RenameTableCarriesEverythingAlong) {
  Cat().AppendView("VKinds", "SELECT IPKindName FROM TIPKinds");
  Cat().RenameTable("TIPKinds", "TIPKinds2");
  EXPECT_EQ(FailureCode([&] { Exec("INSERT INTO TIPKinds2 (IPKind, IPKindName) VALUES (1, 'x')"); }),
            dberr::kConstraint);
  Exec("INSERT INTO TIPKinds2 (IPKind, IPKindName, IsOn) VALUES (3, 'x', 1)");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TIPKinds2 WHERE IsOn = -1").toLongLong(), 1);

  EXPECT_EQ(FailureCode([&] { Cat().RenameTable("TIPKinds", "TX"); }), dberr::kNotFound);
  Exec("CREATE TABLE TOther (A LONG)");
  for (const char* taken : {"tipkinds2", "VKinds"})
    EXPECT_NE(FailureCode([&] { Cat().RenameTable("TOther", taken); }), 0) << taken;
  Cat().RenameTable("TOther", "TOTHER");  // only the case changes
  EXPECT_EQ(SchemaOf("TOTHER").value(0), "table\tTOTHER");
}

// Descriptions are stored escaped, replaced by a second one, and follow a
// renamed column; data and keys follow it too.
TEST_F(CatalogTest, RenamedColumnsKeepDataKeysAndDescriptions) {
  Cat().SetColumnDescription("TIPKinds", "IPKind", "UA용도 0:ahen, 1:작업, 2:공댓공");
  Cat().SetColumnDescription("TIPKinds", "ipkind", "일련번호");
  Cat().SetColumnDescription("TIPKinds", "IsOn", "tab\there \\ \"q\"");
  Cat().SetColumnDescription("TIPKinds", "IPKindName", "이름");
  Cat().RenameColumn("TIPKinds", "ExchangeCookiePortion", "ExchangePortion");
  Cat().RenameColumn("tipkinds", "ipkindname", "KindName");
  EXPECT_EQ(FailureCode([&] { Cat().RenameColumn("TIPKinds", "ExchangeCookiePortion", "X"); }), dberr::kNotFound);
  EXPECT_EQ(FailureCode([&] { Cat().RenameColumn("TNone", "A", "B"); }), dberr::kNotFound);
  EXPECT_NE(FailureCode([&] { Cat().RenameColumn("TIPKinds", "IsOn", "kindname"); }), 0);
  EXPECT_EQ(FailureCode([&] { Cat().SetColumnDescription("TIPKinds", "NoSuch", "x"); }), dberr::kNotFound);
  EXPECT_EQ(FailureCode([&] { Cat().SetColumnDescription("TNone", "A", "x"); }), dberr::kNotFound);
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(SchemaOf("TIPKinds"), (QStringList{
      "table\tTIPKinds", "column\tTIPKinds\tIPKind\tLONG\tNOT NULL\t",
      "column\tTIPKinds\tKindName\tTEXT(50)\tNOT NULL\t", "column\tTIPKinds\tExchangePortion\tLONG\tNOT NULL\t0",
      "column\tTIPKinds\tIsOn\tBIT\t\tFalse", "key\tTIPKinds\tPrimaryKey\tPRIMARY\tIPKind",
      "key\tTIPKinds\tIPKindName\tUNIQUE\tKindName", "description\tTIPKinds\tIPKind\t일련번호",
      "description\tTIPKinds\tKindName\t이름", "description\tTIPKinds\tIsOn\ttab\\there \\\\ \"q\"",
  }));
  EXPECT_EQ(Rows("SELECT KindName, ExchangePortion FROM TIPKinds ORDER BY IPKind"),
            (QStringList{"home|30", "office|0"}));
  EXPECT_EQ(FailureCode([&] { Exec("INSERT INTO TIPKinds (IPKind, KindName) VALUES (9, 'home')"); }),
            dberr::kConstraint);
}

// The engine's own tables take no ordinary statement; reading them is allowed.
TEST_F(CatalogTest, TheEngineTablesTakeNoOrdinaryStatement) {
  const QStringList before = engine::ListSchema(*conn_);
  const QStringList catalogue = Rows("SELECT tbl, col, jet_type, description FROM _mt_columns ORDER BY ord");
  ASSERT_EQ(catalogue.size(), 4);
  const QString guarded = QStringLiteral("belongs to the engine's catalogue");
  for (const char* sql : {"DELETE * FROM _mt_keys WHERE tbl = 'TIPKinds'", "UPDATE _mt_columns SET jet_type = 'TEXT'",
                          "INSERT INTO _mt_keys (tbl, name, kind, ord, col) VALUES ('TIPKinds', 'x', 'unique', 0, 'B')",
                          "DROP TABLE _mt_queries", "ALTER TABLE _mt_columns DROP COLUMN description"})
    EXPECT_TRUE(FailureDescription([&] { Exec(QString::fromLatin1(sql)); }).contains(guarded)) << sql;
  Exec("INSERT INTO TIPKinds (IPKind, IPKindName) SELECT ord + 10, col FROM _mt_columns");
  auto rs = conn_->OpenRecordset("SELECT * FROM _mt_columns", CursorType::Dynamic, LockType::Optimistic);
  rs->SetValue("jet_type", "TEXT");
  EXPECT_TRUE(FailureDescription([&] { rs->Update(); }).contains(guarded));
  rs->Close();
  EXPECT_EQ(engine::ListSchema(*conn_), before);
  EXPECT_EQ(Rows("SELECT tbl, col, jet_type, description FROM _mt_columns ORDER BY ord"), catalogue);
  Exec("UPDATE TIPKinds SET IsOn = 5");  // the engine's own Yes/No trigger still works
  EXPECT_EQ(Rows("SELECT DISTINCT IsOn FROM TIPKinds"), QStringList{"True"});
}

}  // namespace
}  // namespace mt::test
