#include "upgrade/upgrade_engine.h"

#include <QDir>
#include <QFile>
#include <utility>

#include "app/globals.h"
#include "db/file_replace.h"
#include "app/log.h"
#include "app/services.h"
#include "db/engine.h"
#include "migrations/code_migrations.h"
#include "migrations/migration_frame.h"
#include "upgrade/catalog_statements.h"
#include "upgrade/expected_failures.h"
#include "upgrade/script_store.h"
#include "upgrade/statement_text.h"
#include "upgrade/upgrade_connection.h"

namespace mt {
namespace upgrade {
namespace {

// Positions named in the failure line, one per step of a version.
enum Step : int {
  kStepMigration = 1,
  kStepRead = 2,
  kStepDelete = 3,
  kStepStatement = 4,
  kStepProgress = 5,
  kStepStamp = 6,
  kStepBegin = 7,
  kStepCommit = 8,
};

constexpr int32_t kFileAccess = 75;

const QString kScriptType = QStringLiteral("SQL");

// Runs one step under the upgrade's failure trap: a failure is logged with
// the version and the last statement, and the upgrade resumes after it -
// unless the database takes no more changes: then the entry also says that
// the upgrade ends, and Ended() is true.
class FailureTrap {
 public:
  explicit FailureTrap(UpgradeOutcome& outcome) : outcome_(outcome) {}

  void SetVersion(int32_t version) { version_ = version; }
  void SetStatement(const QString& statement) { statement_ = statement; }
  bool Ended() const { return !ending_.isEmpty(); }

  // failureEnds: any failure of this step ends the upgrade.
  template <typename Fn>
  bool Run(Step step, Fn&& fn, bool failureEnds = false) {
    if (Ended()) return false;
    try {
      fn();
      return true;
    } catch (...) {
      const CaughtError e = CurrentError();
      if (Connection* conn = SharedConnection(); conn && conn->IsOpen()) ending_ = conn->WriteRefusal();
      if (ending_.isEmpty() && failureEnds) ending_ = e.description;
      Log(step, e.number, e.description);
    }
    return false;
  }

 private:
  void Log(Step step, int32_t number, const QString& description) {
    ++outcome_.failures;
    if (IsExpectedFailure(version_, statement_)) ++outcome_.expectedFailures;
    // Concatenated, not formatted: descriptions and statements may hold "%1".
    QString entry = QStringLiteral("[err: modMain.p_DBUpgrade] line ") + QString::number(int(step)) +
                    QStringLiteral(", ") + QString::number(number) + QStringLiteral(", ") + description +
                    QStringLiteral("\r\n\tResNo = ") + QString::number(version_) +
                    QStringLiteral("\r\n\tSQL = ") + statement_;
    if (Ended())
      entry += QStringLiteral("\r\n\tThe upgrade ends here; version ") + QString::number(version_) +
               QStringLiteral(" is not recorded: ") + ending_;
    LogFailure(entry);
  }

  UpgradeOutcome& outcome_;
  int32_t version_ = 0;
  QString statement_;
  QString ending_;
};

// The version's transaction on the shared connection. Without an open
// connection there is none, and each step fails on its own as it always did.
class VersionTransaction {
 public:
  explicit VersionTransaction(FailureTrap& trap) : trap_(trap) {
    conn_ = SharedConnection();
    if (conn_ && !conn_->IsOpen()) conn_ = nullptr;
    // A version that cannot be made whole is not begun.
    if (conn_ && !trap_.Run(kStepBegin, [&] { conn_->BeginTransaction(); }, true)) conn_ = nullptr;
  }
  ~VersionTransaction() {
    if (conn_) conn_->RollbackTransaction();
  }
  // False when the version could not be kept: it is rolled back.
  bool Commit() {
    if (!conn_ || trap_.Ended()) return !trap_.Ended();
    Connection* conn = std::exchange(conn_, nullptr);
    // A version that could not be committed is rolled back, so no later one
    // may follow it.
    return trap_.Run(kStepCommit, [&] { conn->CommitTransaction(); }, true);
  }

 private:
  FailureTrap& trap_;
  Connection* conn_ = nullptr;
};

// The rows every version's stamp and many statements of the scripts find by
// their text key: the settings by ID, the codes by Code. The keys' own
// indexes compare case-sensitively, the statements ignoring case; without
// these each such statement reads its whole table.
void AddKeyLookups(Connection* conn) {
  if (!conn) return;
  const std::pair<const char*, const char*> keys[] = {{"TSettings", "ID"}, {"TCodes", "Code"}};
  for (const auto& [table, column] : keys) {
    try {
      conn->AddLookupIndex(QLatin1String(table), {QLatin1String(column)});
    } catch (const DbError&) {
      // Only a way to go faster (a version before the table has none).
    }
  }
}

}  // namespace

float ProgressPercent(int64_t steps, int64_t versionsDone, int64_t pieceIndex, int64_t pieceCount) {
  const double share = 100.0 / double(steps);
  // The completed versions' part is held in single precision before the
  // piece's part is added, as the progress has always been computed.
  const float done = float(share * double(versionsDone));
  return float(double(done) + share * (double(pieceIndex + 1) / double(pieceCount)));
}

QString ScriptFilePath(int resourceId) {
  return WorkingFilePath(ProgramFolder(), QString::number(resourceId) + QStringLiteral(".sql"),
                         Globals().DBPath);
}

QString VersionStampStatement(int32_t version) {
  return QStringLiteral("UPDATE [TSettings] SET Val1=\"") + QString::number(version) +
         QStringLiteral("\" WHERE [ID]=\"DBVersion\"");
}

PendingUpgrade PendingVersions(int32_t stored) {
  PendingUpgrade pending;
  if (stored > LatestDBVersion)
    pending.why = QStringLiteral("above version %1: the upgrade applies nothing").arg(LatestDBVersion);
  for (int64_t v = int64_t(stored) + 1; v <= LatestDBVersion; ++v) {
    const int32_t version = int32_t(v);
    if (!IsCodeMigrationVersion(version) && !HasResource(kScriptResourceBase + version, kScriptType)) {
      pending.why = QStringLiteral("no upgrade script for version %1: the upgrade %2 and the run ends with status 2")
                        .arg(version)
                        .arg(pending.versions == 0 ? QStringLiteral("applies nothing")
                                                   : QStringLiteral("stops after version %1").arg(version - 1));
      break;
    }
    ++pending.versions;
  }
  return pending;
}

void DispatchStatement(const QString& statement, const QString& next) {
  switch (ClassifyStatement(statement)) {
    case StatementKind::CreateView:
      p_CreateView(statement);
      return;
    case StatementKind::CreateProcedure:
      p_CreateProcedure(statement);
      return;
    case StatementKind::RenameTable:
      p_RenameTable(statement);
      return;
    case StatementKind::RenameColumn:
      p_RenameColumn(statement);
      return;
    case StatementKind::SetColumnDescription:
      p_SetColumnDescription(statement);
      return;
    case StatementKind::Execute:
      UpgradeConnection().Execute(
          statement, !next.isEmpty() && ClassifyStatement(next) == StatementKind::Execute ? next : QString());
      return;
  }
}

UpgradeOutcome UpgradeRange(int32_t storedVersion, int32_t targetVersion) {
  UpgradeOutcome outcome;
  outcome.lastRecorded = storedVersion;
  if (storedVersion >= targetVersion) return outcome;

  const int64_t steps = int64_t(targetVersion) - storedVersion;
  FailureTrap trap(outcome);
  const int64_t migrationFailuresBefore = MigrationFailuresLogged();
  struct CountMigrationFailures {
    UpgradeOutcome& outcome;
    int64_t before;
    ~CountMigrationFailures() { outcome.migrationFailures = MigrationFailuresLogged() - before; }
  } countMigrationFailures{outcome, migrationFailuresBefore};

  for (int64_t v = int64_t(storedVersion) + 1; v <= targetVersion; ++v) {
    const int32_t version = int32_t(v);
    const int resourceId = kScriptResourceBase + version;
    trap.SetVersion(version);

    QStringList pieces;
    if (!IsCodeMigrationVersion(version)) {
      const QString path = ScriptFilePath(resourceId);
      if (!ExtractResourceToFile(resourceId, kScriptType, path)) {
        services().ui->MessageBox(ExeName(), kUpgradeFailedText);
        outcome.missingScript = version;
        return outcome;
      }

      // A script that cannot be read back runs nothing; never the text of
      // the version before.
      QString script;
      trap.Run(kStepRead, [&] { script = ReadScriptFile(path); });
      trap.Run(kStepDelete, [&] {
        if (!QFile::remove(path) && QFile::exists(path)) {
          throw DbError(kFileAccess, QStringLiteral("Path/File access error"));
        }
      });
      pieces = SplitScript(script);
    }

    // The version's statements (or code migration) and its stamp take effect
    // together or not at all.
    VersionTransaction transaction(trap);
    // Again in every version: a rebuild of the table takes its index away.
    if (!trap.Ended()) AddKeyLookups(SharedConnection());
    if (IsCodeMigrationVersion(version)) {
      trap.Run(kStepMigration, [&] { RunCodeMigration(version); });
    } else {
      const int64_t count = pieces.size();
      QString next = count > 0 ? NormaliseStatement(pieces[0]) : QString();
      for (int64_t j = 0; j < count && !trap.Ended(); ++j) {
        const QString statement = std::exchange(next, j + 1 < count ? NormaliseStatement(pieces[j + 1]) : QString());
        trap.SetStatement(statement);
        if (statement.size() > kMaxSkippedLength) {
          ++outcome.statements;
          // The next piece runs right after this one unless it is skipped.
          const QString following = next.size() > kMaxSkippedLength ? next : QString();
          trap.Run(kStepStatement, [&] { DispatchStatement(statement, following); });
        }
        const float percent = ProgressPercent(steps, v - storedVersion - 1, j, count);
        trap.Run(kStepProgress, [&] { services().ui->ShowPercent(percent); });
      }
    }

    const bool stamped =
        trap.Run(kStepStamp, [&] { UpgradeConnection().Execute(VersionStampStatement(version)); });
    if (!transaction.Commit()) {
      outcome.abandoned = version;
      return outcome;
    }
    if (stamped) outcome.lastRecorded = version;
  }
  return outcome;
}

}  // namespace upgrade

upgrade::UpgradeOutcome p_DBUpgrade(int32_t storedVersion) {
  return upgrade::UpgradeRange(storedVersion, LatestDBVersion);
}

}  // namespace mt
