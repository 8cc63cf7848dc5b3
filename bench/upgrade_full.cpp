// The whole schema upgrade as a run does it: a fresh version-2 database (the
// product's initial database) brought to the newest version through the
// embedded scripts and the code migrations, with the progress window shown
// (offscreen unless QT_QPA_PLATFORM names another platform) and the log written.
//
// Prints the total time, the number of statements run and the time per
// statement, how much of the time the progress window took, and, measured
// in the same run, the two bare SQLCipher floors for as many INSERTs (same
// key, WAL, synchronous=NORMAL): each auto-committed, and all in one
// transaction, with the ratios of the upgrade to each. The upgrade applies
// each version in one transaction, so it must beat the auto-committed floor
// (ratio at most 1.0).
//
// It also records every statement the run gives SQLite (bound values
// written in) and replays them on bare SQLCipher from a copy of the initial
// database: all of them, which shows what the engine's own code adds, and
// those the script needs alone (its statements as translated, the table
// changes, the versions' transactions), which shows how far any engine on
// this SQLite stays from the INSERT floor. The replay prepares each
// statement afresh where the run reuses a few prepared ones, so it slightly
// overstates the bare work.
//
// usage: bench_upgrade_full [--headless]   (--headless: no window, for comparison)
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/globals.h"
#include "db/store/sqlcipher_connection.h"
#include "db/store/sqlite_db.h"
#include "app/log.h"
#include "app/production.h"
#include "app/services.h"
#include "bench/bench_support.h"
#include "db/query.h"
#include "upgrade/initial_database.h"
#include "upgrade/upgrade_engine.h"
#include "ui/qt_ui.h"

namespace {

// User + system CPU time of the process, in seconds: on a shared machine the
// wall time also counts the waits for a core.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Every statement the engine hands SQLite, in order, with its bound values
// written in: what bare SQLCipher replays as the floor of the same work.
// Statements SQLite runs for itself are left out: trigger bodies (traced as
// "-- name") and the schema re-reads after a change.
struct Recording {
  bool on = false;
  std::vector<QByteArray> statements;
};
Recording& Recorded() {
  static Recording r;
  return r;
}

int OnTrace(unsigned type, void*, void* p, void* x) {
  Recording& r = Recorded();
  const char* text = static_cast<const char*>(x);
  if (type != SQLITE_TRACE_STMT || !r.on || !text || std::strncmp(text, "--", 2) == 0) return 0;
  if (std::strncmp(text, "SELECT name, rootpage, sql FROM ", 32) == 0) return 0;
  char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(p));
  r.statements.emplace_back(expanded ? expanded : text);
  sqlite3_free(expanded);
  return 0;
}

int TraceEveryConnection(sqlite3* db, const char**, const sqlite3_api_routines*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, OnTrace, nullptr);
  return SQLITE_OK;
}

// What the engine runs for its own bookkeeping rather than for the script:
// its catalogue rows, savepoints, pragmas, Yes/No triggers and normalising
// updates, lookup indexes and the statement that makes SQLite forget view
// columns.
bool Bookkeeping(const QByteArray& sql) {
  for (const char* prefix : {"SAVEPOINT", "RELEASE", "ROLLBACK TO", "PRAGMA"})
    if (sql.startsWith(prefix)) return true;
  for (const char* part : {"_mt_columns", "_mt_keys", "_mt_queries", "_mt_forget_views", "_mt_lookup_", "_mt_bit_",
                           "IN ('false', 'no', 'off')"})
    if (sql.contains(part)) return true;
  return false;
}

// Replays the recorded statements (all, or those that are not bookkeeping)
// on a bare connection to a copy of `initial`, set up as the engine sets up
// its own (pragmas, and the SQL functions the statements call). Returns the
// time; `failed` counts the statements that failed.
mt::bench::Timing Replay(const QString& initial, bool bookkeeping, qint64& failed) {
  const QString path = initial + QStringLiteral(".replay");
  QFile::remove(path);
  QFile::remove(path + QStringLiteral("-wal"));
  QFile::copy(initial, path);
  mt::engine::SqliteDb handle;
  handle.OpenHandle(path, SQLITE_OPEN_READWRITE);
  sqlite3* db = handle.handle();
  const QByteArray key = mt::DatabasePassword().toUtf8();
  if (sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK) mt::bench::BareFailed(db, "key");
  mt::engine::PrepareHandle(handle);
  failed = 0;
  const mt::bench::Stopwatch watch;
  for (const QByteArray& sql : Recorded().statements) {
    if (!bookkeeping && Bookkeeping(sql)) continue;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
      ++failed;
      continue;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) ++failed;
    sqlite3_finalize(stmt);
  }
  return watch.Stop();
}

// The timed upgrade, a function of its own so that a profiler can be told
// to count it alone (valgrind --toggle-collect='*TimedUpgrade*').
[[gnu::noinline]] mt::upgrade::UpgradeOutcome TimedUpgrade() {
  return mt::upgrade::UpgradeRange(2, mt::LatestDBVersion);
}

// Passes every call on and adds up the time spent in ShowPercent.
class TimedUi final : public mt::Ui {
 public:
  explicit TimedUi(mt::Ui& inner) : inner_(inner) {}
  qint64 percentNs = 0;
  qint64 percentCalls = 0;

  void ShowProgress() override { inner_.ShowProgress(); }
  bool IsProgressLoaded() const override { return inner_.IsProgressLoaded(); }
  void UnloadProgress() override { inner_.UnloadProgress(); }
  void ShowPercent(float percent) override {
    QElapsedTimer t;
    t.start();
    inner_.ShowPercent(percent);
    percentNs += t.nsecsElapsed();
    ++percentCalls;
  }
  void ShowMsg(const QString& message) override { inner_.ShowMsg(message); }
  void MessageBox(const QString& title, const QString& text) override {
    QTextStream(stderr) << "message box: " << title << ": " << text << "\n";
  }
  void ProcessEvents() override { inner_.ProcessEvents(); }

 private:
  mt::Ui& inner_;
};

}  // namespace

int main(int argc, char** argv) {
  const bool headless = argc > 1 && QByteArray(argv[1]) == "--headless";
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTextStream out(stdout);

  QTemporaryDir dir;
  QDir(dir.path()).mkdir(QStringLiteral("log"));
  mt::SetProgramLocation(dir.path(), QStringLiteral("bench_upgrade_full"));
  mt::InstallProductionServices();
  if (!headless) mt::InstallQtUi();
  TimedUi ui(*mt::services().ui);
  mt::SetUi(&ui);

  const QString path = dir.filePath(QStringLiteral("Marrowtide.mdb"));
  try {
    mt::CreateInitialDatabase(path);
  } catch (const mt::DbError& e) {
    out << "cannot create the initial database: " << e.code() << " " << e.description() << "\n";
    return 1;
  }
  const QString initialCopy = dir.filePath(QStringLiteral("initial.db"));
  QFile::copy(path, initialCopy);
  mt::Globals().DBPath = path;
  mt::Globals().AppName = QStringLiteral("Marrowtide");
  mt::Globals().LoggingEnabled = true;
  if (mt::DBGetConnection(path) == nullptr) {
    out << "cannot open the initial database\n";
    return 1;
  }
  ui.ShowProgress();

  QElapsedTimer total;
  const double cpuBefore = CpuSeconds();
  total.start();
  const mt::upgrade::UpgradeOutcome outcome = TimedUpgrade();
  const qint64 totalNs = total.nsecsElapsed();
  const double cpu = CpuSeconds() - cpuBefore;

  const QString stored =
      mt::DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), {})
          .toString();
  ui.UnloadProgress();
  mt::ReleaseSharedConnection();

  // The same upgrade once more, untimed, from a copy of the initial
  // database, recording what it gives SQLite (recording costs time).
  const QString recordedPath = dir.filePath(QStringLiteral("recorded.mdb"));
  QFile::copy(initialCopy, recordedPath);
  sqlite3_auto_extension(reinterpret_cast<void (*)()>(TraceEveryConnection));
  mt::Globals().DBPath = recordedPath;
  Recorded().on = mt::DBGetConnection(recordedPath) != nullptr;
  if (Recorded().on) mt::upgrade::UpgradeRange(2, mt::LatestDBVersion);
  Recorded().on = false;
  mt::ReleaseSharedConnection();

  const double totalS = double(totalNs) / 1e9;
  const double perStatementUs =
      outcome.statements > 0 ? double(totalNs) / 1e3 / double(outcome.statements) : 0.0;
  out << "window:                 "
      << (headless ? QStringLiteral("none (headless)")
                   : QStringLiteral("frmMain on the %1 platform").arg(QGuiApplication::platformName()))
      << "\n";
  out << "upgrade 2 -> " << outcome.lastRecorded << " (DBVersion now " << stored << ")\n";
  out << "total time:             " << QString::number(totalS, 'f', 3) << " s\n";
  out << "CPU time (user+sys):    " << QString::number(cpu, 'f', 3) << " s\n";
  out << "statements run:         " << outcome.statements << "\n";
  out << "failures logged:        " << outcome.failures << "\n";
  out << "time per statement:     " << QString::number(perStatementUs, 'f', 1) << " us\n";
  out << "ShowPercent calls:      " << ui.percentCalls << "\n";
  out << "time in ShowPercent:    " << QString::number(double(ui.percentNs) / 1e9, 'f', 3) << " s ("
      << QString::number(totalNs > 0 ? 100.0 * double(ui.percentNs) / double(totalNs) : 0.0, 'f', 1)
      << "% of the total)\n";
  out << "target:                 under 3 s: " << (totalS < 3.0 ? "met" : "NOT met") << "\n";

  // The floors, measured now on the same machine.
  auto floor = [&](const QString& name, bool oneTransaction) {
    sqlite3* db = mt::bench::BareOpen(dir.filePath(name), mt::DatabasePassword());
    const mt::bench::Stopwatch watch;
    if (oneTransaction) mt::bench::BareExec(db, QStringLiteral("BEGIN"));
    mt::bench::BareInserts(db, outcome.statements);
    if (oneTransaction) mt::bench::BareExec(db, QStringLiteral("COMMIT"));
    const mt::bench::Timing t = watch.Stop();
    sqlite3_close(db);
    return t;
  };
  const mt::bench::Timing autoCommitted = floor(QStringLiteral("floor_auto.db"), false);
  const mt::bench::Timing oneTransaction = floor(QStringLiteral("floor_one.db"), true);
  // MT_DUMP_REPLAY=FILE: the recorded statements, each followed by a line ";;".
  if (const QByteArray dump = qgetenv("MT_DUMP_REPLAY"); !dump.isEmpty()) {
    QFile f(QString::fromLocal8Bit(dump));
    if (f.open(QIODevice::WriteOnly))
      for (const QByteArray& sql : Recorded().statements) f.write(sql + "\n;;\n");
  }
  qint64 replayFailed = 0, scriptFailed = 0;
  const mt::bench::Timing replay = Replay(initialCopy, true, replayFailed);
  const mt::bench::Timing scriptOnly = Replay(initialCopy, false, scriptFailed);
  const double cpuMs = cpu * 1e3;
  const double wallMs = double(totalNs) / 1e6;
  out << "bare floor, " << outcome.statements << " auto-committed INSERTs: wall "
      << QString::number(autoCommitted.wallMs, 'f', 1) << " ms, CPU " << QString::number(autoCommitted.cpuMs, 'f', 1)
      << " ms\n";
  out << "bare floor, the same in one transaction: wall " << QString::number(oneTransaction.wallMs, 'f', 1)
      << " ms, CPU " << QString::number(oneTransaction.cpuMs, 'f', 1) << " ms\n";
  out << "ratio upgrade/auto-committed floor: wall " << mt::bench::Ratio(wallMs, autoCommitted.wallMs) << ", CPU "
      << mt::bench::Ratio(cpuMs, autoCommitted.cpuMs) << " (target <= 1.0)\n";
  out << "ratio upgrade/one-transaction floor: wall " << mt::bench::Ratio(wallMs, oneTransaction.wallMs)
      << ", CPU " << mt::bench::Ratio(cpuMs, oneTransaction.cpuMs) << "\n";
  const auto bookkept = std::count_if(Recorded().statements.begin(), Recorded().statements.end(), Bookkeeping);
  out << "bare replay of the " << Recorded().statements.size() << " SQLite statements the run gave SQLite ("
      << replayFailed << " failed): wall " << QString::number(replay.wallMs, 'f', 1) << " ms, CPU "
      << QString::number(replay.cpuMs, 'f', 1) << " ms; ratio upgrade/replay: wall "
      << mt::bench::Ratio(wallMs, replay.wallMs) << ", CPU " << mt::bench::Ratio(cpuMs, replay.cpuMs) << "\n";
  out << "the same without the engine's " << bookkept << " bookkeeping statements (" << scriptFailed
      << " failed): wall " << QString::number(scriptOnly.wallMs, 'f', 1) << " ms, CPU "
      << QString::number(scriptOnly.cpuMs, 'f', 1) << " ms; ratio to the one-transaction floor: CPU "
      << mt::bench::Ratio(scriptOnly.cpuMs, oneTransaction.cpuMs) << "\n";
  return outcome.missingScript == 0 && outcome.lastRecorded == mt::LatestDBVersion ? 0 : 1;
}
