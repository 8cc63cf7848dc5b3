// The upgrade program as a user runs it: the built executable copied into a
// folder of its own, with real database files made by marrowtide-db.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/wait.h>
#include <unistd.h>

#include "app/log.h"
#include "app/run.h"
#include "db/engine/engine.h"
#include "support/fake_services.h"

namespace mt {
namespace {

const QString kBinDir = QString::fromUtf8(MT_BINARY_DIR);
const QString kM1 = QStringLiteral("DB 연결 실패: DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.");

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Result {
  int exitCode = -1;
  QString out;
  QString err;
};

Result Exec(const QString& program, const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
  p.setProcessEnvironment(env);
  p.start(program, args);
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
  }
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class UpgradeProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_e2e";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  }

  void SetUp() override {
    if (!QFile::exists(kBinDir + QStringLiteral("/marrowtide-dbupgrade")) ||
        !QFile::exists(kBinDir + QStringLiteral("/marrowtide-db")))
      GTEST_SKIP() << "build marrowtide-dbupgrade and marrowtide-db first";
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("log")));
    program = dir.filePath(QStringLiteral("marrowtide-dbupgrade"));
    ASSERT_TRUE(QFile::copy(kBinDir + QStringLiteral("/marrowtide-dbupgrade"), program));
    db = dir.filePath(QStringLiteral("Marrowtide.mdb"));
  }

  static Result Tool(const QStringList& args) { return Exec(kBinDir + QStringLiteral("/marrowtide-db"), args); }
  Result Upgrade(const QString& argument = QString()) {
    return Exec(program, argument.isEmpty() ? QStringList() : QStringList{argument});
  }

  static void Sql(const QString& path, const QString& statement) {
    const Result r = Tool({QStringLiteral("sql"), path, statement});
    ASSERT_EQ(r.exitCode, 0) << statement.toStdString() << ": " << r.err.toStdString();
  }

  // A database stamped with the latest version, which the run only prunes
  // and compacts: the initial database with the five activity-log tables,
  // each holding one row older than any pruning age. Made once, then copied.
  static void MakeLatestTemplate(const QString& path) {
    ASSERT_EQ(Tool({QStringLiteral("create"), path}).exitCode, 0);
    const QString schema = Tool({QStringLiteral("schema"), path}).out;
    for (const char* table : {"TTaskLog", "TTaskLogHour", "TTaskLogDay", "TTaskLogInterval", "TTaskStatistics"}) {
      const QString name = QString::fromLatin1(table);
      if (!schema.contains(QStringLiteral("table\t") + name + QLatin1Char('\n')))
        Sql(path, QStringLiteral("CREATE TABLE ") + name +
                      QStringLiteral(" (TaskIDX LONG NOT NULL, LogDate DATETIME NOT NULL)"));
      Sql(path, QStringLiteral("INSERT INTO ") + name +
                    QStringLiteral(" (TaskIDX, LogDate) VALUES (1, #2001-01-01 00:00:00#)"));
    }
    Sql(path, QStringLiteral("UPDATE TSettings SET Val1 = '405' WHERE ID = 'DBVersion'"));
  }

  void MakeLatest(const QString& path) {
    static QTemporaryDir templates;
    static const QString latest = templates.filePath(QStringLiteral("latest.mdb"));
    if (!QFile::exists(latest)) MakeLatestTemplate(latest);
    ASSERT_TRUE(QFile::copy(latest, path));
  }

  QStringList LogMessages() const {
    return test::TimestampedMessages(
        QString::fromUtf8(Bytes(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log")))));
  }

  QTemporaryDir dir;
  QString program;
  QString db;
};

TEST_F(UpgradeProgram, RunsOnTheDatabaseBesideIt) {
  MakeLatest(db);
  const Result r = Upgrade();
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
  const Result rows = Tool({QStringLiteral("sql"), db, QStringLiteral("SELECT COUNT(*) FROM TTaskLog")});
  EXPECT_EQ(rows.out.split(QLatin1Char('\n')).value(1), QStringLiteral("0"));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("autoup.ini"))));
  QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  files.sort();
  EXPECT_EQ(files, (QStringList{QStringLiteral("Marrowtide.mdb"), QStringLiteral("autoup.ini"),
                                QStringLiteral("marrowtide-dbupgrade")}));
}

TEST_F(UpgradeProgram, SecondInstanceWritesNothing) {
  MakeLatest(db);
  // A run of this installation holds the lock (here: the test, on its behalf).
  SetProgramLocation(dir.path(), QStringLiteral("marrowtide-dbupgrade"));
  QLockFile running(InstanceLockPath());
  SetProgramLocation(QString(), QString());
  ASSERT_TRUE(running.tryLock(0));
  const QByteArray before = Bytes(db);
  const Result r = Upgrade();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_TRUE(r.err.isEmpty());
  EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("log"))).isEmpty());
  EXPECT_EQ(Bytes(db), before);
  QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  files.sort();
  EXPECT_EQ(files, (QStringList{QStringLiteral("Marrowtide.mdb"), QStringLiteral("marrowtide-dbupgrade")}));

  // Once the lock is free the program runs.
  running.unlock();
  Upgrade();
  EXPECT_EQ(LogMessages().first(), QStringLiteral("DBPath = ") + db);
}

TEST_F(UpgradeProgram, LockOfAKilledRunIsTakenOver) {
  MakeLatest(db);
  SetProgramLocation(dir.path(), QStringLiteral("marrowtide-dbupgrade"));
  const QString lockPath = InstanceLockPath();
  SetProgramLocation(QString(), QString());
  // What a killed run leaves: a lock taken by a process that ended without
  // releasing it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile held(lockPath);
    _exit(held.tryLock(0) ? 0 : 1);  // _exit: no destructor removes the lock
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  ASSERT_TRUE(QFile::exists(lockPath));
  Upgrade();
  EXPECT_EQ(LogMessages().value(0), QStringLiteral("DBPath = ") + db);
  QFile::remove(lockPath);
}

TEST_F(UpgradeProgram, UnusableArgumentsFallBackToTheDefaultPath) {
  MakeLatest(db);
  QDir(dir.path()).mkdir(QStringLiteral("folder.mdb"));
  for (const QString& argument : {dir.filePath(QStringLiteral("missing.mdb")),
                                  dir.filePath(QStringLiteral("folder.mdb")), QString()}) {
    QFile::remove(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log")));
    Upgrade(argument);
    EXPECT_EQ(LogMessages().value(0), QStringLiteral("DBPath = ") + db) << argument.toStdString();
  }
}

// Files that are not a usable database: the run ends with M1, the reason is
// in the log, and the file is left exactly as it was.
TEST_F(UpgradeProgram, UnusableDatabaseEndsInM1AndIsLeftAlone) {
  const QString text = dir.filePath(QStringLiteral("notes.mdb"));
  {
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a database\n");
  }
  const QString damaged = dir.filePath(QStringLiteral("damaged.mdb"));
  MakeLatest(damaged);
  {
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray all = f.readAll();
    f.seek(0);
    f.write(QByteArray(static_cast<int>(qMin<qint64>(all.size(), 4096)), '\x5a'));
  }
  const QString wrongKey = dir.filePath(QStringLiteral("wrong-key.mdb"));
  DefaultEngine().Create(wrongKey, QStringLiteral("not-the-password"))->Close();

  for (const QString& path : {text, damaged, wrongKey}) {
    SCOPED_TRACE(path.toStdString());
    QFile::remove(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log")));
    const QByteArray before = Bytes(path);
    const Result r = Upgrade(path);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err.trimmed(), kM1);
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t")));
    EXPECT_EQ(log[1], QStringLiteral("DBPath = ") + path);
    EXPECT_EQ(log[2], QStringLiteral("modMain.Main End "));
    EXPECT_EQ(Bytes(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
  }
}

TEST_F(UpgradeProgram, ReadOnlyFolderEndsInM1AndLeavesTheFile) {
  // Permissions do not bind root: as root, run the program as nobody.
  QStringList prefix;
  if (geteuid() == 0) {
    if (!QFile::exists(QStringLiteral("/usr/bin/setpriv"))) GTEST_SKIP() << "root without setpriv";
    prefix = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
              program};
    for (const QString& d : {dir.path(), dir.filePath(QStringLiteral("log"))})
      QFile::setPermissions(d, QFileDevice::Permissions(0x7777));
  }
  const QString sub = dir.filePath(QStringLiteral("ro"));
  ASSERT_TRUE(QDir().mkdir(sub));
  const QString path = sub + QStringLiteral("/Marrowtide.mdb");
  MakeLatest(path);
  const QByteArray before = Bytes(path);
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
  QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                 QFileDevice::ExeOther);
  const Result r = prefix.isEmpty() ? Upgrade(path) : Exec(QStringLiteral("/usr/bin/setpriv"), prefix << path);
  QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(r.err.trimmed(), kM1);
  const QStringList log = LogMessages();
  ASSERT_EQ(log.size(), 3);
  EXPECT_TRUE(log[0].startsWith(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\t")));
  EXPECT_TRUE(log[0].contains(QStringLiteral("read-only")));
  EXPECT_EQ(Bytes(path), before);
}

TEST_F(UpgradeProgram, InfoToolReportsVersionFlagAndRowCounts) {
  ASSERT_EQ(Tool({QStringLiteral("create"), db}).exitCode, 0);
  ASSERT_EQ(Tool({QStringLiteral("sql"), db, QStringLiteral("DELETE * FROM TSettings WHERE ID = 'IsDBEn'")}).exitCode, 0);
  const Result settings = Tool({QStringLiteral("sql"), db, QStringLiteral("SELECT COUNT(*) FROM TSettings")});
  const QString settingsRows = settings.out.split(QLatin1Char('\n')).value(1);
  const Result r = Tool({QStringLiteral("info"), db});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral("version\t2"));
  EXPECT_EQ(lines[1], QStringLiteral("encrypted\tno"));
  EXPECT_TRUE(lines.contains(QStringLiteral("table\tTSettings\t") + settingsRows));

  EXPECT_EQ(Tool({QStringLiteral("info")}).exitCode, 2);
  const Result missing = Tool({QStringLiteral("info"), dir.filePath(QStringLiteral("none.mdb"))});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.err.startsWith(QStringLiteral("error -2147467259: ")));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.mdb"))));
}

}  // namespace
}  // namespace mt
