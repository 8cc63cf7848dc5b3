// Opening, creating and closing database files: the key check, refusals that
// leave the file byte for byte as it was, and the one-file state after Close.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include "engine_fixture.h"

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

TEST_F(OpenTest, RowsSurviveCloseAndTheFileIsOneFileAgain) {
  FillAndClose();
  EXPECT_FALSE(conn_->IsOpen());
  EXPECT_EQ(Siblings(), QStringList{"db.mdb"});

  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TItems").toLongLong(), 60);
  Exec("INSERT INTO TItems (Body) VALUES ('more')");
  // While open the engine journals in WAL mode...
  EXPECT_TRUE(QFileInfo::exists(Path() + "-wal"));
  conn_->Close();
  // ...and Close folds the log back into the one file.
  EXPECT_EQ(Siblings(), QStringList{"db.mdb"});
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TItems").toLongLong(), 61);
}

// Wrong passwords, files that are not ours, a missing file, and Create over
// an existing file: refused, and nothing is changed or created.
TEST_F(OpenTest, WhatCannotBeOpenedIsRefusedUnchanged) {
  FillAndClose();
  const QByteArray whole = FileBytes(Path());
  EXPECT_FALSE(whole.startsWith("SQLite format 3"));
  EXPECT_FALSE(whole.contains(QByteArray(400, 'a')));
  ExpectRefused(Path(), "not the password");
  ExpectRefused(Path(), QString());
  EXPECT_EQ(ErrorOf([&] { engine_.Create(Path(), kPassword); }), dberr::kOpenFailed);
  EXPECT_EQ(FileBytes(Path()), whole);

  const QString missing = Path("nothing-here.mdb");
  ExpectRefused(missing, kPassword);
  EXPECT_TRUE(DescriptionOf([&] { engine_.Open(missing, kPassword); }).contains(missing));

  QByteArray noise(8192, '\0');
  for (auto& b : noise) b = char(QRandomGenerator::global()->bounded(256));
  ASSERT_GT(whole.size(), 8192);
  const struct {
    const char* name;
    QByteArray bytes;
  } files[] = {
      {"garbage.mdb", noise},
      {"empty.mdb", {}},
      {"text.mdb", "this is not a database at all\n"},
      // A copy cut to half its length: the header still reads, the rest is gone.
      {"truncated.mdb", whole.left(whole.size() / 2)},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    WriteFile(Path(f.name), f.bytes);
    ExpectRefused(Path(f.name), kPassword);
  }
  // An unencrypted SQLite file is not one of ours either.
  const QString plain = Path("plain.mdb");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(plain.toUtf8().constData(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES (1);", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  ExpectRefused(plain, kPassword);
  // The right password still opens the database.
  EXPECT_NO_THROW(engine_.Open(Path(), kPassword)->Close());
}

TEST_F(OpenTest, CommittedRowsInALeftOverLogAreNotLost) {
  Exec("CREATE TABLE TLog (LogText TEXT(50))");
  Exec("INSERT INTO TLog (LogText) VALUES ('kept')");
  // Copy the file and its log as a crash would leave them.
  const QString copy = Path("crashed.mdb");
  ASSERT_TRUE(QFile::copy(Path(), copy));
  ASSERT_TRUE(QFile::copy(Path() + "-wal", copy + "-wal"));
  conn_->Close();
  conn_ = engine_.Open(copy, kPassword);
  EXPECT_EQ(Rows("SELECT LogText FROM TLog"), QStringList{"kept"});
  conn_->Close();
  EXPECT_FALSE(QFileInfo::exists(copy + "-wal"));
}

// Runs fn in a child process without root's right to write anything; its
// result is the child's exit status (0: as expected).
int WithoutWriteRights(const std::function<int()>& fn) {
  pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
    _exit(fn());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

// Reading works and writing fails cleanly.
int ReadOnlyCheck(const QString& path) {
  engine::SqlCipherEngine engine;
  try {
    auto ro = engine.Open(path, kPassword);
    auto rs = ro->OpenRecordset("SELECT COUNT(*) FROM TItems", CursorType::Static, LockType::ReadOnly);
    if (rs->Value(0).toLongLong() != 60) return 1;
    rs->Close();
    try {
      ro->Execute("DELETE FROM TItems");
      return 2;  // a write went through
    } catch (const DbError& e) {
      if (e.code() >= 0 || e.description().isEmpty()) return 3;
    }
    ro->Close();
  } catch (const DbError&) {
    return 4;
  }
  return 0;
}

TEST_F(OpenTest, ReadOnlyFileOrFolderNeverChanges) {
  FillAndClose();
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
  const QByteArray before = FileBytes(Path());

  // A file nobody may write, in a folder anyone may write.
  ASSERT_TRUE(QFile::setPermissions(Path(), QFile::ReadOwner | QFile::ReadOther));
  EXPECT_EQ(WithoutWriteRights([&] { return ReadOnlyCheck(Path()); }), 0);
  EXPECT_EQ(FileBytes(Path()), before);

  // A writable file in a folder where no -wal or -journal file can be made.
  ASSERT_TRUE(QFile::setPermissions(
      Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther));
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadOther | QFile::ExeOther);
  EXPECT_EQ(WithoutWriteRights([&] { return ReadOnlyCheck(Path()); }), 0);
  EXPECT_EQ(FileBytes(Path()), before);
  EXPECT_EQ(Siblings(), QStringList{"db.mdb"});
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(OpenTest, AClosedConnectionRefusesWorkAndAnswersAbsent) {
  Exec("CREATE TABLE TA (A LONG)");
  Catalog& catalog = conn_->GetCatalog();
  conn_->Close();
  EXPECT_FALSE(conn_->IsOpen());
  EXPECT_EQ(ErrorOf([&] { Exec("INSERT INTO TA (A) VALUES (1)"); }), dberr::kClosed);
  EXPECT_EQ(
      ErrorOf([&] { conn_->OpenRecordset("SELECT A FROM TA", CursorType::Static, LockType::ReadOnly); }),
      dberr::kClosed);
  EXPECT_FALSE(catalog.HasTable("TA"));
  EXPECT_NO_THROW(conn_->Close());
}

}  // namespace
}  // namespace mt::test
