#include "support/tool_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFileInfo>
#include <QProcess>

namespace mt::test {

QString ToolPath() {
  const QString tool = QStringLiteral(MT_BINARY_DIR "/marrowtide-db");
  return QFileInfo::exists(tool) ? tool : QString();
}

ToolResult RunTool(const QStringList& args, const QString& tool, const QStringList& env, bool asNobody) {
  QProcess p;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(QString::fromLatin1(name));
  for (const QString& setting : env)
    environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
  p.setProcessEnvironment(environment);
  if (asNobody && geteuid() == 0)
    p.start(QStringLiteral("/usr/bin/setpriv"), QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", tool} + args);
  else
    p.start(tool, args);
  if (!p.waitForFinished(120000)) {
    ADD_FAILURE() << "did not finish: " << args.join(QLatin1Char(' ')).toStdString();
    p.kill();
    p.waitForFinished();
  }
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace mt::test
