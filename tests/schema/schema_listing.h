// Helpers of the schema tests: the embedded scripts as text and as the
// statements the engine dispatches, the schema listing of a database file
// (the marrowtide-db schema lines), and a comparison of two listings that
// reports what differs.
#pragma once

#include <QFile>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include "db/engine/engine.h"
#include "db/engine/schema_listing.h"
#include "db/query.h"
#include "support/real_db.h"
#include "upgrade/statement_text.h"

namespace mt::schematest {

// The embedded script of a version, as stored (byte order mark included).
inline QByteArray ScriptBytes(int version) {
  return test::FileBytes(QStringLiteral(":/SQL/%1").arg(10000 + version));
}

// Its text without the byte order mark.
inline QString ScriptText(int version) {
  const QByteArray bytes = ScriptBytes(version);
  return QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
}

// The statements of a script as the engine dispatches them.
inline QStringList ScriptStatements(int version) {
  QStringList out;
  for (const QString& piece : upgrade::SplitScript(ScriptText(version))) {
    const QString s = upgrade::NormaliseStatement(piece);
    if (s.size() > upgrade::kMaxSkippedLength) out << s;
  }
  return out;
}

// The schema listing of a database file, through the default engine.
inline QStringList SchemaLines(const QString& dbPath) {
  try {
    auto conn = DefaultEngine().Open(dbPath, DatabasePassword());
    QStringList lines = engine::ListSchema(*conn);
    conn->Close();
    return lines;
  } catch (const DbError& e) {
    ADD_FAILURE() << "cannot list the schema: " << e.description().toStdString();
    return {};
  }
}

inline QStringList ReadReference() {
  QStringList lines;
  for (const QString& l : QString::fromUtf8(test::FileBytes(MT_SOURCE_DIR "/tests/schema/reference_405.tsv")).split('\n'))
    if (!l.isEmpty() && !l.startsWith(QLatin1Char('#'))) lines << l;
  EXPECT_FALSE(lines.isEmpty()) << "cannot read reference_405.tsv";
  return lines;
}

// A listing taken apart: the order of columns within a table matters, the
// order of tables, keys, named queries and descriptions does not.
struct Schema {
  QSet<QString> tables, keys, queries, descriptions;
  QMap<QString, QStringList> columns;  // table -> its column lines in order
};

inline Schema Parse(const QStringList& lines) {
  Schema s;
  for (const QString& l : lines) {
    const QStringList f = l.split(QLatin1Char('\t'));
    const QString& kind = f.first();
    if (kind == QLatin1String("table")) s.tables << l;
    else if (kind == QLatin1String("column") && f.size() > 1) s.columns[f[1]] << l;
    else if (kind == QLatin1String("key")) s.keys << l;
    else if (kind == QLatin1String("view") || kind == QLatin1String("procedure")) s.queries << l;
    else if (kind == QLatin1String("description")) s.descriptions << l;
    else ADD_FAILURE() << "unknown schema line: " << l.toStdString();
  }
  return s;
}

inline std::string Diff(const QSet<QString>& expected, const QSet<QString>& actual) {
  std::string out;
  for (const QString& l : expected - actual) out += "\n  missing: " + l.toStdString();
  for (const QString& l : actual - expected) out += "\n  extra:   " + l.toStdString();
  return out;
}

// Table, column, key and named-query lines equal; every description of the
// expected listing present in the actual one.
inline void ExpectSameSchema(const Schema& expected, const Schema& actual) {
  EXPECT_EQ(expected.tables, actual.tables) << Diff(expected.tables, actual.tables);
  for (const QString& table : QSet<QString>(expected.columns.keyBegin(), expected.columns.keyEnd()) +
                                  QSet<QString>(actual.columns.keyBegin(), actual.columns.keyEnd())) {
    const QStringList want = expected.columns.value(table), got = actual.columns.value(table);
    EXPECT_EQ(want, got) << "columns of " << table.toStdString()
                         << Diff(QSet<QString>(want.begin(), want.end()), QSet<QString>(got.begin(), got.end()));
  }
  EXPECT_EQ(expected.keys, actual.keys) << Diff(expected.keys, actual.keys);
  EXPECT_EQ(expected.queries, actual.queries) << Diff(expected.queries, actual.queries);
  const QSet<QString> missing = expected.descriptions - actual.descriptions;
  EXPECT_TRUE(missing.isEmpty()) << Diff(missing, {});
}

}  // namespace mt::schematest
