// The fixed order of one upgrade run: choose the database, open it, read the
// stored schema version, decrypt the protected values when needed, upgrade,
// encrypt again, prune and compact, close the progress window.
//
// Promises:
//  - RunMain returns normally on every path; a failure of the run itself is
//    logged under "modMain.Main" and the run goes on with the shutdown steps.
//    Its outcome (the program's exit status) is the first thing the run did
//    not achieve, in run order: the database open, then at the newest
//    version (the stored version read again after the upgrade), then
//    encrypted. The first line a run writes is "DBPath = <path>", the
//    last "modMain.Main End ".
//  - The passes are reached through RunPasses, so tests drive every branch
//    with fakes; the production passes live in app/production_passes.cpp.
//  - At most one run at a time per program folder and user, and one per
//    database file from any installation (app/run_lock.h): a second one does
//    nothing at all (no window, no log line) and its outcome says so. A lock
//    that cannot be made ends the run with M1 and a log line naming the
//    cause, the database untouched.
//  - Under both locks, before anything is opened, a path too long for the
//    engine (the database's, or a working file's at its longest) ends the
//    run with M1 and a line naming the limit (db/path_limit.h); then the
//    working files a killed run left behind are deleted (app/leftovers.h).
//  - A database that fails the engine's damage check right after it opens
//    ends the run with M1 and a line saying it is damaged: no pass, no
//    compaction, no stamp.
//  - The values count as encrypted when IsDBEn says so, and also when it
//    says plain but DBVersion is cipher text that opens (logged); a version
//    still in cipher text after the decryption pass stops the run as values
//    still encrypted do.
//  - At the latest version an encrypted database is only pruned and
//    compacted; a plain one is encrypted first (M2 and M3 as after an upgrade).
//  - A database at the latest version, upgraded or already there, has its
//    schema compared with the latest version's (RunPasses::SchemaDifferences);
//    each difference is a failure line of the log, and the outcome says the
//    schema differs when nothing else went wrong.
//  - The report tells the versions before and after, the failures the
//    upgrade logged (those it expects among them) and the differences.
//  - The shared connection is closed when the run ends, before its
//    database lock is released.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "app/run_lock.h"
#include "upgrade/upgrade_engine.h"

namespace mt {

class RunPasses {
 public:
  virtual ~RunPasses() = default;
  // Each pass handles its own failures and returns normally.
  virtual void p_DBDecrypt(int32_t version) = 0;
  virtual upgrade::UpgradeOutcome p_DBUpgrade(int32_t storedVersion) = 0;
  virtual void p_DBEncrypt() = 0;
  virtual void p_CompactDB() = 0;
  // The plain text of a protected value (a stored version that is not a number).
  virtual QString DBDecryptValue(const QString& text) = 0;
  // How the schema on the shared connection differs from the latest
  // version's (upgrade/schema_diff.h lines); throws DbError when it cannot
  // be read.
  virtual QStringList SchemaDifferences() = 0;
};

RunPasses& ProductionPasses();

// How a run ended, as the program's exit status: the database at the newest
// version (or above it) and encrypted; not opened or lost after a value pass
// (M1, M2); not at the newest version (a script missing, the version
// unreadable, the upgrade ended early or was not begun over values still
// encrypted); not encrypted (M3); nothing done because another run holds the
// installation or the database; or at the newest version with a schema that
// differs from its.
enum class RunOutcome { Upgraded = 0, NotOpened = 1, NotAtLatestVersion = 2, NotEncrypted = 3,
                        AnotherRunHoldsTheLock = 4, SchemaDiffers = 5 };

// What a run did, for its summary.
struct RunReport {
  QString fromVersion;  // the stored version read at the start; empty when none was read
  QString toVersion;    // the stored version when the run ended; empty when none was read
  upgrade::UpgradeOutcome upgrade;  // zero when no upgrade ran
  QStringList schemaDifferences;
};

// The run with the given passes and the result of the installation lock.
RunOutcome RunMain(const QString& argument, RunPasses& passes, const LockResult& instance,
                   RunReport* report = nullptr);

// The production run: takes the installation lock and uses the production passes.
RunOutcome RunMain(const QString& argument, RunReport* report = nullptr);

}  // namespace mt
