// ALTER TABLE in all its forms. Most go through the table rebuild, which must
// keep rows, keys, defaults, Jet types, column order and descriptions, and
// must leave everything as it was when it fails.
#include <sqlite3.h>

#include <QDateTime>

#include "db/store/sqlcipher_connection.h"
#include "engine_fixture.h"

namespace mt::test {
namespace {

class AlterTest : public EngineTest {
 protected:
  // TUsers: an AUTOINCREMENT key, a unique name, a Yes/No column, a text
  // column with digits, a description, three rows and a deleted fourth (so a
  // reused counter would show).
  void CreateUsers() {
    Exec("CREATE TABLE TUsers (IDX AUTOINCREMENT, UserId TEXT(50) WITH COMPRESSION NOT NULL, Code TEXT(20) DEFAULT "
         "\"\", IsEnabled BIT NOT NULL DEFAULT True, Visits LONG DEFAULT 0, Joined TEXT(30), "
         "CONSTRAINT PrimaryKey PRIMARY KEY (IDX), CONSTRAINT UUserId UNIQUE (UserId))");
    Exec("INSERT INTO TUsers (UserId, Code, Visits, Joined) VALUES ('kim', '007', 3, '2024-07-04')");
    Exec("INSERT INTO TUsers (UserId, Code, Visits, Joined) VALUES ('lee', '12', 0, '2023-01-31 10:00:00')");
    Exec("INSERT INTO TUsers (UserId, IsEnabled, Visits) VALUES ('park', False, 8)");
    Exec("INSERT INTO TUsers (UserId) VALUES ('gone')");
    Exec("DELETE FROM TUsers WHERE UserId = 'gone'");
    conn_->GetCatalog().SetColumnDescription("TUsers", "UserId", "로그인 아이디");
  }

  QStringList Users() { return Rows("SELECT * FROM TUsers ORDER BY IDX"); }

  void ExpectRejectedUnchanged(const QString& statement) {
    const QStringList schema = engine::ListSchema(*conn_);
    const QStringList rows = Users();
    EXPECT_NE(FailureCode([&] { Exec(statement); }), 0) << statement.toStdString();
    EXPECT_EQ(engine::ListSchema(*conn_), schema) << statement.toStdString();
    EXPECT_EQ(Users(), rows) << statement.toStdString();
  }
};

// Added columns, with and without the word COLUMN, take their default (Now()
// included) or, NOT NULL without one, the type's empty value in the rows there.
TEST_F(AlterTest, AddColumnFillsExistingRows) {
  CreateUsers();
  const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
  for (const char* column : {"COLUMN Score FLOAT NOT NULL DEFAULT 0", "Memo2 MEMO WITH COMPRESSION",
                             "COLUMN Verified BIT DEFAULT False", "COLUMN Rank LONG NOT NULL",
                             "COLUMN Nick TEXT(10) NOT NULL", "COLUMN CreateDate DATETIME DEFAULT Now()"})
    Exec(QStringLiteral("ALTER TABLE TUsers ADD ") + column);
  EXPECT_EQ(Rows("SELECT UserId, Score, Memo2, Verified, Rank, Nick FROM TUsers ORDER BY IDX"),
            (QStringList{"kim|0|\\N|False|0|", "lee|0|\\N|False|0|", "park|0|\\N|False|0|"}));
  const QDateTime created = Value("SELECT CreateDate FROM TUsers WHERE IDX = 3").toDateTime();
  EXPECT_TRUE(created >= before && created <= QDateTime::currentDateTime().addSecs(2));
  // A Yes/No column added later normalises what is written to it as well;
  // a new row continues the counter after the deleted row's number.
  Exec("UPDATE TUsers SET Verified = 1 WHERE UserId = 'kim'");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TUsers WHERE Verified = -1").toLongLong(), 1);
  EXPECT_EQ(FailureCode([&] { Exec("INSERT INTO TUsers (UserId, Nick) VALUES ('new', 'n')"); }), dberr::kConstraint);
  Exec("INSERT INTO TUsers (UserId, Rank, Nick) VALUES ('new', 1, 'n')");
  EXPECT_EQ(Value("SELECT IDX FROM TUsers WHERE UserId = 'new'").toLongLong(), 5);
  // The same column twice is refused (scripts rely on that failure).
  ExpectRejectedUnchanged("ALTER TABLE TUsers ADD COLUMN score LONG");
}

TEST_F(AlterTest, DropColumnKeepsRowsKeysCounterAndDescriptions) {
  CreateUsers();
  const QStringList schema = SchemaOf("TUsers").filter(QRegularExpression("^(?!column\tTUsers\tJoined\t)"));
  Exec("ALTER TABLE TUsers DROP COLUMN Joined");
  EXPECT_EQ(Users(), (QStringList{"1|kim|007|True|3", "2|lee|12|True|0", "3|park||False|8"}));
  EXPECT_EQ(SchemaOf("TUsers"), schema);
  // Keys, defaults, Yes/No handling and the counter still work after the rebuild.
  EXPECT_EQ(FailureCode([&] { Exec("INSERT INTO TUsers (UserId) VALUES ('kim')"); }), dberr::kConstraint);
  Exec("INSERT INTO TUsers (UserId, IsEnabled) VALUES ('choi', 1)");
  EXPECT_EQ(Rows("SELECT IDX, Code, IsEnabled, Visits FROM TUsers WHERE UserId = 'choi'"), QStringList{"5||True|0"});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TUsers WHERE IsEnabled = -1").toLongLong(), 3);
}

TEST_F(AlterTest, RefusedDropsAndConversionsChangeNothing) {
  CreateUsers();
  Exec("UPDATE TUsers SET Visits = 300 WHERE UserId = 'park'");
  for (const char* refused : {"ALTER COLUMN UserId LONG", "ALTER COLUMN Joined TEXT(30) NOT NULL",
                              "ALTER COLUMN Visits BYTE", "DROP COLUMN NoSuchColumn", "DROP COLUMN UserId"})
    ExpectRejectedUnchanged(QStringLiteral("ALTER TABLE TUsers ") + refused);
  ExpectRejectedUnchanged("ALTER TABLE TNoSuchTable DROP COLUMN UserId");
  // Once the key is gone the column can go.
  Exec("ALTER TABLE TUsers DROP CONSTRAINT UUserId");
  Exec("ALTER TABLE TUsers DROP COLUMN UserId");
  EXPECT_FALSE(conn_->GetCatalog().HasColumn("TUsers", "UserId"));
}

// The rebuild converts each value as ALTER COLUMN does (the conversions
// themselves are the column storage tests').
TEST_F(AlterTest, AlterColumnConvertsValuesAndKeepsTheDefault) {
  CreateUsers();
  Exec("ALTER TABLE TUsers ALTER COLUMN Joined DATETIME");
  Exec("ALTER TABLE TUsers ALTER COLUMN Code LONG");
  EXPECT_EQ(Rows("SELECT Code, Joined FROM TUsers ORDER BY IDX"),
            (QStringList{"7|2024-07-04 00:00:00", "12|2023-01-31 10:00:00", "\\N|\\N"}));
  // No DEFAULT in the statement: the old default stays.
  EXPECT_TRUE(SchemaOf("TUsers").contains("column\tTUsers\tCode\tLONG\t\t\"\""));
}

// A composite key replaces the counter's key (a second primary key is refused
// in the CREATE TABLE tests); DROP TABLE frees the name with its columns and
// descriptions.
TEST_F(AlterTest, ReplacingThePrimaryKeyAndDroppingTheTable) {
  CreateUsers();
  Exec("ALTER TABLE TUsers DROP CONSTRAINT PrimaryKey");
  Exec("ALTER TABLE TUsers ADD CONSTRAINT PrimaryKey PRIMARY KEY (Code, Visits)");
  EXPECT_TRUE(SchemaOf("TUsers").contains("key\tTUsers\tPrimaryKey\tPRIMARY\tCode,Visits"));
  EXPECT_EQ(FailureCode([&] { Exec("INSERT INTO TUsers (UserId, Code, Visits) VALUES ('x', '12', 0)"); }),
            dberr::kConstraint);
  Exec("INSERT INTO TUsers (UserId, Code, Visits) VALUES ('x', '12', 1)");
  EXPECT_EQ(Value("SELECT MAX(IDX) FROM TUsers").toLongLong(), 5);
  EXPECT_NE(FailureCode([&] { Exec("ALTER TABLE TUsers DROP CONSTRAINT NoSuchKey"); }), 0);

  Exec("DROP TABLE TUsers");
  EXPECT_EQ(FailureCode([&] { Exec("DROP TABLE TUsers"); }), dberr::kNotFound);
  Exec("CREATE TABLE TUsers (UserId TEXT(50))");
  EXPECT_EQ(SchemaOf("TUsers"), (QStringList{"table\tTUsers", "column\tTUsers\tUserId\tTEXT(50)\t\t"}));
}

// What SQLite is told to refuse: ALTER TABLE (an added column's first and
// only statement that could fail) or dropping TUsers (a rebuild of it, after
// its copy is made).
int g_refused = 0;
int Refuse(void*, int action, const char* table, const char*, const char*, const char*) {
  const bool users = table && QLatin1String(table) == QLatin1String("TUsers");
  return action == g_refused && (action == SQLITE_ALTER_TABLE || users) ? SQLITE_DENY : SQLITE_OK;
}

// Inside the caller's transaction, adding and dropping a column run without
// a savepoint of their own. One refused by its checks, or by SQLite before
// it changed anything (also because a statement still reads the table),
// changes nothing and the transaction goes on; one that fails halfway loses
// the transaction, which takes no further change, and its rollback leaves
// the table as it was.
TEST_F(AlterTest, AChangeInsideATransactionEitherChangesNothingOrLosesIt) {
  CreateUsers();
  for (int i = 0; i < 6; ++i)
    Exec(QStringLiteral("INSERT INTO TUsers (UserId, Joined) SELECT UserId & '.%1', Joined FROM TUsers").arg(i));
  const QStringList schema = engine::ListSchema(*conn_), rows = Users();
  sqlite3* handle = static_cast<engine::SqlCipherConnection&>(*conn_).state().db.handle();

  conn_->BeginTransaction();
  ExpectRejectedUnchanged("ALTER TABLE TUsers DROP COLUMN NoSuchColumn");
  sqlite3_stmt* reader = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(handle, "SELECT * FROM TUsers", -1, &reader, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(reader), SQLITE_ROW);
  ExpectRejectedUnchanged("ALTER TABLE TUsers DROP COLUMN Joined");
  sqlite3_finalize(reader);
  sqlite3_set_authorizer(handle, Refuse, nullptr);
  g_refused = SQLITE_ALTER_TABLE;
  ExpectRejectedUnchanged("ALTER TABLE TUsers ADD COLUMN Extra LONG");
  EXPECT_EQ(conn_->WriteRefusal(), QString());

  g_refused = SQLITE_DROP_TABLE;
  EXPECT_NE(FailureCode([&] { Exec("ALTER TABLE TUsers DROP COLUMN Joined"); }), 0);
  sqlite3_set_authorizer(handle, nullptr, nullptr);
  EXPECT_NE(conn_->WriteRefusal(), QString());
  EXPECT_NE(FailureCode([&] { Exec("DELETE * FROM TUsers"); }), 0);
  conn_->RollbackTransaction();
  EXPECT_EQ(engine::ListSchema(*conn_), schema);
  EXPECT_EQ(Users(), rows);

  // Outside a transaction the change has a savepoint of its own: failing
  // halfway, it leaves the file as it was.
  const auto objects = [&] {
    QStringList names;
    sqlite3_exec(handle, "SELECT name FROM sqlite_master ORDER BY name", [](void* out, int, char** v, char**) {
      static_cast<QStringList*>(out)->append(QString::fromUtf8(v[0]));
      return 0;
    }, &names, nullptr);
    return names;
  };
  const QStringList before = objects();
  sqlite3_set_authorizer(handle, Refuse, nullptr);
  ExpectRejectedUnchanged("ALTER TABLE TUsers DROP COLUMN Joined");
  sqlite3_set_authorizer(handle, nullptr, nullptr);
  EXPECT_EQ(objects(), before);
}

// Column drops of one table, each told that the next follows, wait for one
// another inside a transaction and make one rebuild: each statement still
// fails or succeeds as it would alone, whatever comes next (a statement, a
// commit, a rollback) finds the table as the drops left it, in the file too.
TEST_F(AlterTest, ConsecutiveDropsInsideATransactionMakeOneRebuild) {
  CreateUsers();
  const QStringList rows = Users();
  const auto drop = [](const char* column) { return QStringLiteral("ALTER TABLE TUsers DROP COLUMN ") + column; };
  conn_->BeginTransaction();
  conn_->Execute(drop("Joined"), drop("Code"));
  conn_->Execute(drop("Code"), drop("Code"));
  conn_->RollbackTransaction();
  EXPECT_EQ(Users(), rows);

  conn_->BeginTransaction();
  conn_->Execute(drop("Joined"), drop("NoSuchColumn"));
  EXPECT_EQ(FailureCode([&] { conn_->Execute(drop("NoSuchColumn"), drop("Visits")); }), dberr::kNotFound);
  // Told of drops that do not come, as a careless caller might.
  conn_->Execute(drop("Visits"), drop("Code"));
  EXPECT_NE(FailureCode([&] { Exec("INSERT INTO TUsers (UserId, Visits) VALUES ('x', 1)"); }), 0);
  Exec("INSERT INTO TUsers (UserId) VALUES ('choi')");
  conn_->Execute(drop("Code"), drop("IsEnabled"));
  conn_->CommitTransaction();
  sqlite3* handle = static_cast<engine::SqlCipherConnection&>(*conn_).state().db.handle();
  sqlite3_stmt* columns = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(handle, "PRAGMA table_info(TUsers)", -1, &columns, nullptr), SQLITE_OK);
  int stored = 0;
  while (sqlite3_step(columns) == SQLITE_ROW) ++stored;
  sqlite3_finalize(columns);
  EXPECT_EQ(stored, 3);
  EXPECT_EQ(Users(), (QStringList{"1|kim|True", "2|lee|True", "3|park|False", "5|choi|True"}));
}

}  // namespace
}  // namespace mt::test
