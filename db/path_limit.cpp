#include "db/path_limit.h"

#include <QFile>
#include <QFileInfo>

namespace mt {

QString EnginePathProblem(const QString& path) {
  const qsizetype bytes = QFile::encodeName(QFileInfo(path).absoluteFilePath()).size();
  if (bytes <= kMaxEnginePathBytes) return QString();
  return QStringLiteral("The path %1 is %2 bytes long; the database engine opens paths of at most %3 bytes.")
      .arg(path)
      .arg(bytes)
      .arg(kMaxEnginePathBytes);
}

}  // namespace mt
