// The shared log of the run and the small process services every module
// uses: the error logger, the file-existence test and the responsive wait.
//
// Promises:
//  - WriteLog never reports a failure and keeps no file open between calls.
//    Lines go to ProgramFolder()/log/<ExeName()>.log (or the given file), in
//    the locale's code set, each "yyyy-mm-dd hh:nn:ss" TAB message CR LF
//    (or the message alone when asked for no timestamp). The log folder is
//    never created: without it lines are lost. Only a regular file takes
//    lines: a FIFO, device or folder at the path is skipped without blocking.
//  - A file last modified on an earlier day than today (services().clock) is
//    renamed to name_yyyy-mm-dd.ext before the first line of the new day.
//  - Lines that are not forced are dropped until Globals().LoggingEnabled.
//  - LogError always writes (forced); with reraise it then throws DbError
//    carrying the code, the written text and the procedure name.
//  - Failure lines are LogError's and LogFailure's. While the failure echo is
//    on (the upgrade program without windows), each also goes to standard
//    error without its timestamp, whether or not a log folder exists: line
//    ends as line feeds, control characters other than tab and line feed as
//    \xHH.
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

void WriteLog(const QString& message, const QString& file = {}, bool force = false,
              bool noTimestamp = false);

// Writes "ERROR: <procedure> Line = <line>\t<number>\t<description>".
void LogError(const QString& procedure, int32_t number, const QString& description, int32_t line,
              bool reraise = false);

// A failure that is not an error code: WriteLog(message), and echoed.
void LogFailure(const QString& message);

// Turns the echo of failure lines to standard error on or off (off at start).
void SetFailureEcho(bool on);

// The code and text of the exception being handled, for catch (...) blocks:
// DbError keeps its own; any other exception is reported as a general failure.
struct CaughtError {
  int32_t number;
  QString description;
};
CaughtError CurrentError();

// True when at least one plain file matches the path; "*" and "?" in the last
// component are wildcards. Empty and unusable paths give false.
bool FileExists(const QString& path);

// Returns after more than ms milliseconds (100 when 0), letting the Ui process
// events between sleeps of sleepInterval. A call made while another one runs
// (re-entered through event processing) returns at once.
void WaitWithEvents(int32_t ms, int32_t sleepInterval);

// The folder of the running executable, and its file name without extension.
QString ProgramFolder();
QString ExeName();
// Points the program location elsewhere (tests use a temporary folder).
// An empty folder or name restores the executable's own.
void SetProgramLocation(const QString& folder, const QString& exeName);

// ProgramFolder()/log/<ExeName()>.log
QString LogFilePath();

}  // namespace mt
