// The upgrade program as a user runs it: the built executable copied into a
// folder of its own, with real database files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

#include "app/log.h"
#include "app/run.h"
#include "db/engine/engine.h"
#include "e2e/program_run.h"

namespace mt {
namespace {

using e2e::ProgramResult;
const QString kM1 = QStringLiteral("DB 연결 실패: DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.");

class UpgradeProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QFile::exists(e2e::kBinDir + QStringLiteral("/marrowtide-db"))) GTEST_SKIP() << "build marrowtide-db first";
    program = e2e::InstallProgram(dir.path());
    if (program.isEmpty()) GTEST_SKIP() << "build marrowtide-dbupgrade first";
    db = dir.filePath(QStringLiteral("Marrowtide.mdb"));
  }

  static ProgramResult Tool(const QStringList& args) {
    return e2e::RunHeadless(e2e::kBinDir + QStringLiteral("/marrowtide-db"), args);
  }
  ProgramResult Upgrade(const QString& argument = QString()) {
    QFile::remove(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log")));
    return e2e::RunHeadless(program, argument.isEmpty() ? QStringList() : QStringList{argument});
  }
  QStringList LogMessages() const { return test::TimestampedMessages(e2e::LogOf(dir.path())); }
  QStringList Files() const {
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
  }
  QString LockPath() const {
    SetProgramLocation(dir.path(), e2e::kExeName);
    const QString path = InstanceLockPath();
    SetProgramLocation(QString(), QString());
    return path;
  }

  QTemporaryDir dir;
  QString program;
  QString db;
};

// Also when the window system cannot be reached: that is found out before
// any window exists, and the run goes on headless.
TEST_F(UpgradeProgram, RunsOnTheDatabaseBesideIt) {
  for (const char* env : {"DISPLAY=:99", "QT_QPA_PLATFORM=xcb"}) {
    SCOPED_TRACE(env);
    QFile::remove(db);
    QFile::remove(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log")));
    e2e::MakeLatest(db);
    const ProgramResult r = e2e::RunHeadless(program, {}, false, {QString::fromLatin1(env)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const QStringList log = LogMessages();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first(), QStringLiteral("DBPath = ") + db);
    EXPECT_EQ(log.last(), QStringLiteral("modMain.Main End "));
    EXPECT_FALSE(log.contains(QStringLiteral("modMain.Main Start ")));
    EXPECT_FALSE(log.join(QLatin1Char('\n')).contains(QStringLiteral("ERROR:")));
    // Pruned, compacted and stamped; nothing left behind but the stamp.
    EXPECT_EQ(test::Column(db, QStringLiteral("SELECT TaskIDX FROM TTaskLog")), QVariantList{7});
    EXPECT_EQ(Files(), (QStringList{"Marrowtide.mdb", "autoup.ini", "marrowtide-dbupgrade"}));
  }
}

TEST_F(UpgradeProgram, SecondInstanceWritesNothingAndALockOfAKilledRunIsTakenOver) {
  e2e::MakeLatest(db);
  // A run of this installation holds the lock (here: the test, on its behalf).
  QLockFile running(LockPath());
  ASSERT_TRUE(running.tryLock(0));
  const QByteArray before = test::FileBytes(db);
  const ProgramResult r = Upgrade();
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_TRUE(r.err.isEmpty());
  EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("log"))).isEmpty());
  EXPECT_EQ(test::FileBytes(db), before);
  EXPECT_EQ(Files(), (QStringList{"Marrowtide.mdb", "marrowtide-dbupgrade"}));
  running.unlock();

  // What a killed run leaves: a lock taken by a process that ended without
  // releasing it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile held(LockPath());
    _exit(held.tryLock(0) ? 0 : 1);  // _exit: no destructor removes the lock
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  ASSERT_TRUE(QFile::exists(LockPath()));
  EXPECT_EQ(Upgrade().exitCode, 0);
  EXPECT_EQ(LogMessages().value(0), QStringLiteral("DBPath = ") + db);
  QFile::remove(LockPath());
}

// Another run holds the database (here the test, through a link to it): the
// program does nothing at all, marrowtide-db refuses to write. A lock that
// cannot be made is no such run: M1 and its cause in the log.
TEST_F(UpgradeProgram, ADatabaseHeldByAnotherRunIsLeftAlone) {
  e2e::MakeLatest(db);
  const QByteArray before = test::FileBytes(db);
  const QString link = dir.filePath(QStringLiteral("link.mdb"));
  ASSERT_TRUE(QFile::link(db, link));
  {
    const RunLock other(DatabaseLockPath(link));
    ASSERT_EQ(other.result().state, LockState::Taken);
    const ProgramResult r = Upgrade(db);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("log"))).isEmpty());
    const ProgramResult tool = Tool({QStringLiteral("sql"), db, QStringLiteral("DELETE * FROM TTaskLog")});
    EXPECT_EQ(tool.exitCode, 1);
    EXPECT_TRUE(tool.err.contains(QStringLiteral("in use"))) << tool.err.toStdString();
    EXPECT_EQ(test::FileBytes(db), before);
  }
  const QString notAFolder = dir.filePath(QStringLiteral("marrowtide-dbupgrade"));
  const ProgramResult r =
      e2e::RunHeadless(program, {db}, false, {QStringLiteral("TMPDIR=") + notAFolder});
  EXPECT_EQ(r.err.trimmed(), kM1);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(e2e::LogOf(dir.path()).contains(QStringLiteral("cannot be made")));
  EXPECT_EQ(test::FileBytes(db), before);
}

// Files that are not a usable database: the run ends with M1, the reason is
// in the log, and the file is left exactly as it was.
TEST_F(UpgradeProgram, UnusableDatabaseEndsInM1AndIsLeftAlone) {
  const auto put = [](const QString& path, qint64 at, const QByteArray& bytes, qint64 size = -1) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(at) && f.write(bytes) == bytes.size());
    if (size >= 0) ASSERT_TRUE(f.resize(size));
  };
  const QString text = dir.filePath(QStringLiteral("notes.mdb"));
  put(text, 0, "this is not a database\n");
  const QString damaged = dir.filePath(QStringLiteral("damaged.mdb"));
  e2e::MakeLatest(damaged);
  put(damaged, 0, QByteArray(4096, '\x5a'));
  const QString truncated = dir.filePath(QStringLiteral("truncated.mdb"));
  e2e::MakeLatest(truncated);
  put(truncated, 0, {}, QFileInfo(truncated).size() / 2);
  const QString wrongKey = dir.filePath(QStringLiteral("wrong-key.mdb"));
  DefaultEngine().Create(wrongKey, QStringLiteral("not-the-password"))->Close();

  for (const QString& path : {text, damaged, truncated, wrongKey}) {
    SCOPED_TRACE(path.toStdString());
    const QByteArray before = test::FileBytes(path);
    const ProgramResult r = Upgrade(path);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), kM1);
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t")));
    EXPECT_EQ(log[1], QStringLiteral("DBPath = ") + path);
    EXPECT_EQ(log[2], QStringLiteral("modMain.Main End "));
    EXPECT_EQ(test::FileBytes(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
  }
}

TEST_F(UpgradeProgram, ReadOnlyFolderEndsInM1AndLeavesTheFile) {
  if (geteuid() == 0) {
    if (!QFile::exists(QStringLiteral("/usr/bin/setpriv"))) GTEST_SKIP() << "root without setpriv";
    for (const QString& d : {dir.path(), dir.filePath(QStringLiteral("log"))})
      QFile::setPermissions(d, QFileDevice::Permissions(0x7777));
  }
  const QString sub = dir.filePath(QStringLiteral("ro"));
  ASSERT_TRUE(QDir().mkdir(sub));
  const QString path = sub + QStringLiteral("/Marrowtide.mdb");
  e2e::MakeLatest(path);
  const QByteArray before = test::FileBytes(path);
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
  QFile::setPermissions(sub, QFileDevice::Permissions(0x5005));
  const ProgramResult r = e2e::RunHeadless(program, {path}, /*asNobody=*/true);
  QFile::setPermissions(sub, QFileDevice::Permissions(0x7000));
  EXPECT_EQ(r.err.trimmed(), kM1);
  EXPECT_EQ(r.exitCode, 1);
  const QStringList log = LogMessages();
  ASSERT_EQ(log.size(), 3);
  EXPECT_TRUE(log[0].startsWith(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\t")));
  EXPECT_TRUE(log[0].contains(QStringLiteral("read-only")));
  EXPECT_EQ(test::FileBytes(path), before);
}

// A stored version that does not read as a number: the run ends there,
// without a box, and says so in its exit status and its log.
TEST_F(UpgradeProgram, AnUnreadableVersionEndsWithStatus2) {
  e2e::MakeLatest(db);
  test::ExecuteOn(db, {QStringLiteral("UPDATE TSettings SET Val1 = 'abc' WHERE ID = 'DBVersion'")});
  const ProgramResult r = Upgrade();
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
  EXPECT_TRUE(LogMessages().contains(QStringLiteral("ERROR: modMain.Main Line = 0\t13\tType mismatch")))
      << LogMessages().join(u'\n').toStdString();
  EXPECT_EQ(test::Column(db, QStringLiteral("SELECT TaskIDX FROM TTaskLog")).size(), 2);  // untouched
}

}  // namespace
}  // namespace mt
