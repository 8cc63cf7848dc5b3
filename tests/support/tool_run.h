// marrowtide-db run as its own process, for the tests of its commands.
#pragma once

#include <QString>
#include <QStringList>

namespace mt::test {

struct ToolResult {
  int exitCode = -1;  // -1 when it did not finish normally
  QString out, err;
};

// The built tool, or an empty text when it is not built.
QString ToolPath();

// Runs tool (the built one by default) with args and waits for it; env
// holds NAME=VALUE settings added to its environment.
ToolResult RunTool(const QStringList& args, const QString& tool = ToolPath(),
                   const QStringList& env = {});

}  // namespace mt::test
