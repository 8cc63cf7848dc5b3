#include "db/maintenance.h"

#include <QDir>
#include <QFile>

#include "app/globals.h"
#include "app/log.h"
#include "app/services.h"
#include "db/engine.h"
#include "db/file_replace.h"
#include "db/query.h"

namespace mt {
namespace {

const char* const kPruning[] = {
    R"(DELETE * FROM TTaskLog WHERE LogDate < DATEADD("d", -3, NOW()))",
    R"(DELETE * FROM TTaskLogHour WHERE LogDate < DATEADD("m", -1, NOW()))",
    R"(DELETE * FROM TTaskLogDay WHERE LogDate < DATEADD("m", -3, NOW()))",
    R"(DELETE * FROM TTaskLogInterval WHERE LogDate < DATEADD("d", -10, NOW()))",
    R"(DELETE * FROM TTaskStatistics WHERE LogDate < DATEADD("d", -3, NOW()))",
};

}  // namespace

std::span<const char* const> PruningStatements() { return kPruning; }

void CompactDatabase(const QString& path, const QString& password) {
  WriteLog(QStringLiteral("modDB.CompactDatabase Start ") + path);
  // Never the database itself, whatever it is called.
  const QString temporary = WorkingFilePath(ProgramFolder(), QStringLiteral("tmp.mdb"), path);
  try {
    // A leftover of an aborted run goes with its own log files: a stale
    // "-wal" would otherwise be replayed into the fresh copy.
    if ((FileExists(temporary) || QFile::exists(temporary + QStringLiteral("-wal"))) &&
        !RemoveDatabaseFiles(temporary))
      throw DbError(kFileAccessError, QStringLiteral("Cannot delete the leftover ") + temporary);
    DefaultEngine().Compact(path, temporary, password);
    if (FileExists(temporary)) ReplaceFile(temporary, path);
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modDB.CompactDatabase"), e.number, e.description, 0);
  }
  WriteLog(QStringLiteral("modDB.CompactDatabase End "));
}

void p_CompactDB() {
  WriteLog(QStringLiteral("modMain.p_CompactDB Start "));
  try {
    services().ui->ShowMsg(QStringLiteral("데이터베이스를 압축하고 있습니다..."));
    for (const char* statement : PruningStatements()) {
      int32_t affected = 0;
      DBExecute(QString::fromLatin1(statement), affected);
    }
    if (Connection* connection = SharedConnection()) connection->Close();
    CompactDatabase(Globals().DBPath, DatabasePassword());
    WriteINIValue(QDir(ProgramFolder()).filePath(QStringLiteral("autoup.ini")),
                  QStringLiteral("Update"), QStringLiteral("CompactDBDate"),
                  services().clock->Now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modMain.p_CompactDB"), e.number, e.description, 0);
  }
  WriteLog(QStringLiteral("modMain.p_CompactDB End "));
}

}  // namespace mt
