// Running the built upgrade program as a user would: copied into a program
// folder of its own, headless (a message box goes to standard error), and
// databases for it that the production code made. Shared by the e2e and the
// faults tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

#include "app/globals.h"
#include "support/fake_services.h"
#include "support/real_db.h"
#include "support/tool_run.h"
#include "upgrade/initial_database.h"

namespace mt::e2e {

inline const QString kBinDir = QString::fromUtf8(MT_BINARY_DIR);
inline const QString kExeName = QStringLiteral("marrowtide-dbupgrade");

using ProgramResult = test::ToolResult;

// Runs program headless (see test::RunTool).
inline ProgramResult RunHeadless(const QString& program, const QStringList& args, bool asNobody = false,
                                 const QStringList& extraEnv = {}) {
  return test::RunTool(args, program, extraEnv, asNobody);
}

// A program folder with the built program and, when asked, its log folder.
// Returns the program's path, or an empty text when it is not built.
inline QString InstallProgram(const QString& folder, bool withLogFolder = true) {
  if (!QFile::exists(kBinDir + QLatin1Char('/') + kExeName)) return {};
  if (withLogFolder) QDir().mkpath(folder + QStringLiteral("/log"));
  const QString exe = folder + QLatin1Char('/') + kExeName;
  return QFile::copy(kBinDir + QLatin1Char('/') + kExeName, exe) ? exe : QString();
}

inline QString LogOf(const QString& folder) {
  return QString::fromUtf8(test::FileBytes(folder + QStringLiteral("/log/marrowtide-dbupgrade.log")));
}

// A database stamped with the newest version and marked encrypted, which the
// run only prunes and compacts: the five activity-log tables each hold a row older than any
// pruning age (TaskIDX 1) and a row of today (TaskIDX 7).
inline void MakeLatest(const QString& path) {
  CreateInitialDatabase(path);
  QStringList sql;
  for (const char* t : {"TTaskLog", "TTaskLogInterval", "TTaskStatistics"})
    sql << QStringLiteral("CREATE TABLE %1 (TaskIDX LONG, LogDate DATETIME)").arg(QLatin1String(t));
  for (const char* t : {"TTaskLog", "TTaskLogHour", "TTaskLogDay", "TTaskLogInterval", "TTaskStatistics"})
    sql << QStringLiteral("INSERT INTO %1 (TaskIDX, LogDate) VALUES (1, #2001-01-01 00:00:00#)").arg(QLatin1String(t))
        << QStringLiteral("INSERT INTO %1 (TaskIDX, LogDate) VALUES (7, Now())").arg(QLatin1String(t));
  sql << QStringLiteral("UPDATE TSettings SET Val1 = '%1' WHERE ID = 'DBVersion'").arg(LatestDBVersion)
      << QStringLiteral("UPDATE TSettings SET Val1 = '1' WHERE ID = 'IsDBEn'");  // as a run leaves it
  test::ExecuteOn(path, sql);
}

}  // namespace mt::e2e
