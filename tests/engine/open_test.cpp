// Opening, creating and closing database files: the key check, refusals that
// leave the file byte for byte as it was, and the one-file state after Close.
#include <sqlite3.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "engine_fixture.h"
#include "support/fault_vfs.h"
#include "support/tool_run.h"

namespace mt::test {
namespace {

class OpenTest : public EngineTest {
 protected:
  // A closed database with some rows, so that it spans many pages.
  void FillAndClose() {
    Exec("CREATE TABLE TItems (IDX AUTOINCREMENT, Body MEMO, CONSTRAINT PrimaryKey PRIMARY KEY (IDX))");
    for (int i = 0; i < 60; ++i)
      Exec(QStringLiteral("INSERT INTO TItems (Body) VALUES ('%1')").arg(QString(400, QChar('a' + i % 26))));
    conn_->Close();
  }

  QStringList Siblings() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

  // Opening must fail with kOpenFailed and a description, and change nothing.
  void ExpectRefused(const QString& path, const QString& password) {
    const QByteArray before = FileBytes(path);
    const QStringList filesBefore = Siblings();
    EXPECT_EQ(FailureCode([&] { engine_.Open(path, password); }), dberr::kOpenFailed);
    EXPECT_FALSE(FailureDescription([&] { engine_.Open(path, password); }).isEmpty());
    EXPECT_EQ(FileBytes(path), before);
    EXPECT_EQ(Siblings(), filesBefore);
  }
};

// Rows survive Close; while open the engine journals in WAL mode, and Close
// folds the log back into the one file. Committed rows in a log left over by
// a crash are not lost.
TEST_F(OpenTest, RowsSurviveCloseAndTheFileIsOneFileAgain) {
  FillAndClose();
  EXPECT_EQ(Siblings(), QStringList{"db.mdb"});
  conn_ = engine_.Open(Path(), kPassword);
  Exec("INSERT INTO TItems (Body) VALUES ('more')");  // the connection now holds the file for itself
  EXPECT_TRUE(QFileInfo::exists(Path() + "-wal"));
  EXPECT_TRUE(FailureDescription([&] { engine_.Open(Path(), kPassword); }).contains("is locked by another process"));
  // Copy the file and its log as a crash would leave them.
  const QString copy = Path("crashed.mdb");
  ASSERT_TRUE(QFile::copy(Path(), copy) && QFile::copy(Path() + "-wal", copy + "-wal"));
  conn_->Close();
  EXPECT_EQ(Siblings(), (QStringList{"crashed.mdb", "crashed.mdb-wal", "db.mdb"}));
  for (const QString& path : {Path(), copy}) {
    conn_ = engine_.Open(path, kPassword);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM TItems").toLongLong(), 61);
    conn_->Close();
  }
  EXPECT_EQ(Siblings(), (QStringList{"crashed.mdb", "db.mdb"}));
  // A closed connection refuses work and answers "absent".
  EXPECT_EQ(FailureCode([&] { Exec("INSERT INTO TItems (Body) VALUES ('late')"); }), dberr::kClosed);
  EXPECT_EQ(FailureCode([&] { Rows("SELECT Body FROM TItems"); }), dberr::kClosed);
  EXPECT_FALSE(conn_->GetCatalog().HasTable("TItems"));
  EXPECT_NO_THROW(conn_->Close());
}

// A transaction bigger than the log's bound leaves no log of its size behind
// once committed: the log goes into the file and is cut back, so a version
// that rebuilt a big table does not hold that disk space for the whole run.
TEST_F(OpenTest, TheLogOfABigTransactionIsCutBackAtItsCommit) {
  Exec("CREATE TABLE TBig (Body MEMO)");
  conn_->BeginTransaction();
  Exec("INSERT INTO TBig VALUES ('" + QString(4000, QChar('x')) + "')");
  for (int i = 0; i < 12; ++i) Exec("INSERT INTO TBig SELECT Body FROM TBig");  // 16 MB
  conn_->CommitTransaction();
  EXPECT_LT(QFileInfo(Path() + "-wal").size(), 1 << 20);
  EXPECT_EQ(Value("SELECT Count(*) FROM TBig").toLongLong(), 4096);
}

// A missing file, an empty one, a wrong or no password, a failing device and
// Create over an existing file: refused with the cause, and nothing is changed
// or created (files that are no database are a program test).
TEST_F(OpenTest, WhatCannotBeOpenedIsRefusedUnchanged) {
  FillAndClose();
  const QByteArray whole = FileBytes(Path());
  EXPECT_FALSE(whole.startsWith("SQLite format 3") || whole.contains(QByteArray(400, 'a')));
  ExpectRefused(Path(), QString());
  ExpectRefused(Path(), "wrong");
  EXPECT_TRUE(FailureDescription([&] { engine_.Open(Path(), "wrong"); })
                  .startsWith("Not a valid password, or '" + Path() + "' is not a database file"));
  {
    FaultVfs vfs;
    vfs.FailReads(SQLITE_IOERR_READ);
    EXPECT_TRUE(FailureDescription([&] { engine_.Open(Path(), kPassword); }).contains("I/O error"));
  }
  EXPECT_EQ(FailureCode([&] { engine_.Create(Path(), kPassword); }), dberr::kOpenFailed);
  EXPECT_EQ(FileBytes(Path()), whole);
  // A FIFO or folder where a journal goes is refused before SQLite could wait on it.
  const QString journal = Path() + QStringLiteral("-journal"), wal = Path() + QStringLiteral("-wal");
  ASSERT_EQ(::mkfifo(QFile::encodeName(journal).constData(), 0600), 0);
  ASSERT_TRUE(QDir().mkdir(wal));
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(FailureDescription([&] { engine_.Open(Path(), kPassword); }).contains("not a regular file"));
    QDir().rmdir(wal);
  }
  QFile::remove(journal);
  EXPECT_EQ(FileBytes(Path()), whole);
  const QString missing = Path("nothing-here.mdb");
  ExpectRefused(missing, kPassword);
  EXPECT_TRUE(FailureDescription([&] { engine_.Open(missing, kPassword); }).contains(missing));
  WriteFile(Path("empty.mdb"), {});
  ExpectRefused(Path("empty.mdb"), kPassword);
}

// A writable file in a folder where no -wal or -journal file can be made (a
// read-only file in a read-only folder is a program test): the tool, run
// without root's right to write anything, reads it and fails cleanly to write.
TEST_F(OpenTest, AReadOnlyFolderNeverChanges) {
  if (ToolPath().isEmpty()) GTEST_SKIP() << "marrowtide-db is not built";
  conn_->Close();
  const QString db = Path("product.mdb");
  CreateDatabase(db, {"CREATE TABLE TItems (A LONG)", "INSERT INTO TItems (A) VALUES (1)"});
  const QByteArray before = FileBytes(db);
  ASSERT_TRUE(QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther));
  const auto others = QFile::ReadOther | QFile::ExeOther;
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | others);
  const ToolResult read = RunTool({"sql", db, "SELECT COUNT(*) AS N FROM TItems"}, ToolPath(), {}, true);
  const ToolResult write = RunTool({"sql", db, "DELETE FROM TItems"}, ToolPath(), {}, true);
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(read.out, "N\n1\n") << read.err.toStdString();
  EXPECT_EQ(write.exitCode, 1);
  EXPECT_TRUE(write.err.startsWith("error: ")) << write.err.toStdString();  // no lock file there
  EXPECT_EQ(FileBytes(db), before);
  EXPECT_EQ(Siblings(), (QStringList{"db.mdb", "product.mdb"}));
}

}  // namespace
}  // namespace mt::test
