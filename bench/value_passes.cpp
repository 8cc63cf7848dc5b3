// The value passes at scale: a database at version 405 with N rows in each
// of TCodes, TSettings and TUserAgentsRaw is encrypted on a work copy, then
// decrypted again, with the production passes (fixed waits skipped).
//
// Beside each pass, the bare SQLCipher floor for the same rows
// (bench/value_floor.h).
// The round trip must give back every original row.
//
// usage: bench_value_passes [ROWS...]   (default 1000 4000; best of 3)
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/globals.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "bench/value_floor.h"
#include "db/query.h"
#include "protect/cipher.h"

using namespace mt;
using namespace mt::bench;

namespace {

// Adds n rows to each protected table, in one transaction through bare
// SQLCipher (the engine's own INSERTs are another benchmark's subject).
void AddRows(const QString& path, int n) {
  sqlite3* db = BareOpen(path, DatabasePassword());
  BareExec(db, QStringLiteral("BEGIN"));
  for (int i = 0; i < n; ++i) {
    BareStep(db, QStringLiteral("INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES "
                                "('BenchCode%1', %2, 'text %3', '설명 %3', %4)")
                     .arg(i / 8)
                     .arg(i % 8)
                     .arg(i)
                     .arg(i % 3 ? QStringLiteral("'tag'") : QStringLiteral("NULL"))
                     .toUtf8());
    BareStep(db, QStringLiteral("INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias) VALUES "
                                "('BenchSetting%1', 'value %1', 'second', '', 'alias %1')")
                     .arg(i)
                     .toUtf8());
    BareStep(db, QStringLiteral("INSERT INTO TUserAgentsRaw (num, UAUseType, UA) VALUES (%1, 0, "
                                "'Mozilla/5.0 (Linux; Android 13; SM-S91%2) AppleWebKit/537.36 Chrome/%3.0')")
                     .arg(i)
                     .arg(i % 10)
                     .arg(100 + i % 30)
                     .toUtf8());
  }
  BareExec(db, QStringLiteral("COMMIT"));
  BareExec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
  BareExec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
  sqlite3_close(db);
}

void Fail(const QString& why) {
  QTextStream(stderr) << why << "\n";
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::max(1, std::atoi(argv[i])));
  if (sizes.empty()) sizes = {1000, 4000};
  const int rounds = 3;
  QTextStream out(stdout);
  QTemporaryDir dir;
  const QString program = dir.filePath(QStringLiteral("program"));
  InstallBenchServices(program, QStringLiteral("marrowtide-dbupgrade"), false);
  Globals().AppName = QStringLiteral("Marrowtide");

  const QString base = dir.filePath(QStringLiteral("base405.mdb"));
  try {
    MakeDatabase(base, 405);
  } catch (const DbError& e) {
    Fail(QStringLiteral("cannot build the input: %1 %2").arg(e.code()).arg(e.description()));
  }
  out << "value passes, N rows in each of TCodes, TSettings, TUserAgentsRaw (best of " << rounds
      << "; floor: the same row updates by rowid in one transaction, bare SQLCipher)\n";
  out << "rows\tpass\twall ms\tCPU ms\tfloor wall\tfloor CPU\tratio wall\tratio CPU\n";
  for (const int n : sizes) {
    const QString plain = dir.filePath(QStringLiteral("plain%1.mdb").arg(n));
    QFile::copy(base, plain);
    AddRows(plain, n);
    const Rows original = ReadRows(plain);
    const QString db = dir.filePath(QStringLiteral("db.mdb"));
    const QString encrypted = dir.filePath(QStringLiteral("encrypted%1.mdb").arg(n));
    Timing pass[2], floor[2];
    Rows result[2];
    for (int round = 0; round < rounds; ++round) {
      for (int p = 0; p < 2; ++p) {
        QFile::remove(db);
        QFile::copy(p == 0 ? plain : encrypted, db);
        Globals().DBPath = db;
        Stopwatch watch;
        const ValuePassResult r = p == 0 ? EncryptDatabaseValues() : DecryptDatabaseValues(405);
        KeepBest(pass[p], watch.Stop(), round == 0);
        if (!r.ok) Fail(QStringLiteral("the pass failed: ") + r.description);
        if (round == 0) {
          result[p] = ReadRows(db);
          if (p == 0) QFile::copy(db, encrypted);
        }
      }
    }
    if (result[1] != original) Fail(QStringLiteral("decrypt(encrypt(rows)) differs from the rows"));
    for (int round = 0; round < rounds; ++round)
      for (int p = 0; p < 2; ++p)
        KeepBest(floor[p], ValuePassFloor(p == 0 ? plain : encrypted, dir.filePath(QStringLiteral("floor.mdb")), result[p]),
                 round == 0);
    for (int p = 0; p < 2; ++p)
      out << n << '\t' << (p == 0 ? "encrypt" : "decrypt") << '\t' << QString::number(pass[p].wallMs, 'f', 0) << '\t'
          << QString::number(pass[p].cpuMs, 'f', 0) << '\t' << QString::number(floor[p].wallMs, 'f', 0) << '\t'
          << QString::number(floor[p].cpuMs, 'f', 0) << '\t' << Ratio(pass[p].wallMs, floor[p].wallMs) << '\t'
          << Ratio(pass[p].cpuMs, floor[p].cpuMs) << '\n';
    out.flush();
    QFile::remove(plain);
    QFile::remove(encrypted);
  }
  SetClock(nullptr);
  return 0;
}
