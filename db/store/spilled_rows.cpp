#include "db/store/spilled_rows.h"

#include <sqlite3.h>

#include <QRandomGenerator>

namespace mt::engine {

SpilledRows::SpilledRows(int columns) : columns_(columns) {
  db_.OpenHandle(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  // An attached database without a name is a temporary file, on disk when
  // temporary storage is (this build keeps it in memory otherwise), and the
  // key makes SQLCipher encrypt its pages: the rows may be protected values.
  quint32 key[8];
  QRandomGenerator::system()->fillRange(key);
  const QByteArray hex = QByteArray(reinterpret_cast<const char*>(key), sizeof key).toHex();
  db_.Exec(QStringLiteral("PRAGMA temp_store=FILE"));
  db_.Exec(QStringLiteral("ATTACH '' AS spill KEY \"x'%1'\"").arg(QString::fromLatin1(hex)));
  // Pages of 8 KB: SQLCipher's cost is mostly per page (its IV and HMAC),
  // and with 1 KB pages the rows cost twice the CPU to put away and read back.
  db_.Exec(QStringLiteral("PRAGMA spill.cipher_page_size=8192; PRAGMA spill.journal_mode=OFF; "
                          "PRAGMA spill.cache_size=-1024"));
  QString names, parameters;
  for (int i = 0; i < columns_; ++i) {
    names += QStringLiteral("%1c%2").arg(i ? QStringLiteral(", ") : QString()).arg(i);
    parameters += QStringLiteral("%1?%2").arg(i ? QStringLiteral(", ") : QString()).arg(i + 1);
  }
  // Columns without a type keep every value as it is given.
  db_.Exec(QStringLiteral("CREATE TABLE spill.rows (%1)").arg(names));
  db_.Exec(QStringLiteral("BEGIN"));
  insert_ = db_.Prepare(QStringLiteral("INSERT INTO spill.rows VALUES (%1)").arg(parameters));
}

void SpilledRows::Add(sqlite3_stmt* from) {
  for (int i = 0; i < columns_; ++i) {
    const int rc = sqlite3_bind_value(insert_.get(), i + 1, sqlite3_column_value(from, i));
    if (rc != SQLITE_OK) db_.Fail(rc);
  }
  insert_.Run();
  insert_.Reset();
}

bool SpilledRows::Next() {
  if (!read_) {
    insert_ = Stmt();
    db_.Exec(QStringLiteral("COMMIT"));
    read_ = db_.Prepare(QStringLiteral("SELECT * FROM spill.rows ORDER BY rowid"));
  }
  return read_.Step();
}

}  // namespace mt::engine
