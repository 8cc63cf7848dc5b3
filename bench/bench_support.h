// Pieces the benchmark programs share: a stopwatch for wall and CPU time, a
// clock that skips the run's fixed waits, an engine that counts the
// statements the run gives it, and the bare SQLCipher work every figure is
// compared with (same key, WAL, synchronous=NORMAL, one statement at a time).
#pragma once

#include <sqlite3.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/log.h"
#include "app/production.h"
#include "app/services.h"
#include "db/engine.h"

namespace mt::bench {

// Wall time and process CPU time (user + system) in milliseconds. On a
// shared machine the CPU time is the steadier figure.
struct Timing {
  double wallMs = 0;
  double cpuMs = 0;
};

inline double ProcessCpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
  return ms(u.ru_utime) + ms(u.ru_stime);
}

class Stopwatch {
 public:
  Stopwatch() : cpu_(ProcessCpuMs()) { timer_.start(); }
  Timing Stop() const { return {double(timer_.nsecsElapsed()) / 1e6, ProcessCpuMs() - cpu_}; }

 private:
  QElapsedTimer timer_;
  double cpu_;
};

// Keeps the smaller wall and CPU figure of several rounds.
inline void KeepBest(Timing& best, const Timing& t, bool first) {
  if (first || t.wallMs < best.wallMs) best.wallMs = t.wallMs;
  if (first || t.cpuMs < best.cpuMs) best.cpuMs = t.cpuMs;
}

// The real time of day, without the fixed waits of the value passes.
class NoWaitClock final : public Clock {
 public:
  qint64 skippedMs = 0;
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
  void Sleep(int milliseconds) override { skippedMs += milliseconds; }
  qint64 MonotonicMs() const override { return timer_.elapsed(); }
  NoWaitClock() { timer_.start(); }

 private:
  QElapsedTimer timer_;
};

// Makes `folder` the program folder (created here, with a log folder when
// asked), installs the production services and a clock that skips the fixed
// waits; the clock lives as long as the process.
inline NoWaitClock& InstallBenchServices(const QString& folder, const QString& exeName, bool logFolder) {
  QDir().mkpath(logFolder ? folder + QStringLiteral("/log") : folder);
  SetProgramLocation(folder, exeName);
  InstallProductionServices();
  static NoWaitClock clock;
  SetClock(&clock);
  return clock;
}

// Passes everything on to another engine and counts the statements its
// connections run (Execute) and the recordsets they open.
struct StatementCounts {
  qint64 executed = 0;
  qint64 recordsets = 0;
};

class CountingConnection final : public Connection {
 public:
  CountingConnection(std::unique_ptr<Connection> inner, StatementCounts& counts)
      : inner_(std::move(inner)), counts_(counts) {}
  bool IsOpen() const override { return inner_->IsOpen(); }
  int32_t Execute(const QString& sql) override {
    ++counts_.executed;
    return inner_->Execute(sql);
  }
  int32_t Execute(const QString& sql, const QString& next) override {
    ++counts_.executed;
    return inner_->Execute(sql, next);
  }
  std::unique_ptr<Recordset> OpenRecordset(const QString& sql, CursorType c, LockType l) override {
    ++counts_.recordsets;
    return inner_->OpenRecordset(sql, c, l);
  }
  Catalog& GetCatalog() override { return inner_->GetCatalog(); }
  void Close() override { inner_->Close(); }

 private:
  std::unique_ptr<Connection> inner_;
  StatementCounts& counts_;
};

class CountingEngine final : public Engine {
 public:
  explicit CountingEngine(Engine& inner) : inner_(inner) {}
  StatementCounts counts;
  std::unique_ptr<Connection> Open(const QString& path, const QString& password) override {
    return std::make_unique<CountingConnection>(inner_.Open(path, password), counts);
  }
  std::unique_ptr<Connection> Create(const QString& path, const QString& password) override {
    return std::make_unique<CountingConnection>(inner_.Create(path, password), counts);
  }
  void Compact(const QString& src, const QString& dst, const QString& password) override {
    inner_.Compact(src, dst, password);
  }

 private:
  Engine& inner_;
};

// --- bare SQLCipher ---

[[noreturn]] inline void BareFailed(sqlite3* db, const char* what) {
  std::fprintf(stderr, "bare SQLCipher: %s: %s\n", what, db ? sqlite3_errmsg(db) : "no handle");
  std::exit(1);
}

inline void BareExec(sqlite3* db, const QString& sql) {
  const QByteArray utf8 = sql.toUtf8();
  if (sqlite3_exec(db, utf8.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) BareFailed(db, utf8.constData());
}

// Opens (or creates) a keyed file with the engine's journal settings.
inline sqlite3* BareOpen(const QString& path, const QString& password) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                      nullptr) != SQLITE_OK)
    BareFailed(db, "open");
  const QByteArray key = password.toUtf8();
  if (sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK) BareFailed(db, "key");
  BareExec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
  BareExec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
  return db;
}

// Runs one statement to its end, as its own transaction.
inline void BareStep(sqlite3* db, const QByteArray& sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK)
    BareFailed(db, sql.constData());
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  sqlite3_finalize(stmt);
  if (rc != SQLITE_DONE) BareFailed(db, sql.constData());
}

// n auto-committed INSERTs of a row the size of a code-table row, into a
// scratch table made for them.
inline void BareInserts(sqlite3* db, qint64 n) {
  BareExec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS bench_rows (id INTEGER PRIMARY KEY, code TEXT, "
                              "val INTEGER, txt TEXT, description TEXT)"));
  for (qint64 i = 0; i < n; ++i) {
    BareStep(db, QStringLiteral("INSERT INTO bench_rows (code, val, txt, description) VALUES "
                                "('MobileUserAgent', %1, 'Mozilla/5.0 (Linux; Android 13; SM-S91%2) "
                                "AppleWebKit/537.36 Chrome/%3.0 Mobile', '설명 %1')")
                     .arg(i)
                     .arg(i % 10)
                     .arg(100 + i % 30)
                     .toUtf8());
  }
}

// sqlcipher_export of an open database into a fresh keyed file.
inline void BareExport(sqlite3* db, const QString& destination, const QString& password) {
  QString quotedPath = destination;
  quotedPath.replace(QLatin1Char('\''), QStringLiteral("''"));
  QString quotedKey = password;
  quotedKey.replace(QLatin1Char('\''), QStringLiteral("''"));
  BareExec(db, QStringLiteral("ATTACH DATABASE '%1' AS compacted KEY '%2'").arg(quotedPath, quotedKey));
  BareExec(db, QStringLiteral("SELECT sqlcipher_export('compacted')"));
  BareExec(db, QStringLiteral("DETACH DATABASE compacted"));
}

inline QString Ratio(double a, double b) { return b > 0 ? QString::number(a / b, 'f', 2) : QStringLiteral("-"); }

}  // namespace mt::bench
