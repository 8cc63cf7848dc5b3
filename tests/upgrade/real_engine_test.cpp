// Each version applied whole or not at all on a real database. (The shipped
// scripts applied to a real database, catalogue statements and failing
// statements included, and the migrate tool are checked by the schema tests.)
#include <sqlite3.h>

#include "db/store/sqlcipher_connection.h"
#include "upgrade/upgrade_engine.h"
#include "upgrade/upgrade_fixture.h"
#include "support/fault_vfs.h"
#include "support/real_db.h"

namespace mt::testing {
namespace {

class RealEngineUpgrade : public UpgradeFixture {
 protected:
  void SetUp() override {
    UpgradeFixture::SetUp();
    ReleaseSharedConnection();
    SetDefaultEngine(nullptr);  // the production engine
  }

  // A database at version 401 holding TSettings only, open as the shared connection.
  void OpenAt401() {
    test::CreateDatabase(path_, {"CREATE TABLE TSettings (ID TEXT(50), Val1 MEMO)",
                                 "INSERT INTO TSettings (ID, Val1) VALUES ('DBVersion', '401')"});
    ASSERT_NE(DBGetConnection(path_), nullptr);
  }

  const QString path_ = spine_.folder.File(QStringLiteral("Marrowtide.mdb"));
};

// Each statement sees the ones before it, a failing one (a plain statement, a
// key rebuild, a catalogue statement) is logged and skipped, the rest of its
// version applies and the version is stamped, as without the transaction.
TEST_F(RealEngineUpgrade, AFailingStatementIsSkippedAndTheRestOfItsVersionApplies) {
  OpenAt401();
  AddScript(402,
            "CREATE TABLE T (K LONG NOT NULL, V TEXT(20))\xE2\x96\xA0"
            "INSERT INTO T (K, V) VALUES (1, 'one')\xE2\x96\xA0"
            "INSERT INTO T (K, V) VALUES (1, 'twice')\xE2\x96\xA0"
            "ALTER TABLE T ADD CONSTRAINT PrimaryKey PRIMARY KEY (K)\xE2\x96\xA0"
            "DELETE FROM T WHERE V = 'twice'\xE2\x96\xA0"
            "ALTER TABLE T ADD CONSTRAINT PrimaryKey PRIMARY KEY (K)\xE2\x96\xA0"
            "INSERT INTO T (K, V) VALUES (1, 'dup')\xE2\x96\xA0"
            "CREATE VIEW [VT] SELECT K FROM T\xE2\x96\xA0"
            "CREATE VIEW [VT] AS SELECT K FROM T\xE2\x96\xA0"
            "ALTER TABLE T RENAME COLUMN V TO Name\xE2\x96\xA0"
            "INSERT INTO T (K, Name) SELECT K + 1, 'copy' FROM VT\xE2\x96\xA0");
  AddScript(403, "INSERT INTO T (K, Name) VALUES (3, 'three')");
  const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(401, 403);
  EXPECT_EQ(outcome.lastRecorded, 403);
  EXPECT_EQ(outcome.abandoned, 0);
  // The first key, the duplicate and the view without its query.
  EXPECT_EQ(LogCount("[err: modMain.p_DBUpgrade] line 4, "), 3);
  EXPECT_EQ(LogCount("The upgrade ends"), 0);
  ReleaseSharedConnection();
  EXPECT_EQ(test::Texts(path_, "SELECT Name FROM T ORDER BY K"), (QStringList{"one", "copy", "three"}));
  EXPECT_EQ(test::Texts(path_, "SELECT Val1 FROM TSettings"), QStringList{"403"});
}

// A disk that fills or a device that fails inside a version: the version is
// rolled back, not recorded, the upgrade ends with one entry, and a rerun
// applies it exactly once.
TEST_F(RealEngineUpgrade, AVersionTheDatabaseCannotTakeIsAbsentAndTheUpgradeEnds) {
  QByteArray grow = "INSERT INTO T (K, V) VALUES (1, '" + QByteArray(3000, 'x') + "')\xE2\x96\xA0";
  for (int i = 0; i < 10; ++i) grow += "INSERT INTO T (K, V) SELECT K + 1, V FROM T\xE2\x96\xA0";
  struct Case {
    int code;
    int64_t budget;  // bytes written before the failure: none, or into the version
  };
  for (const Case c : {Case{SQLITE_FULL, 0}, Case{SQLITE_FULL, 1 << 20}, Case{SQLITE_IOERR_WRITE, 1 << 20}}) {
    SCOPED_TRACE(::testing::Message() << c.code << " after " << c.budget);
    QFile::remove(path_);
    QFile(spine_.folder.LogPath()).remove();
    OpenAt401();
    AddScript(402, "CREATE TABLE T (K LONG, V MEMO)\xE2\x96\xA0INSERT INTO T (K, V) VALUES (0, 'zero')");
    AddScript(403, grow);
    AddScript(404, "INSERT INTO T (K, V) VALUES (-1, 'later')");
    ASSERT_EQ(upgrade::UpgradeRange(401, 402).lastRecorded, 402);
    {
      test::FaultVfs vfs;
      ReleaseSharedConnection();
      ASSERT_NE(DBGetConnection(path_), nullptr);
      vfs.FailAfter(c.budget, c.code);
      const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(402, 404);
      EXPECT_EQ(outcome.lastRecorded, 402);
      EXPECT_EQ(outcome.abandoned, 403);
      EXPECT_GT(vfs.failures(), 0);
      vfs.Disarm();
      ReleaseSharedConnection();
    }
    EXPECT_EQ(LogCount("[err: modMain.p_DBUpgrade]"), 1) << Log().toStdString();
    EXPECT_EQ(LogCount("The upgrade ends here; version 403 is not recorded: "), 1);
    EXPECT_TRUE(spine_.ui.Boxes().isEmpty());
    EXPECT_EQ(test::Texts(path_, "SELECT Val1 FROM TSettings"), QStringList{"402"});
    EXPECT_EQ(test::Texts(path_, "SELECT count(*) FROM T"), QStringList{"1"});

    ASSERT_NE(DBGetConnection(path_), nullptr);
    EXPECT_EQ(upgrade::UpgradeRange(402, 404).lastRecorded, 404);
    ReleaseSharedConnection();
    EXPECT_EQ(test::Texts(path_, "SELECT count(*) FROM T"), QStringList{"2049"});  // 2 x 2^10 + the row of 404
  }
}

// A version whose transaction cannot begin (here the connection is inside
// one already) is not run outside one: the upgrade ends before it with one
// entry, and applies it once it can begin.
TEST_F(RealEngineUpgrade, AVersionThatCannotBeginEndsTheUpgrade) {
  OpenAt401();
  AddScript(402, "CREATE TABLE T (K LONG)\xE2\x96\xA0INSERT INTO T (K) VALUES (2)");
  AddScript(403, "INSERT INTO T (K) VALUES (3)");
  SharedConnection()->BeginTransaction();
  const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(401, 403);
  EXPECT_EQ(outcome.lastRecorded, 401);
  EXPECT_EQ(outcome.abandoned, 402);
  SharedConnection()->RollbackTransaction();
  EXPECT_EQ(LogCount("[err: modMain.p_DBUpgrade] line 7, "), 1);
  EXPECT_EQ(LogCount("[err: modMain.p_DBUpgrade]"), 1) << Log().toStdString();
  EXPECT_EQ(upgrade::UpgradeRange(401, 403).lastRecorded, 403);
  ReleaseSharedConnection();
  EXPECT_EQ(test::Texts(path_, "SELECT K FROM T ORDER BY K"), (QStringList{"2", "3"}));
}

// A version whose COMMIT fails (here a deferred key check its script breaks)
// is rolled back, not recorded, and the upgrade ends there.
TEST_F(RealEngineUpgrade, AVersionThatCannotCommitIsAbsentAndTheUpgradeEnds) {
  OpenAt401();
  sqlite3* handle = static_cast<engine::SqlCipherConnection*>(SharedConnection())->state().db.handle();
  ASSERT_EQ(sqlite3_exec(handle, "PRAGMA foreign_keys = ON; CREATE TABLE p (id INTEGER PRIMARY KEY); "
                         "CREATE TABLE c (pid INTEGER REFERENCES p (id) DEFERRABLE INITIALLY DEFERRED)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  AddScript(402, "INSERT INTO c (pid) VALUES (7)");
  AddScript(403, "INSERT INTO p (id) VALUES (7)");
  const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(401, 403);
  EXPECT_EQ(outcome.lastRecorded, 401);
  EXPECT_EQ(outcome.abandoned, 402);
  EXPECT_EQ(LogCount("[err: modMain.p_DBUpgrade] line 8, "), 1) << Log().toStdString();
  ReleaseSharedConnection();
  EXPECT_EQ(test::Texts(path_, "SELECT Val1 FROM TSettings"), QStringList{"401"});
}

}  // namespace
}  // namespace mt::testing
