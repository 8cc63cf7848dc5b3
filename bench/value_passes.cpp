// The value passes at scale: a database at version 405 with N rows in each
// of TCodes, TSettings and TUserAgentsRaw is encrypted on a work copy, then
// decrypted again, with the production passes (fixed waits skipped).
//
// Beside each pass, the bare SQLCipher floor for the same rows: the file
// copied, every row of the three tables read, and each row updated to the
// values the pass wrote, one UPDATE by its rowid (an indexed key) at a time,
// in one transaction, then checkpointed into the file. The floor does no
// cryptography; the ratio is how far the pass is from the storage work.
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
#include "db/query.h"
#include "protect/cipher.h"

using namespace mt;
using namespace mt::bench;

namespace {

struct TableUpdate {
  const char* table;
  const char* columns;  // the protected columns, in order
  int count;
};
const TableUpdate kTables[] = {
    {"TCodes", "ValText, Description, Tag", 3},
    {"TSettings", "Val1, Val2, Val3, Alias", 4},
    {"TUserAgentsRaw", "UA", 1},
};

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

using Rows = std::vector<std::vector<QString>>;

// Every row of the three tables (rowid and protected columns), in rowid order.
Rows ReadRows(const QString& path) {
  sqlite3* db = BareOpen(path, DatabasePassword());
  Rows rows;
  for (const TableUpdate& t : kTables) {
    const QByteArray sql = QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid").arg(t.columns, t.table).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) BareFailed(db, sql.constData());
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<QString> row{QString::fromLatin1(t.table)};
      for (int c = 0; c <= t.count; ++c)
        row.push_back(sqlite3_column_type(stmt, c) == SQLITE_NULL
                          ? QStringLiteral("\\N")
                          : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c))));
      rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
  }
  BareExec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
  sqlite3_close(db);
  return rows;
}

// The floor: copy, read every row, write the pass's values back by rowid.
Timing Floor(const QString& input, const QString& work, const Rows& target) {
  QFile::remove(work);
  Stopwatch watch;
  if (!QFile::copy(input, work)) BareFailed(nullptr, "copy");
  sqlite3* db = BareOpen(work, DatabasePassword());
  for (const TableUpdate& t : kTables)
    BareStep(db, QStringLiteral("SELECT * FROM %1").arg(QString::fromLatin1(t.table)).toUtf8());
  BareExec(db, QStringLiteral("BEGIN"));
  std::vector<std::pair<QString, sqlite3_stmt*>> updates;
  for (const TableUpdate& t : kTables) {
    QString set;
    const QStringList columns = QString::fromLatin1(t.columns).split(QStringLiteral(", "));
    for (int c = 0; c < columns.size(); ++c) set += QStringLiteral("%1%2 = ?%3").arg(c ? ", " : "", columns[c]).arg(c + 1);
    const QByteArray sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3").arg(t.table, set).arg(columns.size() + 1).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) BareFailed(db, sql.constData());
    updates.push_back({QString::fromLatin1(t.table), stmt});
  }
  for (const auto& row : target) {
    sqlite3_stmt* stmt = nullptr;
    for (const auto& [table, s] : updates)
      if (table == row[0]) stmt = s;
    const int n = int(row.size()) - 2;
    for (int c = 0; c < n; ++c) {
      const QByteArray v = row[size_t(c) + 2].toUtf8();
      if (v == "\\N") sqlite3_bind_null(stmt, c + 1);
      else sqlite3_bind_text(stmt, c + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    sqlite3_bind_int64(stmt, n + 1, row[1].toLongLong());
    if (sqlite3_step(stmt) != SQLITE_DONE) BareFailed(db, "update");
    sqlite3_reset(stmt);
  }
  for (const auto& u : updates) sqlite3_finalize(u.second);
  BareExec(db, QStringLiteral("COMMIT"));
  BareExec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
  BareExec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
  sqlite3_close(db);
  return watch.Stop();
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
        KeepBest(floor[p], Floor(p == 0 ? plain : encrypted, dir.filePath(QStringLiteral("floor.mdb")), result[p]),
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
