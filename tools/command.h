// The subcommands of marrowtide-db. Each lives in its own cmd_*.cpp file and
// registers itself with a static ToolCommand object; main() dispatches on the
// first argument.
//
// Exit status: 0 on success, 1 when the engine or the operation fails (the
// command prints "error: DESCRIPTION (code CODE)" on standard error), 2 for
// wrong usage (what was wrong, then the command's usage line). `validate`
// also exits 1 when it finds differences. "--help" and "-h" print usage on
// standard output; "--version" the release.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVariant>
#include <cstdint>
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

// usage: the arguments after "marrowtide-db"; summary: what the command does,
// one line. Both make the command's line of the usage text.
// changesDatabase: the first argument is a database file the command writes
// (or, for backup, must see unchanged); it runs only while it holds that
// file's database lock (app/run_lock.h) and otherwise fails with a clear
// error (exit 1).
struct ToolCommand {
  ToolCommand(const char* name, const char* usage, const char* summary, CommandFn fn,
              bool changesDatabase = false);
};

// Prints "marrowtide-db NAME: WHAT" and the command's usage line to standard
// error and returns kUsage.
int UsageOf(const QString& name, const QString& what = QStringLiteral("wrong number of arguments"));

// Prints "error: DESCRIPTION (code CODE)" to standard error ("error:
// DESCRIPTION" for code 0) and returns kFailed. A description that holds a
// log line (a failure passed on by LogError) is reduced to its own text, and
// line ends and control characters never reach the terminal as they are.
int ReportError(int code, const QString& description);

// ReportError for a database that did not open; a Jet (Access) file is named
// as such, with the import command that copies it into a database.
int ReportOpenError(const QString& path, int code, const QString& description);

// Opens the database at `path`, lets `work` read it and write to standard
// output, and closes it; returns kOk, or reports an engine failure as above
// (ReportOpenError when the open failed).
int WithDatabase(const QString& path, const std::function<void(Connection&, QTextStream& out)>& work);

// Val1 of the TSettings row `id`, or def when the row, its value or the
// table itself is missing (what the run's DBGetValue answers).
QVariant Setting(Connection& connection, const QString& id, const QVariant& def);

// The stored schema version as the upgrade run reads it (decrypted when
// stored encrypted, 1 without a row). Throws DbError when it is unreadable.
int32_t StoredVersion(Connection& connection);

// Progress of a long command on standard error, updated in place, only when
// standard error is a terminal; Done() ends the line.
class TerminalProgress {
 public:
  explicit TerminalProgress(QString what);
  ~TerminalProgress() { Done(); }
  void Percent(double percent);
  void Count(qint64 count, const QString& unit);
  void Done();

 private:
  void Show(const QString& text);
  QString what_;
  QString last_;
  bool shown_ = false;
  bool terminal_;
};

}  // namespace mt::tool
