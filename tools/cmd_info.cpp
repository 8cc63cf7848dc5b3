// marrowtide-db info FILE: what a person looking after a database wants to
// know first, one fact a line, tab-separated:
//
//   version    VERSION      the stored schema version (decrypted when stored
//                           encrypted; 1 when the row is missing or Null)
//   encrypted  yes|no       whether the protected values are encrypted (IsDBEn)
//   table      NAME  ROWS   every table in name order with its row count
#include <QTextStream>

#include "db/engine/engine.h"
#include "db/engine/schema_listing.h"
#include "protect/cipher.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

// Val1 of a settings row, or def when the row (or, in an imported file, the
// settings table) is missing or Null.
QString Setting(Connection& connection, const QString& id, const QString& def) {
  if (!connection.GetCatalog().HasTable(QStringLiteral("TSettings"))) return def;
  auto rs = connection.OpenRecordset(
      QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE '") + id + QLatin1Char('\''),
      CursorType::Static, LockType::ReadOnly);
  QString value = def;
  if (!rs->Eof()) {
    const QVariant v = rs->Value(0);
    if (v.isValid() && !v.isNull()) value = v.toString();
  }
  rs->Close();
  return value;
}

QString Version(Connection& connection) {
  const QString stored = Setting(connection, QStringLiteral("DBVersion"), QStringLiteral("1"));
  bool numeric = false;
  stored.trimmed().toDouble(&numeric);
  return numeric ? stored : DBDecryptValue(stored);
}

qint64 RowCount(Connection& connection, const QString& table) {
  auto rs = connection.OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM [") + table + QLatin1Char(']'),
                                     CursorType::Static, LockType::ReadOnly);
  const qint64 count = rs->Eof() ? 0 : rs->Value(0).toLongLong();
  rs->Close();
  return count;
}

int RunInfo(const QStringList& args) {
  if (args.size() != 1) {
    QTextStream(stderr) << "usage: marrowtide-db info FILE\n";
    return kUsage;
  }
  return WithDatabase(args[0], [](Connection& connection, QTextStream& out) {
    out << "version\t" << Version(connection) << '\n';
    const bool encrypted =
        Setting(connection, QStringLiteral("IsDBEn"), QStringLiteral("0")) != QLatin1String("0");
    out << "encrypted\t" << (encrypted ? "yes" : "no") << '\n';
    for (const QString& line : engine::ListSchema(connection)) {
      if (!line.startsWith(QLatin1String("table\t"))) continue;
      const QString name = line.mid(6);
      out << "table\t" << name << '\t' << RowCount(connection, name) << '\n';
    }
  });
}

const ToolCommand kInfo("info", "info FILE", RunInfo);

}  // namespace
}  // namespace mt::tool
