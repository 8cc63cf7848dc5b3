// Data statements and CREATE TABLE through the engine, each checked by its
// effect: the rows read back, the types and defaults in the schema listing,
// the failures.
#include <sqlite3.h>

#include "db/store/sqlcipher_connection.h"
#include "engine_fixture.h"

namespace mt::test {
namespace {

using StatementTest = EngineTest;

// Type synonyms are listed as the type they stand for; keys declared with a
// column take its name, or PrimaryKey when unnamed; the types of imported
// Jet files keep their values exactly.
TEST_F(StatementTest, CreateTableKeepsJetTypesNotNullDefaultsAndKeys) {
  Exec("CREATE TABLE TAll (IDX COUNTER PRIMARY KEY, Name VARCHAR(50) WITH COMP NOT NULL CONSTRAINT UName UNIQUE, "
       "Body LONGTEXT WITH COMPRESSION DEFAULT \"\", Qty LONG DEFAULT -1, Small SMALLINT, Tiny BYTE, "
       "Flag YESNO NOT NULL DEFAULT True, Stamp DATETIME DEFAULT Now(), Ratio REAL, Score DOUBLE, "
       "Price CURRENCY DEFAULT 0, Cnt INT NOT NULL DEFAULT 10, Code text DEFAULT \"it's \"\"5|6\"\"\", "
       "At TIME DEFAULT #1899-12-31#, Seen BIT DEFAULT 1, Pic LONGBINARY, Tag BINARY(16), Rep GUID, "
       "Amount DECIMAL(28,4))");
  EXPECT_EQ(SchemaOf("TAll"), (QStringList{
      "table\tTAll", "column\tTAll\tIDX\tAUTOINCREMENT\t\t", "column\tTAll\tName\tTEXT(50)\tNOT NULL\t",
      "column\tTAll\tBody\tMEMO\t\t\"\"", "column\tTAll\tQty\tLONG\t\t-1", "column\tTAll\tSmall\tSHORT\t\t",
      "column\tTAll\tTiny\tBYTE\t\t", "column\tTAll\tFlag\tBIT\tNOT NULL\tTrue",
      "column\tTAll\tStamp\tDATETIME\t\tNow()", "column\tTAll\tRatio\tSINGLE\t\t", "column\tTAll\tScore\tFLOAT\t\t",
      "column\tTAll\tPrice\tMONEY\t\t0", "column\tTAll\tCnt\tLONG\tNOT NULL\t10",
      "column\tTAll\tCode\tTEXT(255)\t\t\"it's \"\"5|6\"\"\"", "column\tTAll\tAt\tDATETIME\t\t#1899-12-31#",
      "column\tTAll\tSeen\tBIT\t\t1", "column\tTAll\tPic\tLONGBINARY\t\t", "column\tTAll\tTag\tBINARY(16)\t\t",
      "column\tTAll\tRep\tGUID\t\t", "column\tTAll\tAmount\tDECIMAL(28,4)\t\t",
      "key\tTAll\tPrimaryKey\tPRIMARY\tIDX", "key\tTAll\tUName\tUNIQUE\tName",
  }));
  EXPECT_EQ(Rows("SELECT col FROM _mt_columns WHERE compression = 1"), (QStringList{"Name", "Body"}));

  // The defaults apply to a row that names only the required column (Now()
  // as a default is checked with ALTER TABLE ADD); text keeps its digits as
  // text, numbers stay numbers, decimals all their digits.
  EXPECT_EQ(Exec("INSERT INTO TAll (Name, Small, Ratio, Amount) VALUES ('007', '45', 2.5, "
                 "'123456789012345678901234.5678')"), 1);
  EXPECT_EQ(Rows("SELECT IDX, Name, Body, Qty, Small, Tiny, Flag, Ratio, Price, Cnt, Code, At, Seen FROM TAll"),
            QStringList{"1|007||-1|45|\\N|True|2.5|0|10|it's \"5|6\"|1899-12-31 00:00:00|True"});
  EXPECT_EQ(Value("SELECT Small FROM TAll").typeId(), QMetaType::LongLong);
  auto rs = conn_->OpenRecordset("SELECT * FROM TAll", CursorType::Dynamic, LockType::Optimistic);
  rs->SetValue("Pic", QByteArray("\x00\x10\xfe", 3));
  rs->SetValue("Rep", QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff"));
  rs->Update();
  rs->Close();
  EXPECT_EQ(Rows("SELECT Pic, Rep, Amount FROM TAll"),
            QStringList{"0x0010fe|{6F9619FF-8B86-D011-B42D-00C04FC964FF}|123456789012345678901234.5678"});
}

TEST_F(StatementTest, CreateTableRefusesAnExistingNameAndBadModels) {
  Exec("CREATE TABLE TOne (A LONG)");
  const std::pair<const char*, const char*> refused[] = {
      {"CREATE TABLE tone (B LONG)", ""}, {"CREATE TABLE TTwo (A LONG, a TEXT(5))", ""},
      {"CREATE TABLE TTwo (A COUNTER, B AUTOINCREMENT)", ""}, {"CREATE TABLE TTwo (A LONG DEFAULT Rnd())", ""},
      {"CREATE TABLE TTwo (A LONG, CONSTRAINT K PRIMARY KEY (Missing))", ""},
      {"CREATE TABLE TTwo (A LONG, B LONG, CONSTRAINT K1 PRIMARY KEY (A), CONSTRAINT K2 PRIMARY KEY (B))",
       "Table 'TTwo' already has a primary key."},
  };
  for (const auto& [sql, description] : refused) {
    const QString got = FailureDescription([&] { Exec(QString::fromUtf8(sql)); });
    EXPECT_FALSE(got.isEmpty()) << sql;
    if (*description) EXPECT_EQ(got, description);
  }
  const QString nulDefault = "CREATE TABLE TTwo (A MEMO DEFAULT \"a" + QString(QChar(0)) + "b\")";
  EXPECT_FALSE(FailureDescription([&] { Exec(nulDefault); }).isEmpty());
  EXPECT_FALSE(conn_->GetCatalog().HasTable("TTwo"));
  EXPECT_EQ(SchemaOf("TOne"), (QStringList{"table\tTOne", "column\tTOne\tA\tLONG\t\t"}));
}

// Stored as Jet stores them: True is -1, whatever was written, by any
// statement, in a transaction or not. A row whose value, once stored so,
// breaks a key is not inserted at all.
TEST_F(StatementTest, YesNoHoldsMinusOneOrZeroAndMemoKeepsNumbersAsText) {
  for (const bool held : {false, true}) {
    SCOPED_TRACE(held ? "in a transaction" : "auto-committed");
    Exec("CREATE TABLE TFlags (K LONG, F BIT, G BIT DEFAULT False, CONSTRAINT OneEach UNIQUE (K, F))");
    if (held) conn_->BeginTransaction();
    Exec("INSERT INTO TFlags (K, F) VALUES (1, 1)");
    Exec("INSERT INTO TFlags (K, F, G) VALUES (3, 0, 7)");
    EXPECT_EQ(Exec("UPDATE TFlags SET F = 5 WHERE K = 3"), 1);
    EXPECT_EQ(Exec("INSERT INTO TFlags (K, F, G) SELECT K + 10, 2, 'no' FROM TFlags"), 2);
    EXPECT_EQ(FailureCode([&] { Exec("INSERT INTO TFlags (K, F) VALUES (1, 5)"); }), dberr::kConstraint);
    if (held) conn_->CommitTransaction();
    EXPECT_EQ(Rows("SELECT K, F, G FROM TFlags ORDER BY K"),
              (QStringList{"1|True|False", "3|True|True", "11|True|False", "13|True|False"}));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM TFlags WHERE F = -1 AND G = True").toLongLong(), 1);
    Exec("DROP TABLE TFlags");
  }

  // The settings insert of the scripts adds its row once; MEMO columns keep
  // what a number literal wrote into them as text.
  Exec("CREATE TABLE TSettings (ID MEMO DEFAULT \"\", Val1 MEMO WITH COMPRESSION DEFAULT \"\", "
       "Val2 MEMO DEFAULT \"\", Alias MEMO DEFAULT \"\", [Order] INT NOT NULL DEFAULT 0)");
  Exec("INSERT INTO TSettings (ID, Val1) VALUES ('DBVersion', '299')");
  const QString insert = QStringLiteral(
      "INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'Stay.FocusURL', 0, 1, 'URL링크 포커싱', "
      "5 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.FocusURL')");
  EXPECT_EQ(Exec(insert), 1);
  EXPECT_EQ(Exec(insert), 0);
  EXPECT_EQ(Exec("UPDATE [TSettings] SET Val1=\"300\" WHERE [ID]=\"DBVersion\""), 1);
  EXPECT_EQ(Rows("SELECT ID, Val1, Val2, Alias, [Order] FROM TSettings ORDER BY ID"),
            (QStringList{"DBVersion|300|||0", "Stay.FocusURL|0|1|URL링크 포커싱|5"}));
  EXPECT_EQ(Value("SELECT Val1 FROM TSettings WHERE ID = 'Stay.FocusURL'"), QVariant("0"));
}

// DISTINCTROW keeps one row per record of the tables whose fields are shown:
// customers with orders once each, two customers of one name apart. Where
// every table is shown, over one table, or over a view, rows stay as selected.
TEST_F(StatementTest, DistinctRowAndJoinColumnNamesFollowJet) {
  Exec("CREATE TABLE Customers (ID LONG, CompanyName TEXT(40))");
  Exec("CREATE TABLE Orders (ID LONG, CustomerID LONG)");
  for (const char* row : {"1, 'Alfa'", "2, 'Alfa'", "3, 'Beta'"})
    Exec(QStringLiteral("INSERT INTO Customers VALUES (%1)").arg(QLatin1String(row)));
  for (const char* row : {"10, 1", "11, 1", "12, 2", "13, 2", "14, 9"})
    Exec(QStringLiteral("INSERT INTO Orders VALUES (%1)").arg(QLatin1String(row)));
  conn_->GetCatalog().AppendView("VC", "SELECT ID, CompanyName FROM Customers");
  const QString join = QStringLiteral(" INNER JOIN Orders ON C.ID = Orders.CustomerID");
  const std::pair<QString, int> cases[] = {
      {"SELECT DISTINCTROW CompanyName FROM Customers AS C" + join, 2},
      {"SELECT DISTINCTROW C.*, CompanyName & '!' FROM Customers AS C" + join + " ORDER BY C.ID", 2},
      {"SELECT DISTINCTROW C.CompanyName, Orders.ID FROM Customers AS C" + join, 4},
      {"SELECT DISTINCTROW CompanyName FROM Customers AS C LEFT JOIN Orders ON C.ID = Orders.CustomerID", 3},
      {"SELECT DISTINCTROW * FROM Customers AS C" + join, 4},
      {"SELECT DISTINCTROW CompanyName FROM Customers", 3},
      {"SELECT DISTINCTROW C.CompanyName FROM VC AS C" + join, 4},
      {"SELECT DISTINCTROW Count(*) FROM Customers AS C" + join, 1},
  };
  for (const auto& [jet, rows] : cases) EXPECT_EQ(Rows(jet).size(), size_t(rows)) << jet.toStdString();
  // A qualified column is named by its column, also where SQLite would name it otherwise
  // (a view inside a nested join).
  conn_->GetCatalog().AppendView("VS", "SELECT CustomerID, Count(*) AS N FROM Orders GROUP BY CustomerID");
  auto rs = conn_->OpenRecordset("SELECT C.CompanyName, Orders.ID FROM Customers AS C INNER JOIN (Orders INNER "
                                 "JOIN VS ON Orders.CustomerID = VS.CustomerID) ON C.ID = Orders.CustomerID",
                                 CursorType::Static, LockType::ReadOnly);
  EXPECT_EQ(rs->FieldName(0) + '|' + rs->FieldName(1), "CompanyName|ID");
}

int g_beats = 0;

// The heartbeat also beats inside one statement that runs long (a join of a
// thousand rows with itself reads a million), not only between statements,
// and inside one long step of SQLite's, between the pages it reads (a check
// of a whole file of 1 MB).
TEST_F(StatementTest, TheHeartbeatBeatsInsideALongStatement) {
  Exec("CREATE TABLE T (A LONG, B MEMO)");
  conn_->BeginTransaction();
  for (int i = 0; i < 1000; ++i) Exec(QStringLiteral("INSERT INTO T VALUES (%1, '%2')").arg(i).arg(QString(1000, u'b')));
  conn_->CommitTransaction();
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  SetEngineHeartbeat([] { ++g_beats; });
  for (const bool wholeFile : {false, true}) {
    g_beats = 0;
    if (wholeFile) EXPECT_EQ(conn_->Damage(true), QString());
    else EXPECT_EQ(Value("SELECT Count(*) FROM T AS X, T AS Y WHERE X.A <= Y.A").toLongLong(), 500500);
    EXPECT_GE(g_beats, wholeFile ? 20 : 100) << wholeFile;
  }
  SetEngineHeartbeat(nullptr);
}

TEST_F(StatementTest, ARejectedStatementChangesNothingAndTheConnectionGoesOn) {
  Exec("CREATE TABLE TKeyed (K LONG NOT NULL, V TEXT(10), CONSTRAINT PrimaryKey PRIMARY KEY (K))");
  Exec("CREATE TABLE TSource (K LONG, V TEXT(10))");
  Exec("INSERT INTO TKeyed (K, V) VALUES (2, 'two')");
  for (int k = 1; k <= 3; ++k) Exec(QStringLiteral("INSERT INTO TSource (K, V) VALUES (%1, 'src')").arg(k));

  // The second source row collides with the key: no row of the statement stays.
  const std::pair<const char*, int32_t> refused[] = {
      {"INSERT INTO TKeyed (K, V) SELECT K, V FROM TSource", dberr::kConstraint},
      {"INSERT INTO TKeyed (K, V) VALUES (NULL, 'x')", dberr::kConstraint},
      {"INSERT INTO TMissing (K) VALUES (1)", dberr::kNotFound}};
  for (const auto& [sql, code] : refused) EXPECT_EQ(FailureCode([&] { Exec(QString::fromUtf8(sql)); }), code) << sql;
  EXPECT_EQ(Rows("SELECT K, V FROM TKeyed"), QStringList{"2|two"});

  EXPECT_EQ(Exec("INSERT INTO TKeyed (K, V) VALUES (3, 'three')"), 1);
  // Nothing was left pending: a fresh connection sees exactly the committed rows.
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(Rows("SELECT K FROM TKeyed ORDER BY K"), (QStringList{"2", "3"}));
}

// When the disk fills, the large change fails and is rolled back; a small
// one after it would still fit and record work that never reached the file.
// The connection takes no change at all until it is opened again.
TEST_F(StatementTest, AFullDiskStopsEveryLaterWriteUntilReopened) {
  Exec("CREATE TABLE TBig (K LONG, V MEMO)");
  Exec("CREATE TABLE TStamp (ID TEXT(20), Val1 TEXT(20))");
  Exec("INSERT INTO TStamp (ID, Val1) VALUES ('DBVersion', '1')");
  sqlite3* handle = static_cast<engine::SqlCipherConnection&>(*conn_).state().db.handle();
  // The file may not grow: SQLite's stand-in for a full disk.
  sqlite3_exec(handle, "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr);

  const QString big = QStringLiteral("INSERT INTO TBig (K, V) VALUES (1, '%1')").arg(QString(200000, u'x'));
  EXPECT_EQ(FailureCode([&] { Exec(big); }), dberr::kOpenFailed);
  for (const char* write : {"UPDATE TStamp SET Val1 = '2' WHERE ID = 'DBVersion'", "DELETE * FROM TBig",
                            "ALTER TABLE TStamp ADD COLUMN Val2 TEXT(20)"})
    EXPECT_TRUE(FailureDescription([&] { Exec(QString::fromLatin1(write)); }).contains("full")) << write;
  EXPECT_EQ(Rows("SELECT Val1 FROM TStamp"), QStringList{"1"});  // reading goes on

  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(Exec("UPDATE TStamp SET Val1 = '2' WHERE ID = 'DBVersion'"), 1);
  EXPECT_EQ(Rows("SELECT Val1 FROM TStamp"), QStringList{"2"});
}

// A COMMIT that fails (here a deferred key check) takes its transaction with
// it: its table and rows are gone, and the next change is committed on its own.
TEST_F(StatementTest, AFailedCommitIsRolledBack) {
  Exec("CREATE TABLE TStamp (ID TEXT(20))");
  sqlite3* handle = static_cast<engine::SqlCipherConnection&>(*conn_).state().db.handle();
  ASSERT_EQ(sqlite3_exec(handle, "PRAGMA foreign_keys = ON; CREATE TABLE p (id INTEGER PRIMARY KEY); "
                         "CREATE TABLE c (pid INTEGER REFERENCES p (id) DEFERRABLE INITIALLY DEFERRED)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  conn_->BeginTransaction();
  Exec("INSERT INTO TStamp (ID) VALUES ('lost')");
  Exec("CREATE TABLE TLost (A LONG)");
  ASSERT_TRUE(conn_->GetCatalog().HasTable("TLost"));
  ASSERT_EQ(sqlite3_exec(handle, "INSERT INTO c VALUES (7)", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(FailureCode([&] { conn_->CommitTransaction(); }), dberr::kConstraint);
  EXPECT_FALSE(conn_->GetCatalog().HasTable("TLost"));
  Exec("INSERT INTO TStamp (ID) VALUES ('kept')");
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(Rows("SELECT ID FROM TStamp"), QStringList{"kept"});
}

}  // namespace
}  // namespace mt::test
