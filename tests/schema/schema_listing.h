// Helpers of the schema tests: the embedded scripts as text and as the
// statements the engine dispatches, the schema listing of a database file
// (the marrowtide-db schema lines), and a comparison of two listings that
// reports what differs.
#pragma once

#include <QFile>
#include <algorithm>
#include <QStringList>
#include <gtest/gtest.h>

#include "db/engine.h"
#include "db/store/schema_listing.h"
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

// Table, column, key and named-query lines equal, the columns of a table in
// their order (the order of tables, keys and queries does not matter); every
// description of the expected listing present in the actual one.
inline void ExpectSameSchema(const QStringList& expected, const QStringList& actual) {
  const auto ordered = [](const QStringList& lines, bool descriptions) {
    QStringList out;
    for (const QString& l : lines)
      if (l.startsWith(QLatin1String("description\t")) == descriptions) out << l;
    std::stable_sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
      const auto key = [](const QString& l) {
        return std::pair(l.section(QLatin1Char('\t'), 1, 1), l.startsWith(QLatin1String("column\t")) ? QString() : l);
      };
      return key(a) < key(b);
    });
    return out;
  };
  const QStringList want = ordered(expected, false), got = ordered(actual, false);
  std::string diff;
  for (const QString& l : want)
    if (!got.contains(l)) diff += "\n  missing: " + l.toStdString();
  for (const QString& l : got)
    if (!want.contains(l)) diff += "\n  extra:   " + l.toStdString();
  EXPECT_TRUE(want == got) << diff;
  for (const QString& l : ordered(expected, true)) EXPECT_TRUE(actual.contains(l)) << "missing: " << l.toStdString();
}

}  // namespace mt::schematest
