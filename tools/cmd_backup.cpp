// marrowtide-db backup FILE DEST: a consistent copy of FILE at DEST, made
// under FILE's database lock (no upgrade run or changing command works on it
// meanwhile). The copy is the engine's export of one read transaction into a
// new file keyed like FILE, so it opens with the same key and holds the same
// schema, catalogue and rows. It is built under a hidden name beside DEST and
// linked to DEST only when complete and opened again: DEST is never left
// half-written, and an existing DEST is refused, never replaced.
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QUuid>

#include <fcntl.h>
#include <unistd.h>

#include "db/engine.h"
#include "db/query.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

int Backup(const QStringList& args) {
  if (args.size() != 2 || args[0].isEmpty() || args[1].isEmpty()) return UsageOf(QStringLiteral("backup"));
  const QString& file = args[0];
  const QString& dest = args[1];
  if (QFileInfo::exists(dest)) return ReportError(dberr::kOpenFailed, QStringLiteral("file already exists: ") + dest);
  const QFileInfo destInfo(dest);
  const QString part = destInfo.absolutePath() + QStringLiteral("/.") + destInfo.fileName() + QStringLiteral(".") +
                       QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".backup");
  try {
    DefaultEngine().Open(file, DatabasePassword())->Close();
  } catch (const DbError& e) {
    return ReportOpenError(file, e.code(), e.description());
  }
  try {
    DefaultEngine().Compact(file, part, DatabasePassword());
    DefaultEngine().Open(part, DatabasePassword())->Close();
    if (const int fd = open(QFile::encodeName(part).constData(), O_RDONLY); fd >= 0) {
      fsync(fd);
      close(fd);
    }
    // link() refuses an existing DEST, so one made meanwhile is never replaced.
    if (link(QFile::encodeName(part).constData(), QFile::encodeName(dest).constData()) != 0) {
      const QString why = QString::fromLocal8Bit(strerror(errno));
      QFile::remove(part);
      return ReportError(dberr::kOpenFailed, QStringLiteral("cannot write %1: %2").arg(dest, why));
    }
    QFile::remove(part);
    if (const int fd = open(QFile::encodeName(destInfo.absolutePath()).constData(), O_RDONLY | O_DIRECTORY); fd >= 0) {
      fsync(fd);
      close(fd);
    }
  } catch (const DbError& e) {
    QFile::remove(part);
    return ReportError(e.code(), e.description());
  }
  return kOk;
}

const ToolCommand kBackup("backup", "backup FILE DEST",
                          "a consistent copy of FILE at a new DEST, under FILE's database lock", Backup,
                          Access::Writes);

}  // namespace
}  // namespace mt::tool
