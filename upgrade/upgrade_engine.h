// The schema upgrade: brings the database on the shared connection from its
// stored schema version up to a target version, one version at a time.
//
// Each version either runs its code migration (migrations/code_migrations.h)
// or its embedded script, statement by statement, and is then recorded in
// TSettings (row DBVersion). Promises:
//  - A version (its statements, catalogue statements or code migration, and
//    its stamp) is applied in one transaction of the shared connection: the
//    database holds all of it or none of it, so after a kill the next run
//    goes on from the last recorded version. Inside it every statement sees
//    the ones before; a failing one is undone alone.
//  - A failing statement (or any other failure while a version is processed)
//    is logged as "[err: modMain.p_DBUpgrade] line L, NUMBER, DESCRIPTION",
//    CR LF TAB "ResNo = V", CR LF TAB "SQL = " and the statement, and the
//    upgrade goes on with the next step. The version is recorded even when
//    some of its statements failed.
//  - Two things end the upgrade early; that version is not recorded and no
//    later version is attempted: a script that cannot be obtained (a message
//    box), and a database that takes no more changes (its transaction lost,
//    disk full, I/O error, read-only or damaged file: the version is rolled
//    back and the failure entry of the step that met it adds a line saying
//    that the upgrade ends; no message box).
//  - The outcome counts the failures logged, those the upgrade expects
//    (upgrade/expected_failures.h) among them, and apart from them the
//    failures the code migrations logged.
//  - Progress goes to services().ui->ShowPercent after every piece of a
//    script (skipped ones included); code-migration versions show none.
//  - The staged script file is deleted once it has been read.
//  - Each version finds the settings rows by ID and the code rows by Code
//    through lookup indexes of the connection (db/engine.h AddLookupIndex),
//    which it drops when it closes the file.
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

namespace upgrade {

// The message box of an upgrade that could not be carried out.
inline const QString kUpgradeFailedText = QStringLiteral("DB 업그레이드 중 오류가 발생하였습니다.");

struct UpgradeOutcome {
  int32_t lastRecorded = 0;   // the last version whose stamp succeeded, else the stored one
  int64_t statements = 0;     // statements dispatched (pieces longer than 5 characters)
  int64_t failures = 0;       // failures caught and logged
  int64_t expectedFailures = 0;  // of them, the ones the shipped upgrade expects
  int64_t migrationFailures = 0;  // failures the code migrations logged
  int32_t missingScript = 0;  // the version whose script could not be obtained, or 0
  int32_t abandoned = 0;      // the version rolled back because the database took no more changes, or 0
};

// Applies the versions storedVersion + 1 .. targetVersion exactly as
// p_DBUpgrade applies them up to LatestDBVersion (app/globals.h). Nothing when stored >= target.
UpgradeOutcome UpgradeRange(int32_t storedVersion, int32_t targetVersion);

// What a run would apply to a database stored at `stored`: the versions up
// to LatestDBVersion, as far as each has a script or a code migration
// (UpgradeRange ends at the first that has neither). `why` is empty when the
// run reaches the newest version, else says why it does not.
struct PendingUpgrade {
  int32_t versions = 0;
  QString why;
};
PendingUpgrade PendingVersions(int32_t stored);

// Carries out one normalised statement: a catalogue statement or SQL on the
// shared connection. Throws what the handler or the database engine throws.
// next: the statement that runs right after it, if one does (SQL may then
// be made together with it, Connection::Execute).
void DispatchStatement(const QString& statement, const QString& next = QString());

// The progress after piece pieceIndex (0-based) of pieceCount, in the version
// that follows versionsDone completed ones out of steps.
float ProgressPercent(int64_t steps, int64_t versionsDone, int64_t pieceIndex, int64_t pieceCount);

// The staging path of a script: the program folder and "<id>.sql".
QString ScriptFilePath(int resourceId);

// The statement that records a version.
QString VersionStampStatement(int32_t version);

}  // namespace upgrade

// Upgrades to LatestDBVersion; what UpgradeRange answers.
upgrade::UpgradeOutcome p_DBUpgrade(int32_t storedVersion);

}  // namespace mt
