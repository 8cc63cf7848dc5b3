// The locks that keep runs apart: one per installation (program folder and
// user) and one per database file. Both are lock files in the temporary
// folder, held by a live process.
//
// Promises:
//  - A RunLock tries its lock file once, at construction, without waiting,
//    and holds it until it is destroyed. Its result says Taken (this process
//    holds it now), HeldElsewhere (another live process holds it), or
//    Unavailable (the lock file cannot be made or read: an unwritable or
//    missing temporary folder; why then names the cause). Unavailable never
//    means that another run holds it.
//  - A lock left by a process that is gone is taken over; a lock never goes
//    stale by age (a run may take long).
//  - DatabaseLockPath gives every path that names one database file the same
//    lock: the file's canonical path (symbolic links and "." / ".." resolved)
//    is the key; a file that does not exist yet is keyed by its folder's
//    canonical path and its name. It does not depend on the program folder,
//    so runs of different installations on one file share it.
//  - InstanceLockPath is keyed by the program folder and the user: copies
//    installed in different folders, or another user's copy, do not block it.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace mt {

enum class LockState { Taken, HeldElsewhere, Unavailable };

struct LockResult {
  LockState state = LockState::Taken;
  QString why;  // the cause, when Unavailable
};

class RunLock {
 public:
  explicit RunLock(const QString& lockPath);
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  const LockResult& result() const { return result_; }

 private:
  std::unique_ptr<QLockFile> file_;
  LockResult result_;
};

QString InstanceLockPath();
QString DatabaseLockPath(const QString& databasePath);

}  // namespace mt
