// The upgrade program as a user runs it: the built executable copied into a
// folder of its own, with real database files.
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>
#include <QLockFile>

#include "app/log.h"
#include "app/run.h"
#include "e2e/program_run.h"

namespace mt {
namespace {

const QString kM1 = QStringLiteral("DB 연결 실패: DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.");

class UpgradeProgram : public e2e::InstalledProgram {
 protected:
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
};

// Also when the window system cannot be reached (that is found out before
// any window exists, and the run goes on headless), and without a log folder
// (no log is made).
TEST_F(UpgradeProgram, RunsOnTheDatabaseBesideIt) {
  for (const bool withLog : {true, false}) {
    const QString env = withLog ? "DISPLAY=:99" : "QT_QPA_PLATFORM=xcb";
    SCOPED_TRACE(env.toStdString());
    QFile::remove(db);
    e2e::MakeLatest(db);
    if (!withLog) QDir(dir.filePath(QStringLiteral("log"))).removeRecursively();
    const test::ToolResult r = Run({}, {env});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out + r.err, QString()) << r.err.toStdString();
    // Only pruned, compacted and stamped: the whole log, its messages joined by '|'.
    const QString log = "DBPath = " + db +
                        "|modDB.IsDBEncrypt Start|modDB.IsDBEncrypt End|modMain.p_CompactDB Start |" +
                        "modDB.CompactDatabase Start " + db + "|modDB.CompactDatabase End |modMain.p_CompactDB End |" +
                        "modMain.Main End ";
    EXPECT_EQ(LogMessages().join('|'), withLog ? log : QString());
    EXPECT_EQ(QFileInfo::exists(dir.filePath(QStringLiteral("log"))), withLog);
    // Nothing left behind but the stamp.
    EXPECT_EQ(test::Column(db, QStringLiteral("SELECT TaskIDX FROM TTaskLog")), QVariantList{7});
    EXPECT_EQ(Files(), (QStringList{"Marrowtide.mdb", "autoup.ini", "marrowtide-dbupgrade"}));
  }
}

// Another run holds on, of this installation (its instance lock) or of any
// (the database's lock, taken here through a link to the database): the
// program writes nothing at all, and marrowtide-db refuses to write. The lock
// a killed run left is taken over; a lock that cannot be made is no such
// run: M1 and its cause in the log.
TEST_F(UpgradeProgram, WhileAnotherRunHoldsOnNothingIsWritten) {
  if (test::ToolPath().isEmpty()) GTEST_SKIP() << "build marrowtide-db first";
  e2e::MakeLatest(db);
  const QByteArray before = test::FileBytes(db);
  const QString link = dir.filePath(QStringLiteral("link.mdb"));
  ASSERT_TRUE(QFile::link(db, link));
  const auto leftAlone = [&](const RunLock& other) {
    ASSERT_EQ(other.result().state, LockState::Taken);
    const test::ToolResult r = Run({db});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.out + r.err, QString());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("log"))).isEmpty());
    EXPECT_EQ(Files(), (QStringList{"Marrowtide.mdb", "link.mdb", "marrowtide-dbupgrade"}));
    EXPECT_EQ(test::FileBytes(db), before);
  };
  leftAlone(RunLock(LockPath()));
  {
    const RunLock other(DatabaseLockPath(link));
    leftAlone(other);
    const test::ToolResult tool = test::RunTool({QStringLiteral("sql"), db, QStringLiteral("DELETE * FROM TTaskLog")});
    EXPECT_EQ(tool.exitCode, 1);
    EXPECT_TRUE(tool.err.contains(QStringLiteral("in use"))) << tool.err.toStdString();
    EXPECT_EQ(test::FileBytes(db), before);
  }

  const test::ToolResult r = Run({db}, {QStringLiteral("TMPDIR=") + program});  // not a folder
  EXPECT_EQ(r.err.trimmed(), kM1);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Log().contains(QStringLiteral("cannot be made")));
  EXPECT_EQ(test::FileBytes(db), before);

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
  EXPECT_EQ(Run().exitCode, 0);
  EXPECT_EQ(LogMessages().value(0), QStringLiteral("DBPath = ") + db);
  QFile::remove(LockPath());
}

// Files that are not a usable database, or one in a read-only folder: the
// run ends with M1, the reason is in the log, and the file is left exactly
// as it was. (A wrong key is the engine's open tests' matter.)
TEST_F(UpgradeProgram, UnusableDatabaseEndsInM1AndIsLeftAlone) {
  const QString text = dir.filePath(QStringLiteral("notes.mdb"));
  test::WriteFile(text, "this is not a database\n");
  const QString truncated = dir.filePath(QStringLiteral("truncated.mdb"));
  e2e::MakeLatest(truncated);
  ASSERT_TRUE(QFile::resize(truncated, QFileInfo(truncated).size() / 2));
  const QString readOnly = dir.filePath(QStringLiteral("ro/Marrowtide.mdb"));
  ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("ro"))));
  e2e::MakeLatest(readOnly);
  QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadOther);
  QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::Permissions(0x5005));
  for (const QString& d : {dir.path(), dir.filePath(QStringLiteral("log"))})
    QFile::setPermissions(d, QFileDevice::Permissions(0x7777));
  QStringList paths{text, truncated};
  if (geteuid() != 0 || QFile::exists(QStringLiteral("/usr/bin/setpriv"))) paths << readOnly;

  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    const QByteArray before = test::FileBytes(path);
    // As another user when the test runs as root, for whom nothing is read-only.
    const test::ToolResult r = Run({path}, {}, /*asNobody=*/path == readOnly);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), kM1);
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\t")));
    EXPECT_EQ(log[0].contains(QStringLiteral("read-only")), path == readOnly) << log[0].toStdString();
    EXPECT_EQ(log[1], QStringLiteral("DBPath = ") + path);
    EXPECT_EQ(log[2], QStringLiteral("modMain.Main End "));
    EXPECT_EQ(test::FileBytes(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
  }
  QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::Permissions(0x7000));
}

}  // namespace
}  // namespace mt
