// The built upgrade program against faults of its surroundings that end
// quickly (no value pass reaches its fixed waits): each leaves the database
// whole, as it was or compacted, and says what went wrong. The slower ones
// (full disks, read-only mounts, a folder at the work-copy path) are in
// bench/fault_cases.cpp, run by tests/faults/fault_test.sh; unusable database
// files are in the e2e tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "e2e/program_run.h"

namespace mt {
namespace {

struct Result {
  int exitCode = -1;
  QString err;
  QString log;
};

class ProgramFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7755));
    program_ = dir_.filePath(QStringLiteral("program"));
    if (e2e::InstallProgram(program_).isEmpty()) GTEST_SKIP() << "build marrowtide-dbupgrade first";
    db_ = program_ + QStringLiteral("/Marrowtide.mdb");
  }

  Result Run(const QStringList& args = {}, bool asNobody = false) {
    const e2e::ProgramResult r = e2e::RunHeadless(program_ + QLatin1Char('/') + e2e::kExeName, args, asNobody);
    return {r.exitCode, r.err, e2e::LogOf(program_)};
  }

  // What the run must not change: version, marker and the rows it keeps.
  static QStringList Content(const QString& path) {
    QStringList out;
    for (const char* sql : {"SELECT ID, Val1, Val2 FROM TSettings ORDER BY ID",
                            "SELECT Code, Val, ValText FROM TCodes ORDER BY Code, Val",
                            "SELECT TaskIDX FROM TTaskLogHour WHERE TaskIDX <> 1"})
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
  e2e::MakeLatest(db_);
  const QStringList before = Content(db_);
  ASSERT_TRUE(before.contains(QStringLiteral("7")));
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
  e2e::MakeLatest(db_);
  const QStringList before = Content(db_);
  const Result r = Run();
  EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(program_ + QStringLiteral("/log")));
  EXPECT_TRUE(QFile::exists(program_ + QStringLiteral("/autoup.ini")));  // it got to the end
  EXPECT_EQ(Content(db_), before);
}

// The scripts cannot be staged nor the work copy made: the upgrade of an
// old database ends at its first script with a message (status 2, ahead of
// the encryption's 3), the encryption pass fails with another, and the
// database, in a folder of its own, is as it was.
TEST_F(ProgramFaults, AProgramFolderItMayNotWriteChangesNothing) {
  if (geteuid() == 0 && !QFile::exists(QStringLiteral("/usr/bin/setpriv"))) GTEST_SKIP() << "root without setpriv";
  for (const bool latest : {false, true}) {
    SCOPED_TRACE(latest ? "newest version, plain" : "initial database");
    const QString data = dir_.filePath(latest ? QStringLiteral("latest") : QStringLiteral("initial"));
    ASSERT_TRUE(QDir().mkpath(data));
    const QString db = data + QStringLiteral("/Marrowtide.mdb");
    if (latest) {
      e2e::MakeLatest(db);
      test::ExecuteOn(db, {QStringLiteral("UPDATE TSettings SET Val1 = '0' WHERE ID = 'IsDBEn'")});
    } else {
      CreateInitialDatabase(db);
    }
    const QStringList before = Content(db);
    for (const QString& p : {data, db, program_ + QStringLiteral("/log")})
      QFile::setPermissions(p, QFileDevice::Permissions(0x7777));
    QFile::remove(program_ + QStringLiteral("/log/marrowtide-dbupgrade.log"));
    QFile::setPermissions(program_, QFileDevice::Permissions(0x5555));
    const Result r = Run({db}, /*asNobody=*/true);
    QFile::setPermissions(program_, QFileDevice::Permissions(0x7755));
    EXPECT_EQ(r.exitCode, latest ? 3 : 2);
    EXPECT_EQ(Content(db), before);
    EXPECT_EQ(r.log.contains(QStringLiteral("modMain.ExtractResourceToFile\t75")), !latest) << r.log.toStdString();
    EXPECT_TRUE(r.log.contains(QStringLiteral("ERROR: modMain.p_DBEncrypt"))) << r.log.toStdString();
    EXPECT_EQ(r.err.contains(QStringLiteral("DB 업그레이드 중 오류가 발생하였습니다.")), !latest) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("DB 암호화 실패"))) << r.err.toStdString();
    EXPECT_TRUE(QDir(program_).entryList({QStringLiteral("Marrowtide_backup_en_*")}).isEmpty());
  }
}

}  // namespace
}  // namespace mt
