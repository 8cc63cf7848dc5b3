// The built upgrade program against faults of its surroundings that end
// quickly (no value pass reaches its fixed waits): each leaves the database
// whole, as it was or compacted, and says what went wrong. The slower ones
// (full disks, read-only mounts, a folder at the work-copy path) are in
// bench/fault_cases/, run by tests/faults/fault_test.sh; unusable database
// files and a missing log folder are in the e2e tests.
#include <unistd.h>

#include <QFileInfo>

#include "e2e/program_run.h"

namespace mt {
namespace {

using ProgramFaults = e2e::InstalledProgram;

// What the run must not change: version, marker and the rows it keeps.
std::vector<QVariantList> Content(const QString& path) {
  std::vector<QVariantList> out;
  for (const char* sql : {"SELECT ID, Val1, Val2 FROM TSettings ORDER BY ID",
                          "SELECT Code, Val, ValText FROM TCodes ORDER BY Code, Val",
                          "SELECT TaskIDX FROM TTaskLogHour WHERE TaskIDX <> 1"}) {
    const std::vector<QVariantList> rows = test::Rows(path, QString::fromLatin1(sql));
    out.insert(out.end(), rows.begin(), rows.end());
  }
  return out;
}

TEST_F(ProgramFaults, AFolderAtTheCompactionsTemporaryPathLeavesTheDatabaseWhole) {
  e2e::MakeLatest(db);
  const std::vector<QVariantList> before = Content(db);
  ASSERT_EQ(before.back(), QVariantList{2});
  ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("tmp.mdb"))));
  Run();
  EXPECT_EQ(Content(db), before);
  EXPECT_TRUE(Log().contains(QStringLiteral("ERROR: modDB.CompactDatabase"))) << Log().toStdString();
  EXPECT_TRUE(Log().contains(QStringLiteral("tmp.mdb"))) << Log().toStdString();
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("tmp.mdb"))).isDir());
  EXPECT_FALSE(QFile::exists(db + QStringLiteral("-wal")));
}

// No installation lock file can be made in the program folder: the run ends
// with M1 before the database opens (status 1), and the database, in a
// folder of its own, is as it was.
TEST_F(ProgramFaults, AProgramFolderItMayNotWriteChangesNothing) {
  if (geteuid() == 0 && !QFile::exists(QStringLiteral("/usr/bin/setpriv"))) GTEST_SKIP() << "root without setpriv";
  for (const bool latest : {false, true}) {
    SCOPED_TRACE(latest ? "newest version, plain" : "initial database");
    const QString data = dir.filePath(latest ? QStringLiteral("latest") : QStringLiteral("initial"));
    ASSERT_TRUE(QDir().mkpath(data));
    const QString path = data + QStringLiteral("/Marrowtide.mdb");
    if (latest) {
      e2e::MakeLatest(path);
      test::ExecuteOn(path, {QStringLiteral("UPDATE TSettings SET Val1 = '0' WHERE ID = 'IsDBEn'")});
    } else {
      CreateInitialDatabase(path);
    }
    const std::vector<QVariantList> before = Content(path);
    for (const QString& p : {data, path, dir.filePath(QStringLiteral("log"))})
      QFile::setPermissions(p, QFileDevice::Permissions(0x7777));
    QFile::remove(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log")));
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555));
    const test::ToolResult r = test::RunTool({path}, program, {}, /*asNobody=*/true);
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Content(path), before);
    EXPECT_TRUE(Log().contains(QStringLiteral(".marrowtide-dbupgrade.lock cannot be used"))) << Log().toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("DB 연결 실패"))) << r.err.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("Marrowtide_backup_en_*")}).isEmpty());
  }
}

}  // namespace
}  // namespace mt
