// marrowtide-db migrate FILE --to N|latest: applies the schema versions after the
// stored one up to N, exactly as the upgrade run does (scripts, catalogue
// statements and code migrations, each version stamped in DBVersion), and
// prints what it did. Failing statements and failing code migrations are
// logged, counted and skipped, as in the run; only a script that cannot be
// obtained makes the command fail. Scripts are staged in a private temporary
// folder (tools/script_staging.h), so the tool's own folder is never written.
// It never downgrades: N below the stored version is an error. On a terminal
// it shows the upgrade's progress on standard error.
#include <QTextStream>

#include "app/globals.h"
#include "db/engine.h"
#include "db/query.h"
#include "tools/command.h"
#include "tools/script_staging.h"
#include "app/services.h"
#include "upgrade/expected_failures.h"
#include "upgrade/reference_schema.h"
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
    return ReportOpenError(path, e.code(), e.description());
  }
  return ReportError(dberr::kOpenFailed, QStringLiteral("cannot open ") + path);
}

// The upgrade's progress on a terminal; message boxes as the headless run writes them.
class ProgressUi final : public Ui {
 public:
  void ShowProgress() override {}
  bool IsProgressLoaded() const override { return false; }
  void UnloadProgress() override {}
  void ShowPercent(float percent) override { progress.Percent(percent); }
  void ShowMsg(const QString&) override {}
  void MessageBox(const QString& title, const QString& text) override {
    progress.Done();
    QTextStream(stderr) << title << ": " << text << Qt::endl;
  }
  void ProcessEvents() override {}
  TerminalProgress progress{QStringLiteral("migrate")};
};

int RunMigrate(const QStringList& args) {
  const QString name = QStringLiteral("migrate");
  if (args.size() != 3) return UsageOf(name);
  if (args[1] != QLatin1String("--to")) return UsageOf(name, QStringLiteral("expected --to, not '%1'").arg(args[1]));
  bool numeric = false;
  const int target = args[2] == QLatin1String("latest") ? LatestDBVersion : args[2].toInt(&numeric);
  if (args[2] != QLatin1String("latest") && (!numeric || target < upgrade::kInitialVersion || target > LatestDBVersion))
    return UsageOf(name, QStringLiteral("--to: %1 is not a version (%2 to %3, or latest)")
                             .arg(args[2])
                             .arg(upgrade::kInitialVersion)
                             .arg(LatestDBVersion));
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

  if (target < from) {
    ReleaseSharedConnection();
    return ReportError(0, QStringLiteral("%1 is at version %2; migrate never downgrades (--to %3)")
                              .arg(args[0])
                              .arg(from)
                              .arg(target));
  }

  ProgressUi ui;
  SetUi(&ui);
  const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(from, target);
  SetUi(nullptr);
  ui.progress.Done();
  const int64_t failures = outcome.failures + outcome.migrationFailures;
  ReleaseSharedConnection();
  QTextStream out(stdout);
  out << "version " << from << " -> " << outcome.lastRecorded << ": " << outcome.statements << " statements, "
      << failures << " failures logged";
  if (outcome.expectedFailures > 0)
    out << " (" << outcome.expectedFailures << " expected, at version " << upgrade::kVersionWithExpectedFailures << ")";
  out << "\n";
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

const ToolCommand kMigrate("migrate", "migrate FILE --to N|latest",
                           "apply versions stored+1..N (scripts and code migrations), as the upgrade does",
                           RunMigrate, Access::Writes);

}  // namespace
}  // namespace mt::tool
