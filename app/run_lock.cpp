#include "app/run_lock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <unistd.h>

#include "app/log.h"

namespace mt {
namespace {

QString LockFileFor(const char* kind, const QString& key) {
  const QString digest = QString::fromLatin1(
      QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
  // Qt answers an empty path for a TMPDIR that does not exist: the lock then
  // names that folder and cannot be made, rather than landing in "/".
  QString folder = QDir::tempPath();
  if (folder.isEmpty()) folder = qEnvironmentVariable("TMPDIR");
  return folder + QStringLiteral("/marrowtide-") + QString::fromLatin1(kind) +
         QLatin1Char('-') + digest + QStringLiteral(".lock");
}

}  // namespace

RunLock::RunLock(const QString& lockPath) : file_(std::make_unique<QLockFile>(lockPath)) {
  file_->setStaleLockTime(0);
  if (file_->tryLock(0)) return;
  switch (file_->error()) {
    case QLockFile::LockFailedError:
      result_.state = LockState::HeldElsewhere;
      break;
    case QLockFile::PermissionError:
    case QLockFile::UnknownError:
    case QLockFile::NoError:
      result_ = {LockState::Unavailable,
                 QStringLiteral("The lock file %1 cannot be made: the temporary folder %2 must "
                                "exist and be writable.")
                     .arg(lockPath, QFileInfo(lockPath).absolutePath())};
      break;
  }
}

RunLock::~RunLock() = default;  // QLockFile unlocks what it holds

QString InstanceLockPath() {
  return LockFileFor("dbupgrade",
                     QDir(ProgramFolder()).canonicalPath() + QLatin1Char('\n') +
                         qEnvironmentVariable("USER") + QLatin1Char('\n') + QString::number(getuid()));
}

QString DatabaseLockPath(const QString& databasePath) {
  const QFileInfo file(databasePath);
  QString key = file.canonicalFilePath();
  if (key.isEmpty()) {
    const QString folder = QDir(file.absolutePath()).canonicalPath();
    key = (folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName();
  }
  return LockFileFor("database", key);
}

}  // namespace mt
