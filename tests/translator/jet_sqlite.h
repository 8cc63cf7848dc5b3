// An in-memory SQLite database that runs Jet statements through the
// translator: CREATE TABLE makes the table the storage layer would make,
// data statements run as translated.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

#include "db/engine.h"
#include "db/store/table_sql.h"
#include "db/jetsql/translator.h"
#include "support/failure_code.h"

namespace mt::test {

class JetSqlite {
 public:
  JetSqlite() {
    EXPECT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
    engine::RegisterJetFunctions(db_);
  }
  ~JetSqlite() { sqlite3_close(db_); }
  JetSqlite(const JetSqlite&) = delete;
  JetSqlite& operator=(const JetSqlite&) = delete;

  // Runs one Jet statement; returns the rows it yields (none for others).
  std::vector<QVariantList> Run(const QString& jet) {
    engine::Command c = engine::Translate(jet);
    if (auto* create = std::get_if<engine::CreateTable>(&c)) {
      // Tables as the storage layer declares them.
      RunSql(engine::CreateTableSql(create->table, create->table.name));
      for (const QString& trigger : engine::BitTriggerSql(create->table)) RunSql(trigger);
      return {};
    }
    auto* st = std::get_if<engine::SqlStatement>(&c);
    if (!st) throw DbError(dberr::kSyntax, QStringLiteral("not run by this harness: ") + jet);
    return RunSql(st->sql, st->values);
  }

  // The value of a Jet expression, evaluated by a SELECT without FROM.
  QVariant Eval(const QString& jetExpression) {
    std::vector<QVariantList> rows = Run(QStringLiteral("SELECT ") + jetExpression);
    EXPECT_TRUE(rows.size() == 1 && rows[0].size() == 1) << jetExpression.toStdString();
    return rows.empty() || rows[0].empty() ? QVariant() : rows[0][0];
  }

  // Runs SQLite's own SQL with the values bound to its parameters in order.
  std::vector<QVariantList> RunSql(const QString& sql, const QVariantList& values = {}) {
    sqlite3_stmt* stmt = Prepare(sql);
    for (int i = 0; i < values.size(); ++i) {
      if (values[i].typeId() == QMetaType::QString)
        sqlite3_bind_text(stmt, i + 1, values[i].toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
      else
        sqlite3_bind_int64(stmt, i + 1, values[i].toLongLong());
    }
    std::vector<QVariantList> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      QVariantList& row = rows.emplace_back();
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        const int type = sqlite3_column_type(stmt, i);
        row.append(type == SQLITE_NULL      ? QVariant()
                   : type == SQLITE_INTEGER ? QVariant(qlonglong(sqlite3_column_int64(stmt, i)))
                   : type == SQLITE_FLOAT   ? QVariant(sqlite3_column_double(stmt, i))
                                            : QVariant(QString::fromUtf8(
                                                  reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)))));
      }
    }
    const QString error = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) throw DbError(dberr::kSyntax, error);
    return rows;
  }

  // A prepared statement for SQLite's own SQL; the caller finalizes it.
  sqlite3_stmt* Prepare(const QString& sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
      throw DbError(dberr::kSyntax, QString::fromUtf8(sqlite3_errmsg(db_)) + QStringLiteral(" in ") + sql);
    return stmt;
  }

 private:
  sqlite3* db_ = nullptr;
};

// The error a statement raises in the translator; empty when it translates.
inline QString TranslateError(const QString& jet) {
  return FailureDescription([&] { engine::Translate(jet); });
}

}  // namespace mt::test
