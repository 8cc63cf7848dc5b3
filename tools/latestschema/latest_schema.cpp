// mt-latest-schema OUT [DB]: a build step, not shipped. Upgrades the initial
// database to the newest version in a temporary folder, exactly as a run
// does, and writes its schema listing to OUT (one fact a line), which the
// programs embed as the schema the newest version must have; with DB the
// database itself is kept there too (the tests start from it). Each file is
// written whole or not at all; a failure exits 1 with the reason.
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "app/globals.h"
#include "app/log.h"
#include "app/production.h"
#include "db/engine.h"
#include "upgrade/reference_schema.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream err(stderr);
  if (argc != 2 && argc != 3) {
    err << "usage: mt-latest-schema OUT [DB]\n";
    return 2;
  }
  mt::InstallProductionServices();
  QTemporaryDir folder;  // the program folder: the scripts are staged here
  if (!folder.isValid()) {
    err << "mt-latest-schema: cannot make a temporary folder: " << folder.errorString() << "\n";
    return 1;
  }
  mt::SetProgramLocation(folder.path(), QStringLiteral("mt-latest-schema"));
  try {
    const QString database = folder.filePath(QStringLiteral("latest.mdb"));
    const QStringList lines = mt::upgrade::BuildSchemaOfVersion(database, mt::LatestDBVersion);
    if (argc == 3) {
      const QString kept = QString::fromLocal8Bit(argv[2]), part = kept + QStringLiteral(".part");
      QFile::remove(part);
      if (!QFile::copy(database, part) ||
          std::rename(QFile::encodeName(part).constData(), QFile::encodeName(kept).constData()) != 0) {
        err << "mt-latest-schema: cannot write " << argv[2] << "\n";
        return 1;
      }
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 ||
        !out.commit()) {
      err << "mt-latest-schema: cannot write " << argv[1] << ": " << out.errorString() << "\n";
      return 1;
    }
  } catch (const mt::DbError& e) {
    err << "mt-latest-schema: " << e.description() << " (code " << e.code() << ")\n";
    return 1;
  }
  return 0;
}
