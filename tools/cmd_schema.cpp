// marrowtide-db schema FILE [TABLE] [--sql]: the catalogue of a database, one
// fact a line (format in db/store/schema_listing.h), or only the facts of one
// table or named query. With --sql the same schema as Jet statements, one a
// line: CREATE TABLE with its columns and keys, the column descriptions in
// the upgrade scripts' SetColumnDescription form, CREATE VIEW and CREATE
// PROCEDURE with their stored text on one line.
#include <QRegularExpression>
#include <QTextStream>
#include <map>

#include "db/engine.h"
#include "db/store/schema_listing.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

QString Field(const QString& line, int index) { return line.section(QLatin1Char('\t'), index, index); }

// A listing field back to its text (the listing escapes \\, \t, \n, \r, \xHH).
QString Unescape(const QString& field) {
  QString out;
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] != QLatin1Char('\\') || i + 1 == field.size()) {
      out += field[i];
      continue;
    }
    const QChar next = field[++i];
    if (next == QLatin1Char('t')) out += QLatin1Char('\t');
    else if (next == QLatin1Char('n')) out += QLatin1Char('\n');
    else if (next == QLatin1Char('r')) out += QLatin1Char('\r');
    else if (next == QLatin1Char('x') && i + 2 < field.size() + 0) {
      out += QChar(field.mid(i + 1, 2).toUShort(nullptr, 16));
      i += 2;
    } else out += next;
  }
  return out;
}

QString Bracketed(const QString& name) { return QLatin1Char('[') + name + QLatin1Char(']'); }

QString OneLine(QString sql) {
  static const QRegularExpression space(QStringLiteral("\\s+"));
  return sql.replace(space, QStringLiteral(" ")).trimmed();
}

QStringList SchemaStatements(Connection& connection, const QStringList& listing) {
  QStringList out;
  std::map<QString, QStringList> columns, keys, descriptions;
  QStringList tables;
  for (const QString& line : listing) {
    const QString kind = Field(line, 0), table = Unescape(Field(line, 1));
    if (kind == QLatin1String("table")) tables << table;
    if (kind == QLatin1String("column")) {
      QString column = Bracketed(Unescape(Field(line, 2))) + QLatin1Char(' ') + Field(line, 3);
      if (!Field(line, 4).isEmpty()) column += QStringLiteral(" NOT NULL");
      if (!Field(line, 5).isEmpty()) column += QStringLiteral(" DEFAULT ") + Unescape(Field(line, 5));
      columns[table] << column;
    }
    if (kind == QLatin1String("key")) {
      QStringList cols;
      for (const QString& c : Unescape(Field(line, 4)).split(QLatin1Char(','))) cols << Bracketed(c);
      keys[table] << QStringLiteral("CONSTRAINT %1 %2 (%3)")
                         .arg(Bracketed(Unescape(Field(line, 2))),
                              Field(line, 3) == QLatin1String("PRIMARY") ? QStringLiteral("PRIMARY KEY")
                                                                         : QStringLiteral("UNIQUE"),
                              cols.join(QStringLiteral(", ")));
    }
    if (kind == QLatin1String("description"))
      descriptions[table] << Unescape(Field(line, 2)) + QStringLiteral(" = \"") +
                                 OneLine(Unescape(Field(line, 3))).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                                 QLatin1Char('"');
  }
  for (const QString& table : tables) {
    out << QStringLiteral("CREATE TABLE %1 (%2)").arg(Bracketed(table), (columns[table] + keys[table]).join(QStringLiteral(", ")));
    if (!descriptions[table].isEmpty())
      out << QStringLiteral("SetColumnDescription %1 %2").arg(table, descriptions[table].join(QStringLiteral(" ,")));
  }
  QStringList queries;
  for (const QString& line : listing)
    if (line.startsWith(QLatin1String("view\t")) || line.startsWith(QLatin1String("procedure\t")))
      queries << Unescape(Field(line, 1));
  if (queries.isEmpty()) return out;
  auto rs = connection.OpenRecordset(QStringLiteral("SELECT name, kind, jet_sql FROM _mt_queries ORDER BY name"),
                                     CursorType::Static, LockType::ReadOnly);
  for (; !rs->Eof(); rs->MoveNext()) {
    const QString name = rs->Value(0).toString();
    if (!queries.contains(name, Qt::CaseInsensitive)) continue;
    out << QStringLiteral("CREATE %1 %2 AS %3")
               .arg(rs->Value(1).toString() == QLatin1String("view") ? QStringLiteral("VIEW") : QStringLiteral("PROCEDURE"),
                    Bracketed(name), OneLine(rs->Value(2).toString()));
  }
  rs->Close();
  return out;
}

int RunSchema(QStringList args) {
  const bool asSql = args.removeAll(QStringLiteral("--sql")) > 0;
  if (args.size() != 1 && args.size() != 2) return UsageOf(QStringLiteral("schema"));
  const QString only = args.value(1);
  return WithDatabase(args[0], [&](Connection& connection, QTextStream& out) {
    QStringList listing = engine::ListSchema(connection);
    if (!only.isEmpty()) {
      QStringList mine;
      for (const QString& line : listing)
        if (Unescape(Field(line, 1)).compare(only, Qt::CaseInsensitive) == 0) mine << line;
      if (mine.isEmpty())
        throw DbError(dberr::kNotFound, QStringLiteral("no table, view or procedure '%1' in %2").arg(only, args[0]));
      listing = mine;
    }
    for (const QString& line : asSql ? SchemaStatements(connection, listing) : listing) out << line << '\n';
  }, /*readOnly=*/true);
}

const ToolCommand kSchema("schema", "schema FILE [TABLE] [--sql]",
                          "the catalogue, one fact a line (--sql: as Jet statements)", RunSchema,
                          Access::Reads);

}  // namespace
}  // namespace mt::tool
