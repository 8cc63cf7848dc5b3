// What the fault cases share: the inputs and what an uninterrupted run made
// of them, the outcome of a case, and the checks of a database afterwards.
// "As it was": it opens, passes the integrity check, and its version, schema
// listing, seeded rows and row counts are those from before the run.
// "Upgraded": version 405, the reference schema, the seeded rows as an
// uninterrupted run left them, every table with the row count of that run,
// no protected value in clear in a database marked encrypted.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

#include "bench/run_checks.h"

namespace mt::bench::faults {

struct Outcome {
  bool ran = true;       // false: skipped
  QStringList problems;  // empty: the case held
  QString result;        // what became of the database
  QStringList evidence;  // the lines that say what went wrong
};

// A case runs in an empty folder of its own.
using Case = std::function<Outcome(const QString& dir)>;
using CaseList = std::vector<std::pair<QString, Case>>;

// Made once by main and alive for every case.
struct Inputs {
  Setup o;
  bool root = false;          // mounts and running as another user need it
  QString plain2, enc300;     // version 2 plain; version 300 encrypted
  QString done405, plain405;  // upgraded and encrypted; upgraded, never encrypted
  Snapshot refPlain, refEnc;  // what an uninterrupted run makes of plain2 and enc300
  QStringList reference;      // the schema listing at version 405
};

// The groups of cases, by what goes wrong.
void AddFileCases(CaseList& cases, const Inputs& in);         // unusable, damaged, unwritable files
void AddDiskCases(CaseList& cases, const Inputs& in);         // full disks
void AddConcurrencyCases(CaseList& cases, const Inputs& in);  // second copies, kills
void AddPlaceCases(CaseList& cases, const Inputs& in);        // mounts, names, long paths

QByteArray Bytes(const QString& path);
void Put(const QString& path, const QByteArray& bytes);
bool Mount(const QString& dir, const QString& options);
bool Remount(const QString& dir, const QString& options, unsigned long flags = 0);
void Unmount(const QString& dir);
// Fills the file system of dir up to `leave` free bytes.
void Fill(const QString& dir, qint64 leave);
// The program's folder: the program, its log folder (unless told otherwise).
QString ProgramFolder(const QString& folder, const Setup& o, bool logFolder = true);
// The program folder on a tmpfs of the program's size and `room` bytes more
// (log folder included), and a copy of input at db, on the disk of the test.
bool SmallProgramFolder(const QString& mnt, const Setup& o, qint64 room, const QString& input, const QString& db);
// The lines of a run that say what went wrong: error lines of the log and
// the message boxes (written to standard error by the headless program).
QStringList Evidence(const QString& log, const QString& err);
// marrowtide-db with its arguments (and NAME=VALUE environment additions).
RunResult Tool(const Setup& o, const QStringList& args, const QStringList& env = {});
QString Mode(const QString& path);

struct Before {
  Snapshot snapshot;
  QStringList schema;
};
Before Take(const Setup& o, const QString& db);
QStringList AsItWas(const Setup& o, const Before& before, const QString& db);
QStringList Upgraded(const Inputs& in, const Snapshot& want, const QString& db);
QString Describe(const Snapshot& s);

}  // namespace mt::bench::faults
