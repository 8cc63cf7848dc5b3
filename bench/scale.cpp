// The run's database steps at scale: a database at version 300 whose big
// tables (TTaskList, TTaskLog, TTaskLogHour, TTaskLogDay, TUserActions,
// TActionList, TCodes, TSettings) hold N rows each, with its values
// encrypted, goes through the run's steps in order with the production
// modules: decryption pass, upgrade to 405 (code migrations included),
// encryption pass, pruning, compaction. The fixed waits are skipped.
//
// Each step is printed beside its bare SQLCipher floor (same key, WAL,
// synchronous=NORMAL), as ratios of wall and CPU time:
//   passes      the same row updates by rowid in one transaction (bench/value_floor.h);
//   upgrade     as many INSERTs as the upgrade ran statements, in one
//               transaction, plus one copy of every row of the big tables;
//   pruning     the five DELETEs with the same date limits;
//   compaction  sqlcipher_export of the same file.
// and with the resident size when the step began and its peak during the
// step (VmHWM, reset before each step; what the benchmark itself holds is in
// both, after it gave back to the system what it had freed),
// its peak extra disk (every file of the benchmark's folder and every
// deleted file the process holds open, above their size when the step
// began, sampled every 5 ms) and the longest time the window went without
// processing its events (a painted window; the fixed waits excluded).
// Last, a digest of every table's decrypted rows: two builds that must give
// the same results print the same digest.
//
// usage: bench_scale [ROWS...]   (default 1000 30000; the L database: 300000)
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/globals.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "bench/run_checks.h"
#include "bench/value_floor.h"
#include "db/maintenance.h"
#include "db/query.h"
#include "protect/value_passes.h"
#include "upgrade/upgrade_engine.h"

using namespace mt;
using namespace mt::bench;

namespace {

const char* const kBigTables[] = {"TTaskList", "TTaskLog", "TTaskLogHour", "TTaskLogDay",
                                  "TUserActions", "TActionList", "TCodes", "TSettings"};

// N rows in each big table (half of the log rows old enough to be pruned),
// in the shapes the code migrations of 319 to 338 rewrite, and N / 10
// accounts for the user ids of 335; one transaction through the engine.
void Seed(const QString& path, int n) {
  auto c = DefaultEngine().Open(path, DatabasePassword());
  c->BeginTransaction();
  const QString old = QStringLiteral("#2020-01-01 10:00:00#");
  // Yesterday noon: the same rows all day long, so two runs compare.
  const QString recent = QDate::currentDate().addDays(-1).toString(QStringLiteral("#yyyy-MM-dd 12:00:00#"));
  const char* const categories[] = {"Mobile_Naver_Shopping", "Mobile_Naver_Restaurant", "Mobile_Naver_Channel",
                                    "Naver_Blog", "Naver_Web"};
  for (int i = 0; i < n / 10 + 1; ++i)
    c->Execute(QStringLiteral("INSERT INTO TUserIdIPs (UserId, Pwd) VALUES ('user%1', 'pw%1')").arg(i));
  for (int i = 0; i < n; ++i) {
    const int k = i % 5;
    const QString link = QString::fromUtf8(kLinks[i % int(std::size(kLinks))]).arg(1000 + i);
    const QString date = i % 2 ? recent : old;
    const int user = i % 3 ? i % (n / 10 + 1) + 1 : 0;
    c->Execute(QStringLiteral("INSERT INTO TTaskList (SiteCategory, FunctionType, IsMobile, Arg1, Arg2, Arg3, Detail, Arg5) "
                              "VALUES ('%1', %2, True, '키워드 %3', '%4', 'a%3', '세부 %3', '%4')")
                   .arg(QLatin1String(categories[k]))
                   .arg(i % 3)
                   .arg(i)
                   .arg(link));
    c->Execute(QStringLiteral("INSERT INTO TTaskLog (TaskIDX, LogDate, UserIDX, SiteCategory, Arg1, ContentKey) "
                              "VALUES (%1, %2, %3, '%4', '키워드 %5', '122|키워드 %5')")
                   .arg(i + 1)
                   .arg(date)
                   .arg(user)
                   .arg(QLatin1String(categories[k]))
                   .arg(i));
    c->Execute(QStringLiteral("INSERT INTO TTaskLogHour (TaskIDX, LogDate, Rank) VALUES (%1, %2, %3)").arg(i + 1).arg(date).arg(i % 50));
    c->Execute(QStringLiteral("INSERT INTO TTaskLogDay (TaskIDX, LogDate, Rank) VALUES (%1, %2, %3)").arg(i + 1).arg(date).arg(i % 50));
    c->Execute(QStringLiteral("INSERT INTO TUserActions (UserIDX, ContentKey, ActionDate) VALUES (%1, '%2|abc%3|x', %4)")
                   .arg(user)
                   .arg(i % 2 ? 122 : 102)
                   .arg(i)
                   .arg(recent));
    c->Execute(QStringLiteral("INSERT INTO TActionList (TaskIDX, UserIDX, StartDate) VALUES (%1, %2, %3)").arg(i + 1).arg(user).arg(recent));
    c->Execute(QStringLiteral("INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('Bench%1', %2, 'text %3', '설명 %3', %4)")
                   .arg(i / 8)
                   .arg(i % 8)
                   .arg(i)
                   .arg(i % 3 ? QStringLiteral("'tag'") : QStringLiteral("NULL")));
    c->Execute(QStringLiteral("INSERT INTO TSettings (ID, Val1, Val2, Alias) VALUES ('Bench.%1', 'value %1', '비밀 %1', 'alias')").arg(i));
  }
  c->CommitTransaction();
  c->Close();
}

// --- what a step costs besides time -------------------------------------------

void ResetPeakResident() {
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  if (f.open(QIODevice::WriteOnly)) f.write("5");
}

// VmHWM (the peak) or VmRSS (now) of /proc/self/status, in MB.
double ResidentMb(const char* field = "VmHWM:") {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
  return -1;
}

// Bytes on disk of every file under root and of every deleted file the
// process holds open (SQLite's temporary files).
qint64 DiskUsage(const QString& root) {
  qint64 total = 0;
  QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    struct stat st {};
    if (::lstat(QFile::encodeName(it.next()).constData(), &st) == 0) total += qint64(st.st_blocks) * 512;
  }
  QDirIterator fds(QStringLiteral("/proc/self/fd"), QDir::Files | QDir::System);
  while (fds.hasNext()) {
    struct stat st {};
    if (::stat(QFile::encodeName(fds.next()).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 0)
      total += qint64(st.st_blocks) * 512;
  }
  return total;
}

class DiskWatch {
 public:
  explicit DiskWatch(QString root) : root_(std::move(root)), base_(DiskUsage(root_)), peak_(base_) {
    thread_ = std::thread([this] {
      while (!stop_) {
        const qint64 now = DiskUsage(root_);
        if (now > peak_) peak_ = now;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    });
  }
  double StopExtraMb() {
    stop_ = true;
    thread_.join();
    return double(peak_ - base_) / 1048576.0;
  }

 private:
  QString root_;
  qint64 base_;
  std::atomic<qint64> peak_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The headless Ui, timing the longest stretch without event processing.
class PaintWatchUi final : public Ui {
 public:
  PaintWatchUi() { timer_.start(); }
  void Reset() {
    last_ = timer_.elapsed();
    longest_ = 0;
  }
  qint64 LongestMs() {
    Painted();
    return longest_;
  }
  void ShowProgress() override { Painted(); }
  bool IsProgressLoaded() const override { return true; }
  void UnloadProgress() override {}
  void ShowPercent(float) override { Painted(); }
  void ShowMsg(const QString&) override { Painted(); }
  void MessageBox(const QString& title, const QString& text) override {
    QTextStream(stderr) << "message box: " << title << ": " << text << "\n";
  }
  void ProcessEvents() override { Painted(); }

 private:
  void Painted() {
    const qint64 now = timer_.elapsed();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }
  QElapsedTimer timer_;
  qint64 last_ = 0, longest_ = 0;
};

struct Step {
  QString name;
  Timing run, floor;
  double residentMb = 0, startResidentMb = 0, extraDiskMb = 0;
  qint64 unpaintedMs = 0;
};

// Runs one step of the run under watch.
template <typename Fn>
Step Measure(const QString& name, const QString& root, PaintWatchUi& ui, Fn&& fn) {
  Step s{name, {}, {}};
  // The floors' rows, freed, stay with the allocator unless given back.
  malloc_trim(0);
  ResetPeakResident();
  s.startResidentMb = ResidentMb("VmRSS:");
  DiskWatch disk(root);
  ui.Reset();
  Stopwatch watch;
  fn();
  s.run = watch.Stop();
  s.unpaintedMs = ui.LongestMs();
  s.extraDiskMb = disk.StopExtraMb();
  s.residentMb = ResidentMb();
  return s;
}

[[noreturn]] void Fail(const QString& why) {
  QTextStream(stderr) << why << "\n";
  std::exit(1);
}

// A fresh bare copy of a file, opened.
sqlite3* BareCopy(const QString& from, const QString& to) {
  QFile::remove(to);
  if (!QFile::copy(from, to)) BareFailed(nullptr, "copy");
  return BareOpen(to, DatabasePassword());
}

void BareClose(sqlite3* db) {
  BareExec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
  BareExec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
  sqlite3_close(db);
}

Timing UpgradeFloor(const QString& input, const QString& work, qint64 statements) {
  Stopwatch watch;
  sqlite3* db = BareCopy(input, work);
  BareExec(db, QStringLiteral("BEGIN"));
  BareInserts(db, statements);
  for (const char* t : kBigTables)
    BareExec(db, QStringLiteral("CREATE TABLE floor_%1 AS SELECT * FROM %1").arg(QLatin1String(t)));
  BareExec(db, QStringLiteral("COMMIT"));
  BareClose(db);
  return watch.Stop();
}

Timing PruningFloor(const QString& input, const QString& work) {
  const QDateTime now = QDateTime::currentDateTime();
  const auto serial = [](const QDateTime& t) {
    return double(QDate(1899, 12, 30).daysTo(t.date())) + double(t.time().msecsSinceStartOfDay()) / 86400000.0;
  };
  const std::pair<const char*, QDateTime> limits[] = {
      {"TTaskLog", now.addDays(-3)},          {"TTaskLogHour", now.addMonths(-1)}, {"TTaskLogDay", now.addMonths(-3)},
      {"TTaskLogInterval", now.addDays(-10)}, {"TTaskStatistics", now.addDays(-3)}};
  Stopwatch watch;
  sqlite3* db = BareCopy(input, work);
  for (const auto& [table, limit] : limits)
    BareExec(db, QStringLiteral("DELETE FROM %1 WHERE LogDate < %2").arg(QLatin1String(table)).arg(serial(limit), 0, 'f', 8));
  BareClose(db);
  return watch.Stop();
}

Timing CompactionFloor(const QString& input, const QString& work, const QString& compacted) {
  QFile::remove(compacted);
  Stopwatch watch;
  sqlite3* db = BareCopy(input, work);
  BareExport(db, compacted, DatabasePassword());
  sqlite3_close(db);
  return watch.Stop();
}

QString Digest(const QString& path) {
  const Snapshot s = Read(path, true);
  if (!s.openError.isEmpty()) Fail(QStringLiteral("cannot read the result: ") + s.openError);
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (const auto& [table, lines] : s.contents) {
    hash.addData(table.toUtf8());
    for (const QString& line : lines) hash.addData(line.toUtf8());
  }
  return QString::fromLatin1(hash.result().toHex().left(16));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::max(1, std::atoi(argv[i])));
  if (sizes.empty()) sizes = {1000, 30000};
  QTextStream out(stdout);
  QTemporaryDir dir;
  const QString program = dir.filePath(QStringLiteral("program"));
  const QString data = dir.filePath(QStringLiteral("data"));
  const QString scratch = dir.filePath(QStringLiteral("scratch"));
  QDir().mkpath(data);
  QDir().mkpath(scratch);
  InstallBenchServices(program, QStringLiteral("marrowtide-dbupgrade"), false);
  PaintWatchUi ui;
  SetUi(&ui);

  out << "the run's steps at scale: N rows in each big table of a version-300 database, encrypted\n";
  out << "rows\tstep\tMB\twall ms\tCPU ms\tfloor wall\tfloor CPU\tratio wall\tratio CPU\tRSS MB at start\tpeak RSS MB\t"
         "extra disk MB\textra/file\tunpainted ms\n";
  for (const int n : sizes) {
    const QString input = scratch + QStringLiteral("/input.mdb");
    const QString before = scratch + QStringLiteral("/before.mdb");
    const QString floorDb = scratch + QStringLiteral("/floor.mdb");
    const QString floorOut = scratch + QStringLiteral("/floor_out.mdb");
    QFile::remove(input);
    try {
      MakeDatabase(input, 300);
      Seed(input, n);
      EncryptValues(input, 300);
    } catch (const DbError& e) {
      Fail(QStringLiteral("cannot build the input: %1 %2").arg(e.code()).arg(e.description()));
    }
    const QString db = data + QStringLiteral("/Marrowtide.mdb");
    QFile::remove(db);
    QFile::copy(input, db);
    Globals().DBPath = db;
    Globals().AppName = QStringLiteral("Marrowtide");
    std::vector<Step> steps;
    // Each step starts from the file the one before left; its floor from a copy of it.
    auto keepInput = [&] {
      QFile::remove(before);
      QFile::copy(db, before);
    };
    const auto fileMb = [&] { return double(QFileInfo(db).size()) / 1048576.0; };
    std::vector<double> sizesMb;

    keepInput();
    sizesMb.push_back(fileMb());
    steps.push_back(Measure(QStringLiteral("decrypt"), dir.path(), ui, [&] {
      if (!DecryptDatabaseValues(300).ok) Fail(QStringLiteral("the decryption pass failed"));
    }));
    steps.back().floor = ValuePassFloor(before, floorDb, ReadRows(db, ProtectedTablesBefore318()), ProtectedTablesBefore318());

    keepInput();
    sizesMb.push_back(fileMb());
    upgrade::UpgradeOutcome outcome;
    steps.push_back(Measure(QStringLiteral("upgrade"), dir.path(), ui, [&] {
      if (DBGetConnection(db) == nullptr) Fail(QStringLiteral("cannot open the database"));
      outcome = upgrade::UpgradeRange(300, LatestDBVersion);
      ReleaseSharedConnection();
    }));
    if (outcome.lastRecorded != LatestDBVersion) Fail(QStringLiteral("the upgrade stopped at %1").arg(outcome.lastRecorded));
    steps.back().floor = UpgradeFloor(before, floorDb, outcome.statements);

    keepInput();
    sizesMb.push_back(fileMb());
    steps.push_back(Measure(QStringLiteral("encrypt"), dir.path(), ui, [&] {
      if (!EncryptDatabaseValues().ok) Fail(QStringLiteral("the encryption pass failed"));
    }));
    steps.back().floor = ValuePassFloor(before, floorDb, ReadRows(db));

    keepInput();
    sizesMb.push_back(fileMb());
    steps.push_back(Measure(QStringLiteral("pruning"), dir.path(), ui, [&] {
      if (DBGetConnection(db) == nullptr) Fail(QStringLiteral("cannot open the database"));
      for (const char* statement : PruningStatements()) {
        int32_t affected = 0;
        DBExecute(QString::fromLatin1(statement), affected);
      }
      ReleaseSharedConnection();
    }));
    steps.back().floor = PruningFloor(before, floorDb);

    keepInput();
    sizesMb.push_back(fileMb());
    steps.push_back(Measure(QStringLiteral("compaction"), dir.path(), ui, [&] { CompactDatabase(db, DatabasePassword()); }));
    steps.back().floor = CompactionFloor(before, floorDb, floorOut);
    for (const QString& f : {before, floorDb, floorOut, input}) QFile::remove(f);

    for (size_t i = 0; i < steps.size(); ++i) {
      const Step& s = steps[i];
      out << n << '\t' << s.name << '\t' << QString::number(sizesMb[i], 'f', 1) << '\t'
          << QString::number(s.run.wallMs, 'f', 0) << '\t' << QString::number(s.run.cpuMs, 'f', 0) << '\t'
          << QString::number(s.floor.wallMs, 'f', 0) << '\t' << QString::number(s.floor.cpuMs, 'f', 0) << '\t'
          << Ratio(s.run.wallMs, s.floor.wallMs) << '\t' << Ratio(s.run.cpuMs, s.floor.cpuMs) << '\t'
          << QString::number(s.startResidentMb, 'f', 0) << '\t' << QString::number(s.residentMb, 'f', 0) << '\t'
          << QString::number(s.extraDiskMb, 'f', 1) << '\t'
          << Ratio(s.extraDiskMb, sizesMb[i]) << '\t' << s.unpaintedMs << '\n';
    }
    out << n << "\tresult\t" << QString::number(fileMb(), 'f', 1) << " MB, " << outcome.statements
        << " statements, digest of every table's decrypted rows " << Digest(db) << '\n';
    out.flush();
    QFile::remove(db);
  }
  SetUi(nullptr);
  SetClock(nullptr);
  return 0;
}
