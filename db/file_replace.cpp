#include "db/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>

#include "app/services.h"
#include "db/engine.h"

namespace mt {
namespace {

[[noreturn]] void Fail(const QString& what, const QString& path, int err) {
  throw DbError(kFileAccessError, what + QStringLiteral(" ") + path + QStringLiteral(": ") +
                                QString::fromLocal8Bit(std::strerror(err)),
                QStringLiteral("FileReplacement"));
}

QString FolderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

// Removing the last name of a big file frees its blocks before unlink(2) or
// rename(2) returns: about a second for a gigabyte on ext4, with the window
// unpainted. A file held open keeps its blocks until its last close, and a
// big one is closed on a worker thread while the window stays painted.
class HeldOpen {
 public:
  explicit HeldOpen(const QString& path)
      // Never waits: a FIFO opens at once without a writer.
      : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    struct stat st {};
    if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < (qint64(64) << 20))) Close();
  }
  ~HeldOpen() {
    if (fd_ >= 0) WaitPainted([this] { Close(); });
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

 private:
  void Close() {
    ::close(fd_);
    fd_ = -1;
  }
  int fd_;
};

// The source may have been written without a flush (a plain file copy).
void SyncFile(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  if (fd < 0) Fail("Cannot read", path, errno);
  int rc = 0, err = 0;
  WaitPainted([&] {
    rc = ::fsync(fd);
    err = errno;
  });
  ::close(fd);
  if (rc != 0) Fail("Cannot flush", path, err);
}

QString StagingPattern(const QString& target) {
  return FolderOf(target) + QStringLiteral("/.") + QFileInfo(target).fileName() +
         QStringLiteral(".swap-XXXXXX");
}

// Copies what is left of in to out in chunks, keeping the window painted
// between them; false when a read or a write fails.
bool CopyBytes(QFile& in, QFileDevice& out) {
  QByteArray buffer(1 << 20, Qt::Uninitialized);
  for (;;) {
    KeepWindowPainted();
    const qint64 n = in.read(buffer.data(), buffer.size());
    if (n < 0) return false;
    if (n == 0) return true;
    if (out.write(buffer.constData(), n) != n) return false;
  }
}

}  // namespace

void CopyWholeFile(const QString& from, const QString& to) {
  QFile in(from);
  if (!in.open(QIODevice::ReadOnly)) Fail("Cannot read", from, errno);
  QFile out(to);
  if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) Fail("Cannot create", to, errno);
  if (!CopyBytes(in, out) || !out.setPermissions(in.permissions()) || !out.flush()) {
    const int err = errno;
    out.close();
    RemoveFile(to);
    Fail("Cannot copy " + from + " to", to, err);
  }
}

FileReplacement::FileReplacement(QString source, QString target)
    : source_(std::move(source)), target_(std::move(target)) {
  // A symbolic link stays: the file it names is the one replaced.
  const QString resolved = QFileInfo(target_).canonicalFilePath();
  if (!resolved.isEmpty()) target_ = resolved;
}

FileReplacement::~FileReplacement() {
  if (copied_ && !committed_) RemoveFile(staged_);
}

void FileReplacement::Stage() {
  if (!staged_.isEmpty()) return;
  RefuseOpenDatabase(source_);
  RefuseOpenDatabase(target_);
  struct stat src {}, dir {};
  if (::stat(QFile::encodeName(source_).constData(), &src) != 0) Fail("Cannot read", source_, errno);
  if (::stat(QFile::encodeName(FolderOf(target_)).constData(), &dir) != 0)
    Fail("Cannot reach the folder of", target_, errno);
  if (src.st_dev == dir.st_dev) {
    // Most likely one file system; Commit() still copies when the rename
    // says otherwise (the same device reached through another mount).
    SyncFile(source_);
    staged_ = source_;
    return;
  }
  CopyBesideTarget();
}

void FileReplacement::CopyBesideTarget() {
  // Another file system: copy into the target's folder and flush it, so the
  // final step is again a rename inside one folder.
  QFile in(source_);
  if (!in.open(QIODevice::ReadOnly)) Fail("Cannot read", source_, errno);
  QTemporaryFile out(StagingPattern(target_));
  out.setAutoRemove(true);
  if (!out.open()) Fail("Cannot create a staging file beside", target_, errno);
  if (!CopyBytes(in, out)) Fail("Cannot copy " + source_ + " to a staging file beside", target_, errno);
  int synced = -1;
  if (out.flush()) WaitPainted([&] { synced = ::fsync(out.handle()); });
  if (synced != 0)
    Fail("Cannot flush a staging file beside", target_, errno);
  out.setAutoRemove(false);
  staged_ = out.fileName();
  copied_ = true;
}

void FileReplacement::Commit() {
  Stage();
  RefuseOpenDatabase(target_);
  const HeldOpen replaced(target_);
  // The new file takes the database's owner and mode, then its name.
  const auto placeStaged = [this] {
    KeepOwnerAndMode(staged_, target_);
    return ::rename(QFile::encodeName(staged_).constData(), QFile::encodeName(target_).constData()) == 0;
  };
  if (!placeStaged()) {
    // The same device through two mounts (a bind mount) refuses a rename
    // between them just as two file systems do: copy beside the target.
    if (errno != EXDEV || copied_) Fail("Cannot move the new file to", target_, errno);
    CopyBesideTarget();
    if (!placeStaged()) Fail("Cannot move the new file to", target_, errno);
  }
  committed_ = true;
  SyncFolderOf(target_);
  // The database is in place; a source left behind is only a stray copy.
  if (copied_) RemoveFile(source_);
}

void KeepOwnerAndMode(const QString& file, const QString& like) {
  struct stat old {};
  if (::stat(QFile::encodeName(like).constData(), &old) != 0) return;  // nothing to keep
  const QByteArray name = QFile::encodeName(file);
  // Owner and group where the process may set them (root; or a group of
  // its own); the mode after, since a change of owner may clear its bits.
  if (::chown(name.constData(), old.st_uid, old.st_gid) != 0 &&
      ::chown(name.constData(), static_cast<uid_t>(-1), old.st_gid) != 0) {
    // Neither: the file keeps the process's own owner and group.
  }
  if (::chmod(name.constData(), old.st_mode & 07777) != 0) Fail("Cannot set the mode of", file, errno);
}

void RefuseOpenDatabase(const QString& path) {
  if (QFileInfo::exists(path + QStringLiteral("-wal")))
    throw DbError(kFileAccessError,
                  QStringLiteral("A write-ahead log lies beside ") + path +
                      QStringLiteral("; the database is still open or was not closed cleanly"),
                  QStringLiteral("FileReplacement"));
}

QStringList LeftoverStagingFiles(const QString& target) {
  QFileInfo resolved(target);
  if (resolved.exists()) resolved = QFileInfo(resolved.canonicalFilePath());
  const QStringList patterns{QFileInfo(StagingPattern(resolved.absoluteFilePath())).fileName(),
                             QFileInfo(WorkFolderPattern(resolved.absoluteFilePath())).fileName()};
  QStringList found;
  const QDir folder(resolved.absolutePath());
  for (const QString& name : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
    for (const QString& pattern : patterns)
      if (name.size() == pattern.size() && name.startsWith(pattern.chopped(6))) found << folder.filePath(name);
  }
  return found;
}

QString WorkFolderPattern(const QString& target) {
  return FolderOf(target) + QStringLiteral("/.") + QFileInfo(target).fileName() + QStringLiteral(".work-XXXXXX");
}

bool RemoveDatabaseFiles(const QString& path) {
  bool removed = true;
  for (const QString& p : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm"),
                           path + QStringLiteral("-journal")})
    if (QFile::exists(p) && !RemoveFile(p)) removed = false;
  return removed;
}

bool SameFile(const QString& a, const QString& b) {
  struct stat sa {}, sb {};
  const bool hasA = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
  const bool hasB = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
  if (hasA && hasB) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  if (hasA != hasB) return false;
  // Neither exists: one path when their folders resolve alike and the names
  // match (the names first: resolving a folder costs a call per component).
  if (QFileInfo(a).fileName() != QFileInfo(b).fileName()) return false;
  const auto key = [](const QString& path) {
    const QFileInfo info(path);
    const QString folder = QDir(info.absolutePath()).canonicalPath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
  };
  return key(a) == key(b);
}

QString WorkingFilePath(const QString& folder, const QString& name, const QString& database) {
  const QString path = QDir(folder).filePath(name);
  if (database.isEmpty()) return path;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    if (!SameFile(path, database + QLatin1String(suffix))) continue;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return QDir(folder).filePath(dot < 0 ? name + QLatin1Char('~')
                                         : name.left(dot) + QLatin1Char('~') + name.mid(dot));
  }
  return path;
}

void SyncFolderOf(const QString& path) {
  const int fd = ::open(QFile::encodeName(FolderOf(path)).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  WaitPainted([&] { ::fsync(fd); });
  ::close(fd);
}

bool RemoveFile(const QString& path) {
  const HeldOpen held(path);
  return QFile::remove(path);
}

void ReplaceFile(const QString& source, const QString& target) {
  FileReplacement replacement(source, target);
  replacement.Commit();
}

}  // namespace mt
