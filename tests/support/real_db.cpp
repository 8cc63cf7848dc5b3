#include "support/real_db.h"

#include <gtest/gtest.h>

#include <QFile>

#include "db/engine.h"
#include "db/query.h"

namespace mt::test {
namespace {

void Run(Connection& c, const QStringList& statements) {
  for (const QString& sql : statements) {
    try {
      c.Execute(sql);
    } catch (const DbError& e) {
      ADD_FAILURE() << sql.toStdString() << ": " << e.description().toStdString();
    }
  }
  c.Close();
}

}  // namespace

void CreateDatabase(const QString& path, const QStringList& statements) {
  auto c = DefaultEngine().Create(path, DatabasePassword());
  Run(*c, statements);
}

void ExecuteOn(const QString& path, const QStringList& statements) {
  auto c = DefaultEngine().Open(path, DatabasePassword());
  Run(*c, statements);
}

std::vector<QVariantList> Rows(const QString& path, const QString& sql) {
  std::vector<QVariantList> rows;
  try {
    auto c = DefaultEngine().Open(path, DatabasePassword());
    auto rs = c->OpenRecordset(sql, CursorType::Static, LockType::ReadOnly);
    for (; !rs->Eof(); rs->MoveNext()) {
      QVariantList row;
      for (int i = 0; i < rs->FieldCount(); ++i) row << rs->Value(i);
      rows.push_back(row);
    }
    rs->Close();
    rs.reset();
    c->Close();
  } catch (const DbError& e) {
    ADD_FAILURE() << sql.toStdString() << ": " << e.description().toStdString();
  }
  return rows;
}

QVariantList Column(const QString& path, const QString& sql) {
  QVariantList values;
  for (const QVariantList& row : Rows(path, sql)) values << row.value(0);
  return values;
}

QStringList Texts(const QString& path, const QString& sql) {
  QStringList texts;
  for (const QVariant& v : Column(path, sql)) texts << v.toString();
  return texts;
}

QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}

}  // namespace mt::test
