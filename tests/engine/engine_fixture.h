// Shared set-up of the engine tests: a fresh keyed database in a temporary
// folder and short ways to run statements and read results back.
#pragma once

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include "db/engine.h"
#include "db/store/result_text.h"
#include "db/store/schema_listing.h"
#include "db/store/sqlcipher_engine.h"
#include "support/failure_code.h"
#include "support/real_db.h"

namespace mt::test {

inline const QString kPassword = QStringLiteral("sesame-열려라");

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    conn_ = engine_.Create(Path(), kPassword);
  }

  QString Path(const QString& name = QStringLiteral("db.mdb")) const { return dir_.filePath(name); }

  int32_t Exec(const QString& sql) { return conn_->Execute(sql); }

  // Every row of a query as its tool text, fields joined by '|'.
  QStringList Rows(const QString& sql) {
    auto rs = conn_->OpenRecordset(sql, CursorType::Static, LockType::ReadOnly);
    QStringList rows;
    for (; !rs->Eof(); rs->MoveNext()) {
      QStringList fields;
      for (int i = 0; i < rs->FieldCount(); ++i) fields << engine::FieldText(rs->Value(i));
      rows << fields.join(QLatin1Char('|'));
    }
    rs->Close();
    return rows;
  }

  QVariant Value(const QString& sql) {
    auto rs = conn_->OpenRecordset(sql, CursorType::Static, LockType::ReadOnly);
    return rs->Eof() ? QVariant() : rs->Value(0);
  }

  // The schema lines that concern one table (its table, column, key and
  // description lines).
  QStringList SchemaOf(const QString& table) {
    return engine::ListSchema(*conn_).filter(
        QRegularExpression(QStringLiteral("^\\w+\t%1(\t|$)").arg(QRegularExpression::escape(table))));
  }


  QTemporaryDir dir_;
  engine::SqlCipherEngine engine_;
  std::unique_ptr<Connection> conn_;
};

}  // namespace mt::test
