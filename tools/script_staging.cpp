#include "tools/script_staging.h"

#include <QDir>
#include <QFile>

#include "app/log.h"
#include "upgrade/script_store.h"
#include "upgrade/upgrade_engine.h"

namespace mt::tool {

ScriptStaging::~ScriptStaging() {
  if (started_) SetProgramLocation({}, {});
}

bool ScriptStaging::Start(bool keepLog) {
  if (!dir_.isValid()) {
    error_ = QStringLiteral("cannot make a temporary folder for the upgrade scripts: ") +
             dir_.errorString();
    return false;
  }
  const QString logFolder = ProgramFolder() + QStringLiteral("/log");
  if (keepLog && QDir(logFolder).exists()) QFile::link(logFolder, dir_.filePath(QStringLiteral("log")));
  SetProgramLocation(dir_.path(), ExeName());
  started_ = true;
  return true;
}

QString ScriptStaging::StagingFailure(int version) const {
  const int id = kScriptResourceBase + version;
  QFile script(QStringLiteral(":/SQL/") + QString::number(id));
  if (!script.open(QIODevice::ReadOnly)) {
    return QStringLiteral("no upgrade script for version %1").arg(version);
  }
  // Stage it once more to learn the system's reason.
  const QString path = upgrade::ScriptFilePath(id);
  QFile staged(path);
  QString reason;
  if (!staged.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      staged.write(script.readAll()) < 0 || !staged.flush()) {
    reason = staged.errorString();
  }
  staged.close();
  QFile::remove(path);
  return QStringLiteral("cannot stage the script of version %1 at %2: %3")
      .arg(version)
      .arg(path, reason.isEmpty() ? QStringLiteral("the write failed") : reason);
}

}  // namespace mt::tool
