#include "db/store/schema_listing.h"

#include "db/store/sqlcipher_connection.h"

namespace mt::engine {
namespace {

QString Line(std::initializer_list<QString> fields) {
  QStringList escaped;
  for (const QString& f : fields) escaped << EscapeField(f);
  return escaped.join(QLatin1Char('\t'));
}

}  // namespace

QString EscapeField(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    switch (c.unicode()) {
      case '\\': out += QLatin1String("\\\\"); break;
      case '\t': out += QLatin1String("\\t"); break;
      case '\n': out += QLatin1String("\\n"); break;
      case '\r': out += QLatin1String("\\r"); break;
      default:
        // Any other control character (C0, DEL, C1) as \xHH: text never drives a terminal.
        if (c.category() == QChar::Other_Control) {
          out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
          out += c;
        }
    }
  }
  return out;
}

QStringList ListSchema(Connection& connection) {
  auto* own = dynamic_cast<SqlCipherConnection*>(&connection);
  if (!own) throw DbError(dberr::kInvalidArg, QStringLiteral("The schema listing needs a connection of the SQLCipher engine."));
  if (!own->IsOpen()) throw DbError(dberr::kClosed, QStringLiteral("The connection is closed."));
  CatalogStore& catalog = own->state().catalog;

  QStringList lines;
  for (const QString& name : catalog.TableNames()) {
    const TableInfo* found = catalog.FindTable(name);
    if (!found) continue;
    const TableInfo info = *found;
    const QString& table = info.def.name;
    lines << Line({QStringLiteral("table"), table});
    for (const ColumnDef& c : info.def.columns)
      lines << Line({QStringLiteral("column"), table, c.name, JetTypeName(c),
                     c.notNull ? QStringLiteral("NOT NULL") : QString(),
                     c.defaultValue ? c.defaultValue->jetText : QString()});
    for (const KeyDef& k : info.def.keys)
      lines << Line({QStringLiteral("key"), table, k.name,
                     k.kind == KeyKind::PrimaryKey ? QStringLiteral("PRIMARY") : QStringLiteral("UNIQUE"),
                     k.columns.join(QLatin1Char(','))});
    for (size_t i = 0; i < info.def.columns.size(); ++i)
      if (i < info.descriptions.size() && !info.descriptions[i].isEmpty())
        lines << Line({QStringLiteral("description"), table, info.def.columns[i].name, info.descriptions[i]});
  }
  for (const NamedQuery& q : catalog.Queries())
    lines << Line({q.kind == QueryKind::View ? QStringLiteral("view") : QStringLiteral("procedure"), q.name});
  return lines;
}

}  // namespace mt::engine
