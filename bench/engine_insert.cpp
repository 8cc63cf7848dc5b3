// Cost of the engine on the statement mix that dominates an upgrade: single
// auto-committed INSERT statements. Runs N Jet-dialect INSERTs through the
// engine and the same rows as plain SQLite SQL through the bare SQLCipher API
// (same key, WAL, synchronous=NORMAL), and prints both times and their ratio.
//
// usage: bench_engine_insert [N]   (default 20000)
#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <cstdio>

#include "db/engine.h"
#include "db/store/sqlcipher_engine.h"
#include "db/jetsql/translator.h"

namespace {

// Wall time and this thread's CPU time of one run, in milliseconds. On a
// shared machine the CPU time is the steadier figure.
struct Timing {
  double wallMs = 1e300;
  double cpuMs = 1e300;
};

double ThreadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

class Stopwatch {
 public:
  Stopwatch() : cpu_(ThreadCpuMs()) { timer_.start(); }
  Timing Stop() const { return {timer_.nsecsElapsed() / 1e6, ThreadCpuMs() - cpu_}; }

 private:
  QElapsedTimer timer_;
  double cpu_;
};

const QString kPassword = QStringLiteral("bench-password");

QString UserAgent(int i) {
  return QStringLiteral("Mozilla/5.0 (Linux; Android 13; SM-S91%1) AppleWebKit/537.36 Chrome/%2.0 Mobile")
      .arg(i % 10)
      .arg(100 + i % 30);
}

QString JetInsert(int i) {
  return QStringLiteral(
             "INSERT INTO TCodes (Code, Val, ValText, Description, IsOn, Created) VALUES "
             "(\"MobileUserAgent\", %1, '%2', '설명 %1', %3, #2024-07-04 05:%4:%5#)")
      .arg(i)
      .arg(UserAgent(i))
      .arg(i % 2 ? QStringLiteral("True") : QStringLiteral("False"))
      .arg(i % 60, 2, 10, QLatin1Char('0'))
      .arg(i % 59, 2, 10, QLatin1Char('0'));
}

QString PlainInsert(int i) {
  // The same date as a Jet day number.
  double days = 45477.0 + (5 * 3600 + (i % 60) * 60 + (i % 59)) / 86400.0;
  return QStringLiteral(
             "INSERT INTO \"TCodes\" (\"Code\", \"Val\", \"ValText\", \"Description\", \"IsOn\", \"Created\") "
             "VALUES ('MobileUserAgent', %1, '%2', '설명 %1', %3, %4)")
      .arg(i)
      .arg(UserAgent(i))
      .arg(i % 2 ? -1 : 0)
      .arg(days, 0, 'g', 17);
}

Timing RunEngine(const QString& path, int n) {
  mt::engine::SqlCipherEngine engine;
  auto conn = engine.Create(path, kPassword);
  conn->Execute(QStringLiteral(
      "CREATE TABLE TCodes (IDX AUTOINCREMENT, Code TEXT(50) WITH COMPRESSION, Val LONG DEFAULT 0, "
      "ValText MEMO WITH COMPRESSION DEFAULT \"\", Description MEMO, IsOn BIT DEFAULT False, "
      "Created DATETIME, CONSTRAINT PrimaryKey PRIMARY KEY (IDX))"));
  std::vector<QString> statements;
  statements.reserve(n);
  for (int i = 0; i < n; ++i) statements.push_back(JetInsert(i));
  Stopwatch watch;
  for (const QString& s : statements) conn->Execute(s);
  Timing t = watch.Stop();
  conn->Close();
  return t;
}

Timing RunBare(const QString& path, int n) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  QByteArray key = kPassword.toUtf8();
  sqlite3_key(db, key.constData(), int(key.size()));
  sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;",
               nullptr, nullptr, nullptr);
  sqlite3_exec(db,
               "CREATE TABLE \"TCodes\" (\"IDX\" INTEGER PRIMARY KEY AUTOINCREMENT, \"Code\" TEXT, "
               "\"Val\" INTEGER DEFAULT 0, \"ValText\" TEXT DEFAULT '', \"Description\" TEXT, "
               "\"IsOn\" INTEGER DEFAULT 0, \"Created\" REAL)",
               nullptr, nullptr, nullptr);
  std::vector<QByteArray> statements;
  statements.reserve(n);
  for (int i = 0; i < n; ++i) statements.push_back(PlainInsert(i).toUtf8());
  Stopwatch watch;
  for (const QByteArray& s : statements) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, s.constData(), int(s.size()), &stmt, nullptr) != SQLITE_OK ||
        sqlite3_step(stmt) != SQLITE_DONE) {
      std::fprintf(stderr, "bare insert failed: %s\n", sqlite3_errmsg(db));
      std::exit(1);
    }
    sqlite3_finalize(stmt);
  }
  Timing t = watch.Stop();
  sqlite3_close(db);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  int n = argc > 1 ? std::atoi(argv[1]) : 20000;
  QTemporaryDir dir;
  QTextStream out(stdout);
  Timing engine, bare;
  auto keepBest = [](Timing& best, const Timing& t) {
    best.wallMs = std::min(best.wallMs, t.wallMs);
    best.cpuMs = std::min(best.cpuMs, t.cpuMs);
  };
  try {
    // Alternate the two, three times, and keep each one's best figures: the
    // machine may be shared.
    for (int round = 0; round < 3; ++round) {
      keepBest(bare, RunBare(dir.filePath(QStringLiteral("bare%1.db").arg(round)), n));
      keepBest(engine, RunEngine(dir.filePath(QStringLiteral("engine%1.mdb").arg(round)), n));
    }
  } catch (const mt::DbError& e) {
    out << "engine failed: " << e.code() << " " << e.description() << "\n";
    return 1;
  }
  out << "statements: " << n << "\n";
  {
    auto command = mt::engine::Translate(JetInsert(1));
    if (auto* s = std::get_if<mt::engine::SqlStatement>(&command)) out << "emitted: " << s->sql << "\n";
    Stopwatch watch;
    for (int i = 0; i < n; ++i) mt::engine::Translate(JetInsert(i));
    out << QStringLiteral("translation alone (with building the text): %1 us/statement CPU\n")
               .arg(watch.Stop().cpuMs * 1000 / n, 0, 'f', 1);
  }
  auto line = [&](const char* name, const Timing& t) {
    out << QStringLiteral("%1 wall %2 ms (%3 us/statement), CPU %4 ms (%5 us/statement)\n")
               .arg(QLatin1String(name))
               .arg(t.wallMs, 0, 'f', 1)
               .arg(t.wallMs * 1000 / n, 0, 'f', 1)
               .arg(t.cpuMs, 0, 'f', 1)
               .arg(t.cpuMs * 1000 / n, 0, 'f', 1);
  };
  line("bare SQLCipher:", bare);
  line("engine (Jet):  ", engine);
  out << QStringLiteral("ratio engine/bare: wall %1, CPU %2 (target <= 1.30)\n")
             .arg(engine.wallMs / bare.wallMs, 0, 'f', 2)
             .arg(engine.cpuMs / bare.cpuMs, 0, 'f', 2);
  return 0;
}
