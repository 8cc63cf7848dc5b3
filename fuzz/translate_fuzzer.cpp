// Fuzzes the Jet-dialect translator with arbitrary statement texts.
//
// What must hold for every input:
//  - Translate() answers with a command or throws DbError(kSyntax) with a
//    description; any other exception, a crash or undefined behaviour is a
//    finding.
//  - SQL that it emits parses in SQLite (a SQLite syntax error means the
//    translator accepted a statement it cannot express), and so does the
//    storage layer's declaration of a table it defines (or the storage layer
//    rejects the model with a syntax error).
//  - Emitted SQL runs against an in-memory database holding the tables of
//    the current schema, with the Jet functions installed, without crashing
//    those functions; every change is rolled back after the input.
#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "db/engine.h"
#include "db/jetsql/sqlite_emitter.h"
#include "db/store/table_sql.h"
#include "db/jetsql/translator.h"

namespace {

using namespace mt;
using namespace mt::engine;

sqlite3* g_db = nullptr;
QHash<QString, QStringList> g_columns;  // lower-case table name -> columns

[[noreturn]] void Fail(const char* what, const QString& input, const QString& detail) {
  std::fprintf(stderr, "FINDING: %s\n  input: %s\n  detail: %s\n", what, input.toUtf8().constData(),
               detail.toUtf8().constData());
  std::abort();
}

// The tables of the reference schema, every column without a declared type,
// so that statements of the scripts find the names they use.
void LoadSchema() {
  QFile f(QStringLiteral(MT_SOURCE_DIR "/tests/schema/reference_405.tsv"));
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read the reference schema\n");
    std::abort();
  }
  QHash<QString, QStringList> order;
  QStringList tables;
  for (const QByteArray& raw : f.readAll().split('\n')) {
    const QStringList cells = QString::fromUtf8(raw).split(u'\t');
    if (cells.size() >= 2 && cells[0] == u"table") tables << cells[1];
    if (cells.size() >= 3 && cells[0] == u"column") order[cells[1]] << cells[2];
  }
  for (const QString& t : tables) {
    QString sql = QStringLiteral("CREATE TABLE ") + QuoteSqlIdentifier(t) + QStringLiteral(" (");
    sql += QStringLiteral("[_rid] INTEGER PRIMARY KEY");
    for (const QString& c : order[t]) sql += QStringLiteral(", ") + QuoteSqlIdentifier(c);
    sql += u')';
    if (sqlite3_exec(g_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      std::fprintf(stderr, "schema: %s\n", sqlite3_errmsg(g_db));
      std::abort();
    }
    g_columns.insert(t.toLower(), order[t]);
  }
  // A few rows so that functions see values and not only empty tables.
  sqlite3_exec(g_db,
               "INSERT INTO TSettings (ID, Val1, Val2) VALUES ('DBVersion', '300', NULL), "
               "('IsDBEn', '0', ''), ('x', 'a%b', '1.5');"
               "INSERT INTO TCodes (Code, Val, ValText) VALUES ('A', 1, 'one'), ('B', -2, NULL);",
               nullptr, nullptr, nullptr);
}

// Bounds the work of one statement: a statement that loops or builds huge
// results is interrupted, which is not a finding.
int Progress(void* counter) { return ++*static_cast<int*>(counter) > 2000 ? 1 : 0; }

bool IsSyntaxError(const QString& message) {
  return message.contains(QStringLiteral("syntax error")) ||
         message.contains(QStringLiteral("unrecognized token")) ||
         message.contains(QStringLiteral("incomplete input"));
}

void PrepareAndRun(const QString& input, const QString& sql, bool run) {
  sqlite3_stmt* stmt = nullptr;
  const QByteArray utf8 = sql.toUtf8();
  if (sqlite3_prepare_v2(g_db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
    const QString error = QString::fromUtf8(sqlite3_errmsg(g_db));
    if (IsSyntaxError(error)) Fail("emitted SQL does not parse", input, sql + QStringLiteral("\n  ") + error);
    return;
  }
  if (run && stmt) {
    int ops = 0;
    sqlite3_progress_handler(g_db, 1000, Progress, &ops);
    for (int rows = 0; rows < 200 && sqlite3_step(stmt) == SQLITE_ROW; ++rows) {
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) sqlite3_column_text(stmt, i);
    }
    sqlite3_progress_handler(g_db, 0, nullptr, nullptr);
  }
  sqlite3_finalize(stmt);
}

std::optional<QStringList> ColumnsOfTable(const QString& table) {
  const auto it = g_columns.constFind(table.toLower());
  if (it == g_columns.constEnd()) return std::nullopt;
  return *it;
}

// The table the storage layer declares for a parsed definition: either it
// rejects the model with a syntax error, or its SQL parses.
void DeclareTable(const QString& input, const TableDef& table) {
  QString sql;
  try {
    ValidateTable(table);
    sql = CreateTableSql(table, QStringLiteral("fuzz_t"));
  } catch (const DbError& e) {
    if (e.code() != dberr::kSyntax) Fail("table model refused with a code other than kSyntax", input, e.description());
    return;
  }
  PrepareAndRun(input, sql, false);
}

TableDef TableOf(const ColumnDef& column) {
  TableDef t;
  t.name = QStringLiteral("fuzz_t");
  t.columns.push_back(column);
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (sqlite3_open(":memory:", &g_db) != SQLITE_OK) std::abort();
  // Keep values small: a statement asking for a gigabyte string fails in
  // SQLite instead of exhausting the fuzzer's memory.
  sqlite3_limit(g_db, SQLITE_LIMIT_LENGTH, 1 << 20);
  RegisterJetFunctions(g_db);
  LoadSchema();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 8192) return -1;
  const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

  Command command;
  try {
    command = Translate(input);
  } catch (const DbError& e) {
    if (e.code() != dberr::kSyntax) Fail("translator failed with a code other than kSyntax", input, e.description());
    if (e.description().isEmpty()) Fail("syntax error without a description", input, {});
    return 0;
  }

  if (const auto* st = std::get_if<SqlStatement>(&command)) {
    if (st->sql.isEmpty()) Fail("empty SQL for an accepted statement", input, {});
    sqlite3_exec(g_db, "SAVEPOINT fuzz", nullptr, nullptr, nullptr);
    PrepareAndRun(input, st->sql, true);
    sqlite3_exec(g_db, "ROLLBACK TO fuzz; RELEASE fuzz", nullptr, nullptr, nullptr);
    if (st->returnsRows) {
      // The same text as a stored query, with names that no table has
      // turning into parameters.
      try {
        const SqlStatement q = TranslateQuery(input, ColumnsOfTable);
        PrepareAndRun(input, q.sql, false);
      } catch (const DbError& e) {
        if (e.code() != dberr::kSyntax) Fail("query translation failed with a code other than kSyntax", input, e.description());
      }
    }
  } else if (const auto* create = std::get_if<CreateTable>(&command)) {
    DeclareTable(input, create->table);
  } else if (const auto* add = std::get_if<AddColumn>(&command)) {
    DeclareTable(input, TableOf(add->column));
  } else if (const auto* alter = std::get_if<AlterColumn>(&command)) {
    DeclareTable(input, TableOf(alter->column));
  }
  return 0;
}
