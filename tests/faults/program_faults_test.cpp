// The built upgrade program against faults of its surroundings that end
// quickly (no value pass reaches its fixed waits): each leaves the database
// whole, as it was or compacted, and says what went wrong. The slower ones
// (full disks, read-only mounts, a folder at the work-copy path) are in
// bench/fault_cases.cpp, run by tests/faults/fault_test.sh.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/log.h"
#include "db/engine/engine.h"
#include "db/query.h"
#include "support/fake_services.h"
#include "support/real_db.h"
#include "upgrade/initial_database.h"

namespace mt {
namespace {

const QString kBinDir = QString::fromUtf8(MT_BINARY_DIR);

struct Result {
  QString err;
  QString log;
};

class ProgramFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_faults";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  }

  void SetUp() override {
    if (!QFile::exists(kBinDir + QStringLiteral("/marrowtide-dbupgrade")))
      GTEST_SKIP() << "build marrowtide-dbupgrade first";
    QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7755));
    program_ = dir_.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program_ + QStringLiteral("/log")));
    ASSERT_TRUE(QFile::copy(kBinDir + QStringLiteral("/marrowtide-dbupgrade"), Exe()));
    db_ = program_ + QStringLiteral("/Marrowtide.mdb");
  }

  QString Exe() const { return program_ + QStringLiteral("/marrowtide-dbupgrade"); }

  // Runs the program headless, as `user` when given and the test runs as root.
  Result Run(const QStringList& args = {}, const QString& user = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(v));
    p.setProcessEnvironment(env);
    if (!user.isEmpty() && geteuid() == 0)
      p.start(QStringLiteral("/usr/bin/setpriv"),
              QStringList{"--reuid=" + user, "--regid=" + user, QStringLiteral("--clear-groups"), Exe()} + args);
    else
      p.start(Exe(), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    QFile log(program_ + QStringLiteral("/log/marrowtide-dbupgrade.log"));
    return {QString::fromUtf8(p.readAllStandardError()),
            log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString()};
  }

  // A database stamped with the newest version, with the tables the pruning
  // needs and a row in each: the run only prunes and compacts it.
  void MakeLatest(const QString& path) {
    CreateInitialDatabase(path);
    QStringList sql;
    for (const char* t : {"TTaskLog", "TTaskLogInterval", "TTaskStatistics"})
      sql << QStringLiteral("CREATE TABLE %1 (TaskIDX LONG, LogDate DATETIME)").arg(QLatin1String(t));
    for (const char* t : {"TTaskLog", "TTaskLogHour", "TTaskLogDay", "TTaskLogInterval", "TTaskStatistics"})
      sql << QStringLiteral("INSERT INTO %1 (TaskIDX, LogDate) VALUES (7, Now())").arg(QLatin1String(t));
    sql << QStringLiteral("UPDATE TSettings SET Val1 = '405' WHERE ID = 'DBVersion'")
        << QStringLiteral("UPDATE TSettings SET Val1 = '1' WHERE ID = 'IsDBEn'");
    test::ExecuteOn(path, sql);
  }

  // What the run must not change: version, marker and the rows of a table.
  static QStringList Content(const QString& path) {
    QStringList out;
    for (const char* sql : {"SELECT ID, Val1, Val2 FROM TSettings ORDER BY ID",
                            "SELECT Code, Val, ValText FROM TCodes ORDER BY Code, Val",
                            "SELECT TaskIDX FROM TTaskLogHour"})
      for (const QVariantList& row : test::Rows(path, QString::fromLatin1(sql))) {
        QStringList fields;
        for (const QVariant& v : row) fields << v.toString();
        out << fields.join(u'|');
      }
    return out;
  }

  QTemporaryDir dir_;
  QString program_, db_;
};

TEST_F(ProgramFaults, AFolderAtTheCompactionsTemporaryPathLeavesTheDatabaseWhole) {
  MakeLatest(db_);
  const QStringList before = Content(db_);
  ASSERT_FALSE(before.isEmpty());
  ASSERT_TRUE(QDir().mkdir(program_ + QStringLiteral("/tmp.mdb")));
  const Result r = Run();
  EXPECT_EQ(Content(db_), before);
  EXPECT_TRUE(r.log.contains(QStringLiteral("ERROR: modDB.CompactDatabase"))) << r.log.toStdString();
  EXPECT_TRUE(r.log.contains(QStringLiteral("tmp.mdb"))) << r.log.toStdString();
  EXPECT_TRUE(QFileInfo(program_ + QStringLiteral("/tmp.mdb")).isDir());
  EXPECT_FALSE(QFile::exists(db_ + QStringLiteral("-wal")));
}

TEST_F(ProgramFaults, WithoutALogFolderTheRunStillCompactsAndCreatesNoLog) {
  ASSERT_TRUE(QDir(program_ + QStringLiteral("/log")).removeRecursively());
  MakeLatest(db_);
  const QStringList before = Content(db_);
  const Result r = Run();
  EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(program_ + QStringLiteral("/log")));
  EXPECT_TRUE(QFile::exists(program_ + QStringLiteral("/autoup.ini")));  // it got to the end
  EXPECT_EQ(Content(db_), before);
}

TEST_F(ProgramFaults, ATruncatedDatabaseIsRefusedAndLeftByteForByte) {
  MakeLatest(db_);
  QFile f(db_);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  const QByteArray half = f.readAll().left(int(f.size() / 2));
  f.resize(half.size());
  f.close();
  const Result r = Run();
  EXPECT_EQ(test::FileBytes(db_), half);
  EXPECT_TRUE(r.err.contains(QStringLiteral("DB 연결 실패"))) << r.err.toStdString();
  EXPECT_TRUE(r.log.contains(QStringLiteral("ERROR: modDB.DBGetConnection"))) << r.log.toStdString();
}

// The scripts cannot be staged nor the work copy made: the upgrade ends at
// its first script with a message, the encryption pass fails with another,
// and the database, in a folder of its own, is as it was.
TEST_F(ProgramFaults, AProgramFolderItMayNotWriteChangesNothing) {
  if (geteuid() == 0 && !QFile::exists(QStringLiteral("/usr/bin/setpriv"))) GTEST_SKIP() << "root without setpriv";
  const QString data = dir_.filePath(QStringLiteral("data"));
  ASSERT_TRUE(QDir().mkpath(data));
  const QString db = data + QStringLiteral("/Marrowtide.mdb");
  CreateInitialDatabase(db);
  const QStringList before = Content(db);
  for (const QString& p : {data, db, program_ + QStringLiteral("/log")})
    QFile::setPermissions(p, QFileDevice::Permissions(0x7777));
  QFile::setPermissions(program_, QFileDevice::Permissions(0x5555));
  const Result r = Run({db}, QStringLiteral("65534"));
  QFile::setPermissions(program_, QFileDevice::Permissions(0x7755));
  EXPECT_EQ(Content(db), before);
  EXPECT_TRUE(r.log.contains(QStringLiteral("modMain.ExtractResourceToFile\t75"))) << r.log.toStdString();
  EXPECT_TRUE(r.log.contains(QStringLiteral("ERROR: modMain.p_DBEncrypt"))) << r.log.toStdString();
  EXPECT_TRUE(r.err.contains(QStringLiteral("DB 업그레이드 중 오류가 발생하였습니다."))) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(QStringLiteral("DB 암호화 실패"))) << r.err.toStdString();
  EXPECT_TRUE(QDir(program_).entryList({QStringLiteral("Marrowtide_backup_en_*")}).isEmpty());
}

}  // namespace
}  // namespace mt
