// marrowtide-db info FILE: what a person looking after a database wants to
// know first, one fact a line, tab-separated:
//
//   version    VERSION      the stored schema version as the upgrade run reads
//                           it (decrypted when stored encrypted; 1 when the
//                           row, its value or TSettings is missing); the stored
//                           text itself when it does not read as a version
//   pending    N            the versions the upgrade would apply (0 when the
//                           version is the latest or beyond, or unreadable:
//                           the run then applies nothing)
//   encrypted  yes|no       whether the protected values are encrypted (IsDBEn)
//   table      NAME  ROWS   every table in name order with its row count
#include <QTextStream>
#include <algorithm>

#include "app/globals.h"
#include "db/engine.h"
#include "db/store/schema_listing.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

qint64 RowCount(Connection& connection, const QString& table) {
  auto rs = connection.OpenRecordset(QStringLiteral("SELECT COUNT(*) FROM [") + table + QLatin1Char(']'),
                                     CursorType::Static, LockType::ReadOnly);
  const qint64 count = rs->Eof() ? 0 : rs->Value(0).toLongLong();
  rs->Close();
  return count;
}

void PrintVersion(Connection& connection, QTextStream& out) {
  try {
    const int32_t version = StoredVersion(connection);
    out << "version\t" << version << '\n';
    out << "pending\t" << std::max(0, LatestDBVersion - version) << '\n';
  } catch (const DbError&) {
    const QString stored = Setting(connection, QStringLiteral("DBVersion"), 1).toString();
    out << "version\t" << engine::EscapeField(stored) << '\n';
    out << "pending\t0\n";
  }
}

int RunInfo(const QStringList& args) {
  if (args.size() != 1) return UsageOf(QStringLiteral("info"));
  return WithDatabase(args[0], [](Connection& connection, QTextStream& out) {
    PrintVersion(connection, out);
    const bool encrypted =
        Setting(connection, QStringLiteral("IsDBEn"), QStringLiteral("0")).toString() !=
        QLatin1String("0");
    out << "encrypted\t" << (encrypted ? "yes" : "no") << '\n';
    for (const QString& line : engine::ListSchema(connection)) {
      if (!line.startsWith(QLatin1String("table\t"))) continue;
      const QString name = line.mid(6);
      out << "table\t" << name << '\t' << RowCount(connection, name) << '\n';
    }
  });
}

const ToolCommand kInfo("info", "info FILE",
                        "schema version, pending versions, encrypted flag, tables with row counts",
                        RunInfo);

}  // namespace
}  // namespace mt::tool
