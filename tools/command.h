// The subcommands of marrowtide-db. Each lives in its own cmd_*.cpp file and
// registers itself with a static ToolCommand object; main() dispatches on the
// first argument.
//
// Exit status: 0 on success, 1 when the engine or the operation fails (the
// command prints "error CODE: DESCRIPTION" on standard error), 2 for wrong usage.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace mt {
class Connection;
}

namespace mt::tool {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Runs the command with the arguments after its name; returns the exit status.
using CommandFn = std::function<int(const QStringList& args)>;

// changesDatabase: the first argument is a database file the command writes;
// it runs only while it holds that file's database lock (app/run_lock.h) and
// otherwise fails with a clear error (exit 1).
struct ToolCommand {
  ToolCommand(const char* name, const char* usage, CommandFn fn, bool changesDatabase = false);
};

// Prints "error CODE: DESCRIPTION" to standard error and returns kFailed.
int ReportError(int code, const QString& description);

// Opens the database at `path`, lets `work` read it and write to standard
// output, and closes it; returns kOk, or reports an engine failure as above.
int WithDatabase(const QString& path, const std::function<void(Connection&, QTextStream& out)>& work);

}  // namespace mt::tool
