// Opening, creating and closing database files: the key check, refusals that
// leave the file byte for byte as it was, and the one-file state after Close.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "engine_fixture.h"
#include "support/fault_vfs.h"

namespace mt::test {
namespace {

class OpenTest : public EngineTest {
 protected:
  // A closed database with some rows, so that it spans many pages.
  void FillAndClose() {
    Exec(
        QStringLiteral("CREATE TABLE TItems (IDX AUTOINCREMENT, Body MEMO, "
                       "CONSTRAINT PrimaryKey PRIMARY KEY (IDX))"));
    for (int i = 0; i < 60; ++i)
      Exec(QStringLiteral("INSERT INTO TItems (Body) VALUES ('%1')").arg(QString(400, QChar('a' + i % 26))));
    conn_->Close();
  }

  QStringList Siblings() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

  // Opening must fail with kOpenFailed and a description, and change nothing.
  void ExpectRefused(const QString& path, const QString& password) {
    const QByteArray before = FileBytes(path);
    const QStringList filesBefore = Siblings();
    try {
      engine_.Open(path, password);
      ADD_FAILURE() << "open succeeded";
    } catch (const DbError& e) {
      EXPECT_EQ(e.code(), dberr::kOpenFailed) << e.description().toStdString();
      EXPECT_FALSE(e.description().isEmpty());
    }
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
  EXPECT_TRUE(DescriptionOf([&] { engine_.Open(Path(), kPassword); }).contains("is locked by another process"));
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
  EXPECT_EQ(ErrorOf([&] { Exec("INSERT INTO TItems (Body) VALUES ('late')"); }), dberr::kClosed);
  EXPECT_EQ(ErrorOf([&] { Rows("SELECT Body FROM TItems"); }), dberr::kClosed);
  EXPECT_FALSE(conn_->GetCatalog().HasTable("TItems"));
  EXPECT_NO_THROW(conn_->Close());
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
  EXPECT_TRUE(DescriptionOf([&] { engine_.Open(Path(), "wrong"); })
                  .startsWith("Not a valid password, or '" + Path() + "' is not a database file"));
  {
    FaultVfs vfs;
    vfs.FailReads(SQLITE_IOERR_READ);
    EXPECT_TRUE(DescriptionOf([&] { engine_.Open(Path(), kPassword); }).contains("I/O error"));
  }
  EXPECT_EQ(ErrorOf([&] { engine_.Create(Path(), kPassword); }), dberr::kOpenFailed);
  EXPECT_EQ(FileBytes(Path()), whole);
  const QString missing = Path("nothing-here.mdb");
  ExpectRefused(missing, kPassword);
  EXPECT_TRUE(DescriptionOf([&] { engine_.Open(missing, kPassword); }).contains(missing));
  WriteFile(Path("empty.mdb"), {});
  ExpectRefused(Path("empty.mdb"), kPassword);
}

// In a child process without root's right to write anything: reading works
// and writing fails cleanly. The exit status is 0 when all went as expected.
int ReadOnlyCheck(const QString& path) {
  const pid_t pid = fork();
  if (pid != 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
  }
  if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
  engine::SqlCipherEngine engine;
  try {
    auto ro = engine.Open(path, kPassword);
    auto rs = ro->OpenRecordset("SELECT COUNT(*) FROM TItems", CursorType::Static, LockType::ReadOnly);
    if (rs->Value(0).toLongLong() != 60) _exit(1);
    rs->Close();
    try {
      ro->Execute("DELETE FROM TItems");
      _exit(2);  // a write went through
    } catch (const DbError& e) {
      if (e.code() >= 0 || e.description().isEmpty()) _exit(3);
    }
    ro->Close();
  } catch (const DbError&) {
    _exit(4);
  }
  _exit(0);
}

// A writable file in a folder where no -wal or -journal file can be made (a
// read-only file in a read-only folder is a program test).
TEST_F(OpenTest, AReadOnlyFolderNeverChanges) {
  FillAndClose();
  const QByteArray before = FileBytes(Path());
  ASSERT_TRUE(QFile::setPermissions(Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther));
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  EXPECT_EQ(ReadOnlyCheck(Path()), 0);
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(FileBytes(Path()), before);
  EXPECT_EQ(Siblings(), QStringList{"db.mdb"});
}

}  // namespace
}  // namespace mt::test
