// A built program run as its own process: marrowtide-db for the tests of
// its commands, the upgrade program for the end-to-end tests.
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

// Runs tool (the built one by default) with args, without a window system,
// and waits for it (killed after two minutes); env holds NAME=VALUE
// settings added to its environment, a window-system variable included.
// asNobody runs it as user 65534 when the test runs as root, for whom
// permissions do not bind.
ToolResult RunTool(const QStringList& args, const QString& tool = ToolPath(),
                   const QStringList& env = {}, bool asNobody = false);

}  // namespace mt::test
