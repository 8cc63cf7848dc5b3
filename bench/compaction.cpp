// Compaction of a database at version 405 whose task log holds 100,000 rows:
// CompactDatabase (export into tmp.mdb, check that the copy opens, rename it
// over the database file, flushed) against the bare sqlcipher_export of the
// same file into a fresh keyed file.
//
// Then the damage checks the run makes of the database right after it opens
// (PRAGMA quick_check through the engine) and could make (integrity_check),
// against bare SQLCipher's quick_check of the same file. About 2,000,000
// rows give a file of 300 MB.
//
// usage: bench_compaction [ROWS [ROUNDS]]   (default 100000 rows, 3 rounds; the best round counts)
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>

#include "app/globals.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "db/maintenance.h"
#include "db/query.h"

using namespace mt;
using namespace mt::bench;

namespace {

// Adds rows to TTaskLog in one transaction, each as the product writes one:
// a task, a date (Jet day number) and a few columns; the rest keep their defaults.
void AddLogRows(const QString& path, int rows) {
  sqlite3* db = BareOpen(path, DatabasePassword());
  BareExec(db, QStringLiteral("BEGIN"));
  for (int i = 0; i < rows; ++i) {
    BareStep(db, QStringLiteral("INSERT INTO TTaskLog (TaskIDX, LogDate, EndDate, Rank, UserIDX, SiteCategory, "
                                "Keyword, Arg1) VALUES (%1, %2, %2, %3, %4, 'Mobile_Naver_Shopping', "
                                "'키워드 %3', 'https://m.shopping.example/item/%5')")
                     .arg(i % 700)
                     .arg(45400.0 + i / 700 + (i % 700) / 100000.0, 0, 'f', 6)
                     .arg(i % 97)
                     .arg(i % 13)
                     .arg(i)
                     .toUtf8());
  }
  BareExec(db, QStringLiteral("COMMIT"));
  BareExec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
  sqlite3_close(db);
}

qint64 CountRows(const QString& path) {
  auto c = DefaultEngine().Open(path, DatabasePassword());
  auto rs = c->OpenRecordset(QStringLiteral("SELECT Count(*) FROM TTaskLog"), CursorType::ForwardOnly,
                             LockType::ReadOnly);
  const qint64 n = rs->Value(0).toLongLong();
  rs->Close();
  c->Close();
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  QTextStream out(stdout);
  QTemporaryDir dir;
  const QString program = dir.filePath(QStringLiteral("program"));
  InstallBenchServices(program, QStringLiteral("marrowtide-dbupgrade"), true);

  const QString base = dir.filePath(QStringLiteral("base.mdb"));
  try {
    MakeDatabase(base, 405);
  } catch (const DbError& e) {
    out << "cannot build the input: " << e.code() << " " << e.description() << "\n";
    return 1;
  }
  AddLogRows(base, rows);

  const QString work = dir.filePath(QStringLiteral("Marrowtide.mdb"));
  const QString bare = dir.filePath(QStringLiteral("bare.db"));
  const QString bareCopy = dir.filePath(QStringLiteral("bare_compacted.db"));
  Timing engine, plain;
  for (int round = 0; round < rounds; ++round) {
    for (const QString& f : {work, bare, bareCopy}) QFile::remove(f);
    QFile::copy(base, work);
    QFile::copy(base, bare);
    {
      Stopwatch watch;
      CompactDatabase(work, DatabasePassword());
      KeepBest(engine, watch.Stop(), round == 0);
    }
    {
      Stopwatch watch;
      sqlite3* db = BareOpen(bare, DatabasePassword());
      BareExport(db, bareCopy, DatabasePassword());
      sqlite3_close(db);
      KeepBest(plain, watch.Stop(), round == 0);
    }
  }
  const qint64 kept = CountRows(work);
  const bool replaced = !QFileInfo::exists(program + QStringLiteral("/tmp.mdb"));

  out << "compaction, version 405 with " << rows << " task-log rows ("
      << QString::number(double(QFileInfo(base).size()) / 1048576.0, 'f', 1) << " MB -> "
      << QString::number(double(QFileInfo(work).size()) / 1048576.0, 'f', 1) << " MB, " << kept
      << " rows after)\n";
  out << QStringLiteral("  CompactDatabase:        wall %1 ms, CPU %2 ms\n").arg(engine.wallMs, 0, 'f', 0).arg(engine.cpuMs, 0, 'f', 0);
  out << QStringLiteral("  bare sqlcipher_export:  wall %1 ms, CPU %2 ms\n").arg(plain.wallMs, 0, 'f', 0).arg(plain.cpuMs, 0, 'f', 0);
  out << "  ratio engine/bare:      wall " << Ratio(engine.wallMs, plain.wallMs) << ", CPU "
      << Ratio(engine.cpuMs, plain.cpuMs) << " (target <= 1.5)\n";

  Timing quick, full, bareQuick;
  bool sound = true;
  for (int round = 0; round < rounds; ++round) {
    auto connection = DefaultEngine().Open(work, DatabasePassword());
    {
      Stopwatch watch;
      sound = connection->Damage(true).isEmpty() && sound;
      KeepBest(quick, watch.Stop(), round == 0);
    }
    {
      Stopwatch watch;
      sound = connection->Damage(false).isEmpty() && sound;
      KeepBest(full, watch.Stop(), round == 0);
    }
    connection->Close();
    Stopwatch watch;
    sqlite3* db = BareOpen(work, DatabasePassword());
    BareStep(db, "PRAGMA quick_check");
    sqlite3_close(db);
    KeepBest(bareQuick, watch.Stop(), round == 0);
  }
  out << "damage check of the compacted file (" << (sound ? "sound" : "DAMAGED") << ")\n";
  out << QStringLiteral("  engine quick_check:     wall %1 ms, CPU %2 ms\n").arg(quick.wallMs, 0, 'f', 0).arg(quick.cpuMs, 0, 'f', 0);
  out << QStringLiteral("  engine integrity_check: wall %1 ms, CPU %2 ms\n").arg(full.wallMs, 0, 'f', 0).arg(full.cpuMs, 0, 'f', 0);
  out << QStringLiteral("  bare quick_check:       wall %1 ms, CPU %2 ms\n").arg(bareQuick.wallMs, 0, 'f', 0).arg(bareQuick.cpuMs, 0, 'f', 0);
  out << "  ratio engine/bare quick_check: wall " << Ratio(quick.wallMs, bareQuick.wallMs) << "\n";
  SetClock(nullptr);
  return kept == rows && replaced && sound ? 0 : 1;
}
