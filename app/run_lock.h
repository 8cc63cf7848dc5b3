// The locks that keep runs apart: one per installation (a lock file in the
// program folder) and one per database file (a lock file beside it, named
// from its file name). Both are OS locks (flock) on those files: they vanish
// with the process that holds them, and they follow the file, not the
// environment (the temporary folder plays no part).
//
// Promises:
//  - A RunLock tries its lock file once, at construction, without waiting,
//    and holds it until it is destroyed. Its result says Taken (this process
//    holds it now), HeldElsewhere (another process holds it, or holds it
//    shared while this one wants it alone), or Unavailable (the lock file
//    cannot be made or opened, or something other than a regular file stands
//    at its path: why then names the cause). Unavailable never means that
//    another run holds it.
//  - Exclusive (runs, commands that write) excludes every other holder;
//    Shared (commands that only read) excludes only Exclusive holders. A
//    Shared lock whose file does not exist and cannot be made (read-only
//    media) counts as Taken: no run can hold a lock that has no file.
//  - The lock of a process that is gone is free at once; no lock goes stale
//    by age (a run may take long). The last holder removes the lock file;
//    a file removed or replaced while a process waited on it is never
//    mistaken for the lock.
//  - Lock files are opened close-on-exec and without blocking, so a child
//    process never inherits a lock and a FIFO at the path never blocks.
//  - DatabaseLockPath gives every path that names one database file the same
//    lock file: the file's canonical path (symbolic links and "." / ".."
//    resolved) decides its folder and name; a file that does not exist yet is
//    keyed by its folder's canonical path and its name. The same folder
//    reached through another mount (a bind mount) holds the same file, so the
//    lock is shared there too.
#pragma once

#include <QString>

namespace mt {

enum class LockState { Taken, HeldElsewhere, Unavailable };
enum class LockMode { Exclusive, Shared };

struct LockResult {
  LockState state = LockState::Taken;
  QString why;  // the cause, when Unavailable
};

class RunLock {
 public:
  explicit RunLock(const QString& lockPath, LockMode mode = LockMode::Exclusive);
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  const LockResult& result() const { return result_; }

 private:
  QString path_;
  int fd_ = -1;
  LockResult result_;
};

// ProgramFolder()/.marrowtide-dbupgrade.lock
QString InstanceLockPath();
// <folder of the file>/.<file name>.lock
QString DatabaseLockPath(const QString& databasePath);

}  // namespace mt
