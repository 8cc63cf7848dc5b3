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

// How a command uses the database file its argument `databaseArgument`
// names, and so which of that file's database lock (app/run_lock.h) it holds
// while it runs: none; shared (it only reads: several may read at once, never
// while a run or a writing command works on the file); alone (it writes); or
// as the command decides itself through DatabaseLockHold (sql: by statement).
enum class Access { None, Reads, Writes, OwnChoice };

// usage: the arguments after "marrowtide-db"; summary: what the command does,
// one line. Both make the command's line of the usage text. main() takes the
// lock the access asks for before the command runs; a command refused its
// lock fails with a clear error (exit 1) and does not run.
struct ToolCommand {
  ToolCommand(const char* name, const char* usage, const char* summary, CommandFn fn,
              Access access = Access::None, int databaseArgument = 0);
};

// Holds the database lock of `path` while it lives: shared for Access::Reads,
// alone for Access::Writes (and for what else writes a database file). Every
// marrowtide-db command reaches the lock through this one class. Refused (a
// run or another command holds the file, or the lock file cannot be made
// beside it), it prints the reason on standard error and status() is kFailed;
// held, status() is kOk.
class DatabaseLockHold {
 public:
  DatabaseLockHold(const QString& path, Access access);
  ~DatabaseLockHold();
  DatabaseLockHold(const DatabaseLockHold&) = delete;
  DatabaseLockHold& operator=(const DatabaseLockHold&) = delete;
  int status() const { return status_; }

 private:
  struct Held;
  Held* held_ = nullptr;
  int status_ = kOk;
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
// (ReportOpenError when the open failed). readOnly: opened read-only, so the
// file stays byte for byte as it was.
int WithDatabase(const QString& path, const std::function<void(Connection&, QTextStream& out)>& work,
                 bool readOnly = false);

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
