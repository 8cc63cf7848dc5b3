// Helpers of the schema tests: the embedded scripts as text and as the
// statements the engine dispatches, the schema listing of a database file
// (the marrowtide-db schema lines), running the tool, and a comparison of
// two listings that reports what differs.
#pragma once

#include <QFile>
#include <QMap>
#include <QProcess>
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

inline QString ToolPath() { return QStringLiteral(MT_BINARY_DIR "/marrowtide-db"); }

// Runs a marrowtide-db command; returns its standard output, or fails the test.
inline QString RunTool(const QStringList& args, int* exitCode = nullptr, QString* err = nullptr) {
  QProcess p;
  p.start(ToolPath(), args);
  if (!p.waitForFinished(120000)) {
    ADD_FAILURE() << "marrowtide-db did not finish (is it built? " << ToolPath().toStdString() << ")";
    return {};
  }
  if (exitCode) *exitCode = p.exitCode();
  if (err) *err = QString::fromUtf8(p.readAllStandardError());
  return QString::fromUtf8(p.readAllStandardOutput());
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
  QFile f(QStringLiteral(MT_SOURCE_DIR "/tests/schema/reference_405.tsv"));
  if (!f.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot read reference_405.tsv";
    return {};
  }
  QStringList lines;
  for (const QString& l : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
    if (!l.isEmpty() && !l.startsWith(QLatin1Char('#'))) lines << l;
  }
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
  for (auto it = expected.columns.begin(); it != expected.columns.end(); ++it) {
    const QStringList& want = it.value();
    const QStringList got = actual.columns.value(it.key());
    if (want == got) continue;
    int i = 0;
    while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
    ADD_FAILURE() << "columns of " << it.key().toStdString() << " differ at position " << i
                  << "\n  expected: " << (i < want.size() ? want[i].toStdString() : "(end)")
                  << "\n  actual:   " << (i < got.size() ? got[i].toStdString() : "(end)")
                  << Diff(QSet<QString>(want.begin(), want.end()), QSet<QString>(got.begin(), got.end()));
  }
  for (auto it = actual.columns.begin(); it != actual.columns.end(); ++it) {
    EXPECT_TRUE(expected.columns.contains(it.key())) << "columns of an unexpected table " << it.key().toStdString();
  }
  EXPECT_EQ(expected.keys, actual.keys) << Diff(expected.keys, actual.keys);
  EXPECT_EQ(expected.queries, actual.queries) << Diff(expected.queries, actual.queries);
  const QSet<QString> missing = expected.descriptions - actual.descriptions;
  EXPECT_TRUE(missing.isEmpty()) << Diff(missing, {});
}

}  // namespace mt::schematest
