// marrowtide-db info FILE: what a person looking after a database wants to
// know first, one fact a line, tab-separated:
//
//   version    VERSION      the stored schema version as the upgrade run reads
//                           it (decrypted when stored encrypted; 1 when the
//                           row, its value or TSettings is missing); the stored
//                           text itself when it does not read as a version
//   pending    N            the versions the upgrade would apply: up to the
//                           latest, as far as each has a script or a code
//                           migration (0 at the latest or beyond, or when
//                           the version is unreadable)
//   note       TEXT         when the run cannot bring the database to the
//                           latest version, or applies nothing to it: why
//   encrypted  yes|no       whether the protected values are encrypted (IsDBEn)
//   table      NAME  ROWS   every table in name order with its row count
#include <QTextStream>
#include <algorithm>

#include "app/globals.h"
#include "db/engine.h"
#include "db/store/schema_listing.h"
#include "tools/command.h"
#include "upgrade/upgrade_engine.h"

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
    const upgrade::PendingUpgrade pending = upgrade::PendingVersions(version);
    out << "version\t" << version << '\n';
    out << "pending\t" << pending.versions << '\n';
    if (!pending.why.isEmpty()) out << "note\t" << pending.why << '\n';
  } catch (const DbError& e) {
    const QString stored = Setting(connection, QStringLiteral("DBVersion"), 1).toString();
    out << "version\t" << engine::EscapeField(stored) << '\n';
    out << "pending\t0\n";
    out << "note\tthe stored version does not read as a version (" << engine::EscapeField(e.description())
        << "): the upgrade applies nothing and the run ends with status 2\n";
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
  }, /*readOnly=*/true);
}

const ToolCommand kInfo("info", "info FILE",
                        "schema version, pending versions, encrypted flag, tables with row counts",
                        RunInfo, Access::Reads);

}  // namespace
}  // namespace mt::tool
