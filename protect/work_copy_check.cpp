#include "protect/work_copy_check.h"

#include <sqlite3.h>

#include <QFile>
#include <algorithm>
#include <QStringList>

#include "db/file_replace.h"
#include "db/query.h"
#include "protect/cipher.h"

namespace mt {
namespace {

// One read-only SQLCipher handle, keyed with the database password.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const QString& path) {
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
      return;
    const QByteArray key = DatabasePassword().toUtf8();
    sqlite3_key(db_, key.constData(), int(key.size()));
  }
  ~ReadOnlyFile() { sqlite3_close(db_); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // The first column of every row, or the handle's error as the only line.
  QStringList Lines(const char* sql, bool* failed) const {
    QStringList lines;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &st, nullptr);
    if (rc == SQLITE_OK) {
      while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    *failed = rc != SQLITE_DONE;
    if (*failed) lines = QStringList{QString::fromUtf8(sqlite3_errmsg(db_))};
    return lines;
  }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace

QString WorkCopyProblem(const QString& path, bool encrypted) {
  try {
    RefuseOpenDatabase(path);
  } catch (const DbError& e) {
    return e.description();
  }
  const ReadOnlyFile file(path);
  bool failed = false;
  const QStringList integrity = file.Lines("PRAGMA integrity_check", &failed);
  if (failed || integrity != QStringList{QStringLiteral("ok")})
    return QStringLiteral("The work copy %1 fails the integrity check: %2")
        .arg(path, integrity.join(QStringLiteral("; ")));
  const QStringList marker = file.Lines("SELECT Val1 FROM TSettings WHERE ID LIKE 'IsDBEn'", &failed);
  const auto holds = [encrypted](const QString& v) {
    return encrypted ? IsProtectedValue(v) && DBDecryptValue(v) == u"1" : v == u"0";
  };
  const bool expected = !failed && !marker.isEmpty() && std::all_of(marker.begin(), marker.end(), holds);
  if (!expected)
    return QStringLiteral("The work copy %1 does not read back the marker IsDBEn = %2 (it reads %3)")
        .arg(path, encrypted ? QStringLiteral("encrypted") : QStringLiteral("0"),
             marker.join(QStringLiteral(", ")));
  return {};
}

}  // namespace mt
