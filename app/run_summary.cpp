#include "app/run_summary.h"

#include "app/globals.h"
#include "upgrade/expected_failures.h"

namespace mt {

namespace {

QString Version(const QString& text) {
  return text.isEmpty() ? QStringLiteral("not read") : text;
}

}  // namespace

QString OutcomeMeaning(RunOutcome outcome) {
  const QString latest = QString::number(LatestDBVersion);
  switch (outcome) {
    case RunOutcome::Upgraded: return QStringLiteral("at version %1, encrypted").arg(latest);
    case RunOutcome::NotOpened: return QStringLiteral("the database could not be opened, or was lost after a value pass");
    case RunOutcome::NotAtLatestVersion: return QStringLiteral("the database stayed below version %1").arg(latest);
    case RunOutcome::NotEncrypted: return QStringLiteral("the values could not be encrypted");
    case RunOutcome::AnotherRunHoldsTheLock: return QStringLiteral("another run holds this installation or this database");
    case RunOutcome::SchemaDiffers: return QStringLiteral("at version %1, but the schema differs from version %1's").arg(latest);
  }
  return QString();
}

QString RunSummaryLine(const QString& program, const RunReport& report, RunOutcome outcome) {
  const upgrade::UpgradeOutcome& u = report.upgrade;
  QString line = program + QStringLiteral(": version ") + Version(report.fromVersion) + QStringLiteral(" -> ") +
                 Version(report.toVersion) + QStringLiteral(", ") + QString::number(u.failures) +
                 QStringLiteral(" statements failed");
  if (u.expectedFailures > 0)
    line += QStringLiteral(" (%1 expected, at version %2)").arg(u.expectedFailures).arg(upgrade::kVersionWithExpectedFailures);
  if (u.migrationFailures > 0) line += QStringLiteral(", %1 code-migration failures").arg(u.migrationFailures);
  if (!report.schemaDifferences.isEmpty())
    line += QStringLiteral(", %1 schema differences").arg(report.schemaDifferences.size());
  return line + QStringLiteral(", exit status %1: ").arg(int(outcome)) + OutcomeMeaning(outcome);
}

}  // namespace mt
