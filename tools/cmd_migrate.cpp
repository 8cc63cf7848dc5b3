// marrowtide-db migrate FILE --to N: applies the schema versions after the
// stored one up to N, exactly as the upgrade run does (scripts, catalogue
// statements and code migrations, each version stamped in DBVersion), and
// prints what it did. Failing statements and failing code migrations are
// logged, counted and skipped, as in the run; only a script that cannot be
// obtained makes the command fail. Scripts are staged in a private temporary
// folder (tools/script_staging.h), so the tool's own folder is never written.
#include <QTextStream>

#include "app/globals.h"
#include "db/engine.h"
#include "db/query.h"
#include "migrations/migration_frame.h"
#include "tools/command.h"
#include "tools/script_staging.h"
#include "upgrade/upgrade_engine.h"

namespace mt::tool {
namespace {

constexpr int32_t kResourceNotFound = 326;

// The shared connection on FILE; on failure the engine's own reason.
int Connect(const QString& path) {
  Connection* conn = DBGetConnection(path);
  if (conn != nullptr && conn->IsOpen()) return kOk;
  ReleaseSharedConnection();
  // DBGetConnection writes the reason only to the log: open once more to tell it.
  try {
    DefaultEngine().Open(path, DatabasePassword())->Close();
  } catch (const DbError& e) {
    return ReportError(e.code(), e.description());
  }
  return ReportError(dberr::kOpenFailed, QStringLiteral("cannot open ") + path);
}

int RunMigrate(const QStringList& args) {
  bool numeric = false;
  const int target = args.size() == 3 ? args[2].toInt(&numeric) : 0;
  if (args.size() != 3 || args[1] != QStringLiteral("--to") || !numeric ||
      target > LatestDBVersion) {
    return UsageOf(QStringLiteral("migrate"));
  }
  ScriptStaging staging;
  if (!staging.Start(/*keepLog=*/true)) return ReportError(dberr::kOpenFailed, staging.error());
  Globals().DBPath = args[0];
  Globals().LoggingEnabled = true;
  if (const int status = Connect(args[0]); status != kOk) return status;

  const QString stored =
      DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), 1).toString();
  const int from = stored.trimmed().toInt(&numeric);
  if (!numeric) {
    ReleaseSharedConnection();
    return ReportError(dberr::kTypeMismatch,
                       QStringLiteral("stored version '%1' is not a number (encrypted values? "
                                      "decrypt them first)")
                           .arg(stored));
  }

  const int64_t migrationFailuresBefore = MigrationFailuresLogged();
  const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(from, target);
  const int64_t failures = outcome.failures + (MigrationFailuresLogged() - migrationFailuresBefore);
  ReleaseSharedConnection();
  QTextStream(stdout) << "version " << from << " -> " << outcome.lastRecorded << ": "
                      << outcome.statements << " statements, " << failures << " failures logged\n";
  if (outcome.abandoned != 0) {
    return ReportError(dberr::kOpenFailed,
                       QStringLiteral("version %1 not applied: the database takes no more changes (see the log)")
                           .arg(outcome.abandoned));
  }
  if (outcome.missingScript != 0) {
    return ReportError(kResourceNotFound, staging.StagingFailure(outcome.missingScript));
  }
  return kOk;
}

const ToolCommand kMigrate("migrate", "migrate FILE --to N",
                           "apply versions stored+1..N (scripts and code migrations), as the upgrade does",
                           RunMigrate, /*changesDatabase=*/true);

}  // namespace
}  // namespace mt::tool
