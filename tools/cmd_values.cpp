// marrowtide-db values FILE encrypt|decrypt: one value-protection pass on
// FILE, as the upgrade run does it (work copy, process, swap).
//
// The tool is not the upgrade run and may live in a folder nobody can write,
// so its program folder (work copy) is a private folder of its own beside the
// database (mode 0700, removed on every path; one a killed command left is
// removed by the next command or run on that database), and the swap is a
// rename inside one file system. Log lines go to the log folder beside the
// database when there is one. The fixed delays of the run
// around the swap are not waited here: nothing else holds the file. It refuses to encrypt values
// that are already encrypted and to decrypt plain ones: a second layer of
// three would make the values unreadable for the product.
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/globals.h"
#include "app/log.h"
#include "app/services.h"
#include "db/file_replace.h"
#include "db/path_limit.h"
#include "db/query.h"
#include "protect/cipher.h"
#include "protect/value_passes.h"
#include "tools/command.h"
#include "upgrade/stored_version.h"

namespace mt::tool {
namespace {

class NoWaitClock final : public Clock {
 public:
  NoWaitClock() { timer_.start(); }
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
  void Sleep(int) override {}
  qint64 MonotonicMs() const override { return timer_.elapsed(); }

 private:
  QElapsedTimer timer_;
};

// The stored schema version as the run reads it; -1 when it is unreadable.
int32_t StoredVersion() {
  try {
    return VersionFromStored(
        DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), 1),
        [](const QString& text) { return DBDecryptValue(text); });
  } catch (const DbError&) {
    return -1;
  }
}

int Values(const QStringList& args) {
  if (args.size() != 2 ||
      (args[1] != QLatin1String("encrypt") && args[1] != QLatin1String("decrypt")))
    return UsageOf(QStringLiteral("values"));
  const bool encrypt = args[1] == QLatin1String("encrypt");
  const QFileInfo file(args[0]);
  if (!file.isFile())
    return ReportError(dberr::kOpenFailed, QStringLiteral("No database file at ") + args[0]);

  RunGlobals& g = Globals();
  g.DBPath = file.absoluteFilePath();
  g.AppName = QStringLiteral("Marrowtide");
  QTemporaryDir work(WorkFolderPattern(g.DBPath));
  if (!work.isValid())
    return ReportError(kFileAccessError, QStringLiteral("Cannot make a private work folder beside %1: %2")
                                             .arg(g.DBPath, work.errorString()));
  const QString logFolder = file.absolutePath() + QStringLiteral("/log");
  if (QDir(logFolder).exists()) QFile::link(logFolder, work.filePath(QStringLiteral("log")));
  SetProgramLocation(work.path(), QStringLiteral("marrowtide-db"));
  struct Restore {
    ~Restore() { SetProgramLocation({}, {}); }
  } restore;
  for (const QString& path : {g.DBPath, work.filePath(QStringLiteral("Marrowtide_backup_en_00000000000000~.mdb"))})
    if (const QString problem = EnginePathProblem(path); !problem.isEmpty())
      return ReportError(dberr::kOpenFailed, problem);
  static NoWaitClock clock;
  SetClock(&clock);

  if (!DBGetConnection(g.DBPath))
    return ReportError(dberr::kOpenFailed, QStringLiteral("Cannot open ") + g.DBPath);
  const bool encrypted = IsDBEncrypt();
  if (encrypted == encrypt) {
    ReleaseSharedConnection();
    return ReportError(0, g.DBPath + (encrypt ? QStringLiteral(" is already encrypted")
                                               : QStringLiteral(" is not encrypted")));
  }
  ValuePassResult result;
  TerminalProgress progress(encrypt ? QStringLiteral("encrypt") : QStringLiteral("decrypt"));
  const RowProgress rowDone = [&](qint64 rows) {
    if (rows % 100 == 0) progress.Count(rows, QStringLiteral("rows"));
  };
  if (encrypt) {
    result = EncryptDatabaseValues(rowDone);
  } else {
    const int32_t version = StoredVersion();
    if (version < 0) {
      ReleaseSharedConnection();
      return ReportError(dberr::kTypeMismatch, QStringLiteral("The stored version is unreadable"));
    }
    result = DecryptDatabaseValues(version, rowDone);
  }
  progress.Done();
  if (!result.ok) return ReportError(result.code, result.description);
  return kOk;
}

const ToolCommand kValues("values", "values FILE encrypt|decrypt",
                         "one value-protection pass on FILE (copy, process, swap)", Values,
                         Access::Writes);

}  // namespace
}  // namespace mt::tool
