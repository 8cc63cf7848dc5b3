// The typical encrypted run, in-process with the production passes: a
// database at version 300 with encrypted values is decrypted on a copy,
// upgraded to 405, encrypted again on a copy, pruned and compacted. The
// clock skips the passes' fixed waits (20 s of them), so the figure is the
// work alone.
//
// Beside it, the bare SQLCipher time for the same work: two file copies of
// the input, as many auto-committed statements as the run executed (and as
// many one-row queries as it opened recordsets), and one sqlcipher_export.
//
// usage: bench_typical_run [ROUNDS]   (default 3; the best round counts)
#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/globals.h"
#include "app/run.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "db/store/sqlcipher_engine.h"
#include "db/query.h"
#include "protect/cipher.h"

using namespace mt;
using namespace mt::bench;

namespace {

// What the finished run left: the stored version (decrypted) and whether the
// values are marked encrypted.
QString Outcome(const QString& db) {
  Globals().DBPath = db;
  if (DBGetConnection(db) == nullptr) return QStringLiteral("cannot open the result");
  const bool encrypted = IsDBEncrypt();
  QString version = DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), {}).toString();
  bool numeric = false;
  version.toInt(&numeric);
  if (!numeric) version = DBDecryptValue(version);
  ReleaseSharedConnection();
  return QStringLiteral("version %1, %2").arg(version, encrypted ? QStringLiteral("encrypted") : QStringLiteral("PLAIN"));
}

Timing Bare(const QString& input, const QString& folder, const StatementCounts& counts) {
  const QString a = folder + QStringLiteral("/bare_a.db");
  const QString b = folder + QStringLiteral("/bare_b.db");
  const QString c = folder + QStringLiteral("/bare_c.db");
  for (const QString& f : {a, b, c}) QFile::remove(f);
  Stopwatch watch;
  if (!QFile::copy(input, a) || !QFile::copy(a, b)) BareFailed(nullptr, "copy");
  sqlite3* db = BareOpen(b, DatabasePassword());
  BareInserts(db, counts.executed);
  for (qint64 i = 0; i < counts.recordsets; ++i) BareStep(db, QByteArray("SELECT * FROM bench_rows WHERE id = 1"));
  BareExport(db, c, DatabasePassword());
  sqlite3_close(db);
  return watch.Stop();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  QTextStream out(stdout);
  QTemporaryDir dir;
  const QString program = dir.filePath(QStringLiteral("program"));
  NoWaitClock& clock = InstallBenchServices(program, QStringLiteral("marrowtide-dbupgrade"), true);

  const QString input = dir.filePath(QStringLiteral("encrypted300.mdb"));
  try {
    MakeDatabase(input, 300);
    EncryptValues(input, 300);
  } catch (const DbError& e) {
    out << "cannot build the input: " << e.code() << " " << e.description() << "\n";
    return 1;
  }
  Globals() = RunGlobals{};

  engine::SqlCipherEngine sqlcipher;
  CountingEngine counting(sqlcipher);
  SetDefaultEngine(&counting);

  const QString db = program + QStringLiteral("/Marrowtide.mdb");
  Timing run, bare;
  StatementCounts counts;
  QString outcome;
  for (int round = 0; round < rounds; ++round) {
    QFile::remove(db);
    QFile::remove(program + QStringLiteral("/log/marrowtide-dbupgrade.log"));
    QFile::copy(input, db);
    Globals() = RunGlobals{};
    ReleaseSharedConnection();
    ResetCipherComponent();
    counting.counts = {};
    clock.skippedMs = 0;
    Stopwatch watch;
    RunMain(db, ProductionPasses(), LockResult{});
    KeepBest(run, watch.Stop(), round == 0);
    counts = counting.counts;
    ReleaseSharedConnection();
    outcome = Outcome(db);
  }
  for (int round = 0; round < rounds; ++round) KeepBest(bare, Bare(input, dir.path(), counts), round == 0);

  out << "typical encrypted run, version 300 -> 405 (" << outcome << ")\n";
  out << "  fixed waits skipped:    " << clock.skippedMs << " ms\n";
  out << "  statements executed:    " << counts.executed << ", recordsets opened: " << counts.recordsets << "\n";
  out << QStringLiteral("  run:                    wall %1 ms, CPU %2 ms\n").arg(run.wallMs, 0, 'f', 0).arg(run.cpuMs, 0, 'f', 0);
  out << QStringLiteral("  bare SQLCipher:         wall %1 ms, CPU %2 ms\n").arg(bare.wallMs, 0, 'f', 0).arg(bare.cpuMs, 0, 'f', 0);
  out << "  ratio run/bare:         wall " << Ratio(run.wallMs, bare.wallMs) << ", CPU " << Ratio(run.cpuMs, bare.cpuMs)
      << "\n";
  SetDefaultEngine(nullptr);
  SetClock(nullptr);
  return outcome.startsWith(QStringLiteral("version 405, encrypted")) ? 0 : 1;
}
