// Running the built upgrade program as a user would: copied into a program
// folder of its own, headless (a message box goes to standard error), and
// databases for it that the production code made. Shared by the e2e and the
// faults tests.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "app/globals.h"
#include "support/fake_services.h"
#include "support/real_db.h"
#include "support/tool_run.h"
#include "upgrade/initial_database.h"

namespace mt::e2e {

inline const QString kExeName = QStringLiteral("marrowtide-dbupgrade");

// A temporary program folder (readable by everyone) with the built program
// and its log folder; the database beside the program is db.
class InstalledProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString built = QStringLiteral(MT_BINARY_DIR "/") + kExeName;
    if (!QFile::exists(built)) GTEST_SKIP() << "build marrowtide-dbupgrade first";
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755));
    QDir().mkpath(dir.filePath(QStringLiteral("log")));
    ASSERT_TRUE(QFile::copy(built, program));
  }

  // Runs the program headless (see test::RunTool) after removing the log of
  // an earlier run.
  test::ToolResult Run(const QStringList& args = {}, const QStringList& env = {}, bool asNobody = false) {
    QFile::remove(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log")));
    return test::RunTool(args, program, env, asNobody);
  }
  QString Log() const {
    return QString::fromUtf8(test::FileBytes(dir.filePath(QStringLiteral("log/marrowtide-dbupgrade.log"))));
  }
  QStringList LogMessages() const { return test::TimestampedMessages(Log()); }

  QTemporaryDir dir;
  QString program = dir.filePath(kExeName);
  QString db = dir.filePath(QStringLiteral("Marrowtide.mdb"));
};

// The log tables with their key column. Each gets a row years past every age
// limit (key 1) and one of today (key 2); the limits themselves are the
// maintenance tests' matter.
inline const std::pair<const char*, const char*> kLogTables[] = {
    {"TTaskLog", "TaskIDX"},         {"TTaskLogHour", "TaskIDX"}, {"TTaskLogDay", "TaskIDX"},
    {"TTaskLogInterval", "TaskIDX"}, {"TTaskStatistics", "webSN"}};

inline QStringList LogRows() {
  QStringList sql;
  for (const auto& [table, key] : kLogTables)
    sql << QStringLiteral("INSERT INTO %1 (%2, LogDate) VALUES (1, #2001-01-01 00:00:00#)").arg(table, key)
        << QStringLiteral("INSERT INTO %1 (%2, LogDate) VALUES (2, Now())").arg(table, key);
  return sql;
}

// A database at the newest version with its schema (the one the build
// upgraded to list that schema), marked encrypted as a run leaves it, so the
// run only checks its schema, prunes and compacts; it holds the log rows.
inline void MakeLatest(const QString& path) {
  ASSERT_TRUE(QFile::copy(QStringLiteral(MT_BINARY_DIR "/generated/latest.mdb"), path));
  test::ExecuteOn(path, LogRows() << QStringLiteral("UPDATE TSettings SET Val1 = '1' WHERE ID = 'IsDBEn'"));
}

}  // namespace mt::e2e
