#include "app/leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <iterator>

#include "app/globals.h"
#include "db/file_replace.h"
#include "upgrade/script_store.h"

namespace mt {
namespace {

bool IsStagedScript(const QString& name) {
  static const QRegularExpression re(QStringLiteral("^(\\d{5})~?\\.sql$"));
  const QRegularExpressionMatch m = re.match(name);
  if (!m.hasMatch()) return false;
  const int id = m.captured(1).toInt();
  return id > kScriptResourceBase && id <= kScriptResourceBase + LatestDBVersion;
}

const char* const kJournals[] = {"", "-wal", "-shm", "-journal"};

}  // namespace

QStringList RemoveLeftovers(const QString& programFolder, const QString& appName,
                            const QString& databasePath) {
  const QRegularExpression workCopy(
      QStringLiteral("^%1_backup_en_\\d{14}~?\\.mdb(-wal|-shm|-journal)?$")
          .arg(QRegularExpression::escape(appName)));
  const QRegularExpression compaction(QStringLiteral("^tmp~?\\.mdb(-wal|-shm|-journal)?$"));
  QStringList removed;
  const QDir folder(programFolder);
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (!workCopy.match(name).hasMatch() && !compaction.match(name).hasMatch() &&
        !IsStagedScript(name))
      continue;
    const QString path = folder.filePath(name);
    // A database bearing such a name, and its journals, stay.
    const bool database = std::any_of(std::begin(kJournals), std::end(kJournals), [&](const char* suffix) {
      return SameFile(path, databasePath + QLatin1String(suffix));
    });
    if (database) continue;
    if (RemoveFile(path)) removed << path;
  }
  for (const QString& path : LeftoverStagingFiles(databasePath))
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink() ? QDir(path).removeRecursively() : RemoveFile(path))
      removed << path;
  return removed;
}

}  // namespace mt
