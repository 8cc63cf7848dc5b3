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
// usage: bench_upgrade_full [--headless]   (--headless: no window, for comparison)
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

#include <cstdio>

#include "app/globals.h"
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
  const mt::upgrade::UpgradeOutcome outcome = mt::upgrade::UpgradeRange(2, mt::LatestDBVersion);
  const qint64 totalNs = total.nsecsElapsed();
  const double cpu = CpuSeconds() - cpuBefore;

  const QString stored =
      mt::DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), {})
          .toString();
  ui.UnloadProgress();
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
  return outcome.missingScript == 0 && outcome.lastRecorded == mt::LatestDBVersion ? 0 : 1;
}
