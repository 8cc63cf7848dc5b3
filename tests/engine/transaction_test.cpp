// The caller's transaction (as the upgrade holds one per version), storage
// failures in it, and the engine's refusal of statements that would change
// its own catalogue.
#include <sqlite3.h>

#include "db/engine/sqlcipher_connection.h"
#include "db/engine/sqlcipher_engine.h"
#include "engine_fixture.h"
#include "support/fault_vfs.h"

namespace mt::test {
namespace {

using TransactionTest = EngineTest;

// Inside the transaction each statement sees the ones before; a failing one,
// a failing key rebuild among them, is undone alone; the end decides for all.
TEST_F(TransactionTest, FailuresAreUndoneAloneAndTheEndDecidesForTheRest) {
  for (const bool commit : {false, true}) {
    SCOPED_TRACE(commit ? "commit" : "rollback");
    conn_->BeginTransaction();
    Exec("CREATE TABLE TKeyed (K LONG NOT NULL, V TEXT(10))");
    Exec("INSERT INTO TKeyed (K, V) VALUES (1, 'one')");
    Exec("INSERT INTO TKeyed (K, V) VALUES (1, 'again')");
    EXPECT_EQ(ErrorOf([&] { Exec("ALTER TABLE TKeyed ADD CONSTRAINT PrimaryKey PRIMARY KEY (K)"); }),
              dberr::kConstraint);
    Exec("DELETE FROM TKeyed WHERE V = 'again'");
    Exec("ALTER TABLE TKeyed ADD CONSTRAINT PrimaryKey PRIMARY KEY (K)");
    EXPECT_EQ(ErrorOf([&] { Exec("INSERT INTO TKeyed (K, V) VALUES (1, 'dup')"); }), dberr::kConstraint);
    EXPECT_EQ(ErrorOf([&] { Exec("INSERT INTO TMissing (K) VALUES (1)"); }), dberr::kNotFound);
    Exec("INSERT INTO TKeyed (K, V) SELECT K + 1, 'copy' FROM TKeyed");
    EXPECT_TRUE(conn_->WriteRefusal().isEmpty());
    if (commit) conn_->CommitTransaction();
    else conn_->RollbackTransaction();
  }
  EXPECT_EQ(Rows("SELECT K, V FROM TKeyed ORDER BY K"), (QStringList{"1|one", "2|copy"}));
  EXPECT_EQ(SchemaOf("TKeyed").filter("key").size(), 1);
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(Rows("SELECT K FROM TKeyed ORDER BY K"), (QStringList{"1", "2"}));
}

// A disk that fills or a device that fails in the middle of the transaction:
// nothing of it is written, later writes are refused until it is rolled back
// (a lost transaction) or the file is opened again (no more space).
TEST_F(TransactionTest, AStorageFailureLosesTheWholeTransactionAndRefusesTheRest) {
  Exec("CREATE TABLE TBig (K LONG, V MEMO)");
  Exec("INSERT INTO TBig (K, V) VALUES (0, 'before')");
  conn_->Close();
  const QString row = QStringLiteral("INSERT INTO TBig (K, V) VALUES (%1, '") + QString(4000, u'x') +
                      QStringLiteral("')");
  for (const int code : {SQLITE_FULL, SQLITE_IOERR_WRITE}) {
    SCOPED_TRACE(code);
    FaultVfs vfs;
    conn_ = engine_.Open(Path(), kPassword);
    conn_->BeginTransaction();
    vfs.FailAfter(64 * 1024, code);
    // Past the page cache, the rows must reach the log: the writes fail.
    int k = 1;
    try {
      for (; k < 4000; ++k) Exec(row.arg(k));
    } catch (const DbError&) {
    }
    EXPECT_TRUE(k < 4000 && vfs.failures() > 0);
    EXPECT_FALSE(conn_->WriteRefusal().isEmpty());
    EXPECT_NE(DescriptionOf([&] { Exec("UPDATE TBig SET V = 'changed' WHERE K = 0"); }), "(no failure)");
    EXPECT_NE(DescriptionOf([&] { conn_->CommitTransaction(); }), "(no failure)");
    vfs.Disarm();
    conn_->Close();
    conn_ = engine_.Open(Path(), kPassword);
    EXPECT_EQ(Rows("SELECT K, V FROM TBig"), QStringList{"0|before"});
    conn_->Close();
  }
}

TEST_F(TransactionTest, TheCatalogueTakesNoOrdinaryStatement) {
  Exec("CREATE TABLE TData (K LONG, B BIT, CONSTRAINT PrimaryKey PRIMARY KEY (K))");
  conn_->GetCatalog().SetColumnDescription("TData", "K", "the key");
  const QStringList before = engine::ListSchema(*conn_);
  const QStringList catalogue = Rows("SELECT tbl, col, jet_type, description FROM _mt_columns ORDER BY ord");
  ASSERT_EQ(catalogue.size(), 2);
  for (const char* sql : {"DELETE * FROM _mt_keys WHERE tbl = 'TData'", "UPDATE _mt_columns SET jet_type = 'TEXT'",
                          "INSERT INTO _mt_keys (tbl, name, kind, ord, col) VALUES ('TData', 'x', 'unique', 0, 'B')",
                          "DROP TABLE _mt_queries", "ALTER TABLE _mt_columns DROP COLUMN description"})
    EXPECT_TRUE(DescriptionOf([&] { Exec(QString::fromLatin1(sql)); }).contains("belongs to the engine's catalogue")) << sql;
  Exec("INSERT INTO TData (K) SELECT ord FROM _mt_columns");  // reading is allowed
  auto rs = conn_->OpenRecordset("SELECT * FROM _mt_columns", CursorType::Dynamic, LockType::Optimistic);
  rs->SetValue("jet_type", "TEXT");
  EXPECT_TRUE(DescriptionOf([&] { rs->Update(); }).contains("belongs to the engine's catalogue"));
  rs->Close();

  EXPECT_EQ(engine::ListSchema(*conn_), before);
  EXPECT_EQ(Rows("SELECT tbl, col, jet_type, description FROM _mt_columns ORDER BY ord"), catalogue);
  Exec("UPDATE TData SET B = 5");  // the engine's own Yes/No trigger still works
  EXPECT_EQ(Rows("SELECT DISTINCT B FROM TData"), QStringList{"True"});
}

}  // namespace
}  // namespace mt::test
