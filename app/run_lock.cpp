#include "app/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "app/log.h"

namespace mt {
namespace {

QString Reason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The file at path is still the one open as fd (not removed or replaced by
// the holder that released it meanwhile).
bool StillAtPath(int fd, const QByteArray& path) {
  struct stat held {}, named {};
  return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 && SameFile(held, named);
}

}  // namespace

RunLock::RunLock(const QString& lockPath, LockMode mode) : path_(lockPath) {
  const QByteArray name = QFile::encodeName(lockPath);
  const auto unavailable = [&](const QString& cause) {
    result_ = {LockState::Unavailable,
               QStringLiteral("The lock file %1 cannot be used: %2. Its folder %3 must be writable.")
                   .arg(lockPath, cause, QFileInfo(lockPath).absolutePath())};
  };
  // A holder that releases removes the file; one who opened it just before
  // then holds a lock on a file no longer there, and tries again.
  for (int attempt = 0; attempt < 16; ++attempt) {
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | kFlags, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
      const int createError = errno;
      // Someone else's lock file may be read (flock needs no write access).
      fd = ::open(name.constData(), O_RDONLY | kFlags);
      if (fd < 0 && errno == ENOENT && mode == LockMode::Shared) return;  // no file, no run holds it
      if (fd < 0) errno = createError;
    }
    if (fd < 0) {
      unavailable(Reason(errno));
      return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      unavailable(QStringLiteral("it is not a regular file"));
      return;
    }
    if (::flock(fd, (mode == LockMode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
      const int err = errno;
      ::close(fd);
      if (err == EWOULDBLOCK) {
        result_.state = LockState::HeldElsewhere;
        return;
      }
      unavailable(Reason(err));
      return;
    }
    if (StillAtPath(fd, name)) {
      fd_ = fd;
      return;
    }
    ::close(fd);
  }
  unavailable(QStringLiteral("it keeps being replaced"));
}

RunLock::~RunLock() {
  if (fd_ < 0) return;
  // The last holder removes the file: only when no one else holds it (a
  // shared holder asks for it alone first; that never waits).
  const QByteArray name = QFile::encodeName(path_);
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 && StillAtPath(fd_, name)) ::unlink(name.constData());
  ::close(fd_);  // releases the lock
}

QString InstanceLockPath() { return ProgramFolder() + QStringLiteral("/.marrowtide-dbupgrade.lock"); }

QString DatabaseLockPath(const QString& databasePath) {
  const QFileInfo given(databasePath);
  const QString canonical = given.canonicalFilePath();
  const QFileInfo file = canonical.isEmpty() ? given : QFileInfo(canonical);
  QString folder = QDir(file.absolutePath()).canonicalPath();
  if (folder.isEmpty()) folder = file.absolutePath();
  return folder + QStringLiteral("/.") + file.fileName() + QStringLiteral(".lock");
}

}  // namespace mt
