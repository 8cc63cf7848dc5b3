#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>

namespace mt::test {

QString ToolPath() {
  const QString tool = QStringLiteral(MT_BINARY_DIR "/marrowtide-db");
  return QFileInfo::exists(tool) ? tool : QString();
}

ToolResult RunTool(const QStringList& args, const QString& tool, const QStringList& env) {
  QProcess p;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& setting : env)
    environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
  p.setProcessEnvironment(environment);
  p.start(tool, args);
  EXPECT_TRUE(p.waitForFinished(120000)) << args.join(QLatin1Char(' ')).toStdString();
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace mt::test
