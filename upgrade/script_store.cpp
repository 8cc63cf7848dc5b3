#include "upgrade/script_store.h"

#include <QFile>
#include <QStringDecoder>

#include "app/log.h"
#include "db/engine.h"

namespace mt {
namespace {

// Error numbers of the runtime's file and resource failures, the values the
// log has always shown for these cases.
constexpr int32_t kResourceNotFound = 326;
constexpr int32_t kFileAccess = 75;
// What the stream object reports for a file it cannot open.
constexpr int32_t kStreamOpenFailed = -2146825286;

QString& ResourceRoot() {
  static QString root = QStringLiteral(":");
  return root;
}

void LogExtractFailure(int32_t number, const QString& description, int line) {
  WriteLog(QStringLiteral("modMain.ExtractResourceToFile\t") + QString::number(number) + u'\t' +
           description + u'\t' + QString::number(line));
}

}  // namespace

bool HasResource(int id, const QString& typeName) {
  return QFile::exists(ResourceRoot() + u'/' + typeName + u'/' + QString::number(id));
}

void SetResourceRoot(const QString& root) {
  ResourceRoot() = root.isEmpty() ? QStringLiteral(":") : root;
}

bool ExtractResourceToFile(int id, const QString& typeName, const QString& path) {
  // A stale file is replaced when it can be; one that cannot be deleted is
  // taken as the script (it is what a previous extraction left there).
  if (FileExists(path)) QFile::remove(path);
  if (FileExists(path)) return true;

  QFile resource(ResourceRoot() + u'/' + typeName + u'/' + QString::number(id));
  if (!resource.open(QIODevice::ReadOnly)) {
    LogExtractFailure(kResourceNotFound,
                      QStringLiteral("Resource with identifier '%1' not found").arg(id), 3);
    return false;
  }
  const QByteArray bytes = resource.readAll();

  QFile out(path);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    LogExtractFailure(kFileAccess, QStringLiteral("Path/File access error"), 4);
    return false;
  }
  if (out.write(bytes) != bytes.size() || !out.flush()) {
    out.close();
    LogExtractFailure(kFileAccess, QStringLiteral("Path/File access error"), 4);
    return false;
  }
  out.close();
  return true;
}

QString ReadScriptFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw DbError(kStreamOpenFailed, QStringLiteral("File could not be opened."));
  }
  const QByteArray bytes = file.readAll();
  // The default decoder drops a leading byte-order mark and keeps everything
  // else, NUL characters included.
  QStringDecoder decoder(QStringDecoder::Utf8);
  return decoder.decode(bytes);
}

}  // namespace mt
