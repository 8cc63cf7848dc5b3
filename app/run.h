// The fixed order of one upgrade run: choose the database, open it, read the
// stored schema version, decrypt the protected values when needed, upgrade,
// encrypt again, prune and compact, close the progress window.
//
// Promises:
//  - RunMain returns normally on every path (exit status 0); a failure of the
//    run itself is logged under "modMain.Main" and the run goes on with the
//    shutdown steps. The first line a run writes is "DBPath = <path>", the
//    last "modMain.Main End ".
//  - The passes are reached through RunPasses, so tests drive every branch
//    with fakes; the production passes live in app/production_passes.cpp.
//  - At most one run at a time per program folder and user: a second one
//    does nothing at all (no window, no log line).
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

class RunPasses {
 public:
  virtual ~RunPasses() = default;
  // Each pass handles its own failures and returns normally.
  virtual void p_DBDecrypt(int32_t version) = 0;
  virtual void p_DBUpgrade(int32_t storedVersion) = 0;
  virtual void p_DBEncrypt() = 0;
  virtual void p_CompactDB() = 0;
  // The plain text of a protected value (a stored version that is not a number).
  virtual QString DBDecryptValue(const QString& text) = 0;
};

RunPasses& ProductionPasses();

// The run with the given passes. anotherInstanceRunning skips everything up
// to the shutdown steps, which then write nothing because logging stays off.
int RunMain(const QString& argument, RunPasses& passes, bool anotherInstanceRunning);

// The production run: takes the single-instance lock and uses the production passes.
int RunMain(const QString& argument);

// The key of the single-instance lock: a file in the temporary folder named
// from the program folder and the user.
QString InstanceLockPath();

}  // namespace mt
