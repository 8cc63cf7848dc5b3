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

#include "db/engine.h"

namespace mt {
namespace {

[[noreturn]] void Fail(const QString& what, const QString& path, int err) {
  throw DbError(kFileAccessError, what + QStringLiteral(" ") + path + QStringLiteral(": ") +
                                QString::fromLocal8Bit(std::strerror(err)),
                QStringLiteral("FileReplacement"));
}

QString FolderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

// The source may have been written without a flush (a plain file copy).
void SyncFile(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  if (fd < 0) Fail("Cannot read", path, errno);
  const int rc = ::fsync(fd);
  const int err = errno;
  ::close(fd);
  if (rc != 0) Fail("Cannot flush", path, err);
}

QString StagingPattern(const QString& target) {
  return FolderOf(target) + QStringLiteral("/.") + QFileInfo(target).fileName() +
         QStringLiteral(".swap-XXXXXX");
}

}  // namespace

FileReplacement::FileReplacement(QString source, QString target)
    : source_(std::move(source)), target_(std::move(target)) {
  // A symbolic link stays: the file it names is the one replaced.
  const QString resolved = QFileInfo(target_).canonicalFilePath();
  if (!resolved.isEmpty()) target_ = resolved;
}

FileReplacement::~FileReplacement() {
  if (copied_ && !committed_) QFile::remove(staged_);
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
    SyncFile(source_);
    staged_ = source_;
    return;
  }

  // Another file system: copy into the target's folder and flush it, so the
  // final step is again a rename inside one folder.
  QFile in(source_);
  if (!in.open(QIODevice::ReadOnly)) Fail("Cannot read", source_, errno);
  QTemporaryFile out(StagingPattern(target_));
  out.setAutoRemove(true);
  if (!out.open()) Fail("Cannot create a staging file beside", target_, errno);
  char buffer[1 << 16];
  for (;;) {
    const qint64 n = in.read(buffer, sizeof buffer);
    if (n < 0) Fail("Cannot read", source_, errno);
    if (n == 0) break;
    if (out.write(buffer, n) != n) Fail("Cannot write a staging file beside", target_, errno);
  }
  if (!out.flush() || ::fsync(out.handle()) != 0)
    Fail("Cannot flush a staging file beside", target_, errno);
  QFileInfo old(target_);
  out.setPermissions(old.exists() ? old.permissions() : in.permissions());
  out.setAutoRemove(false);
  staged_ = out.fileName();
  copied_ = true;
}

void FileReplacement::Commit() {
  Stage();
  RefuseOpenDatabase(target_);
  if (::rename(QFile::encodeName(staged_).constData(), QFile::encodeName(target_).constData()) != 0)
    Fail("Cannot move the new file to", target_, errno);
  committed_ = true;
  SyncFolderOf(target_);
  // The database is in place; a source left behind is only a stray copy.
  if (copied_) QFile::remove(source_);
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
  const QString pattern = QFileInfo(StagingPattern(resolved.absoluteFilePath())).fileName();
  QStringList found;
  const QDir folder(resolved.absolutePath());
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (name.size() == pattern.size() && name.startsWith(pattern.chopped(6)))
      found << folder.filePath(name);
  }
  return found;
}

bool RemoveDatabaseFiles(const QString& path) {
  bool removed = true;
  for (const QString& p : {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm"),
                           path + QStringLiteral("-journal")})
    if (QFile::exists(p) && !QFile::remove(p)) removed = false;
  return removed;
}

void SyncFolderOf(const QString& path) {
  const int fd = ::open(QFile::encodeName(FolderOf(path)).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void ReplaceFile(const QString& source, const QString& target) {
  FileReplacement replacement(source, target);
  replacement.Commit();
}

}  // namespace mt
