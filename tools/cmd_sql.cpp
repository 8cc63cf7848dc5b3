// marrowtide-db sql FILE [--csv|--json] STATEMENT: one Jet-dialect statement
// through the engine. A row-returning statement prints a header line and one
// line a row, tab-separated with the escapes of db/store/result_text.h, or
// CSV (RFC 4180) or a JSON array with the option; any other statement prints
// the number of records it affected.
#include <QTextStream>
#include <variant>

#include "db/engine.h"
#include "db/store/result_text.h"
#include "db/jetsql/translator.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

enum class Format { Lines, Csv, Json };

// A row-returning statement only reads: it shares the file with other
// readers and opens it read-only; any other statement holds it alone.
bool OnlyReads(const QString& statement) {
  try {
    const engine::Command command = engine::Translate(statement);
    const auto* sql = std::get_if<engine::SqlStatement>(&command);
    return sql && sql->returnsRows;
  } catch (const DbError&) {
    return false;  // the engine reports it, under the lock
  }
}

int RunSql(QStringList args) {
  Format format = Format::Lines;
  if (args.size() == 3 && args[1].startsWith(QLatin1String("--"))) {
    if (args[1] == QLatin1String("--csv")) format = Format::Csv;
    else if (args[1] == QLatin1String("--json")) format = Format::Json;
    else return UsageOf(QStringLiteral("sql"), QStringLiteral("unknown option '%1'").arg(args[1]));
    args.removeAt(1);
  }
  if (args.size() != 2) return UsageOf(QStringLiteral("sql"));
  const QString& statement = args[1];
  const bool reads = OnlyReads(statement);
  const DatabaseLockHold hold(args[0], reads ? Access::Reads : Access::Writes);
  if (hold.status() != kOk) return hold.status();
  return WithDatabase(
      args[0],
      [&](Connection& connection, QTextStream& out) {
        if (reads) {
          auto rs = connection.OpenRecordset(statement, CursorType::Static, LockType::ReadOnly);
          if (format == Format::Csv) out << engine::RecordsetCsv(*rs);
          else if (format == Format::Json) out << engine::RecordsetJson(*rs);
          else for (const QString& line : engine::RecordsetLines(*rs)) out << line << '\n';
          rs->Close();
        } else {
          out << connection.Execute(statement) << '\n';
        }
      },
      reads);
}

const ToolCommand kSql("sql", "sql FILE [--csv|--json] STATEMENT", "one Jet-dialect statement through the engine",
                       RunSql, Access::OwnChoice);

}  // namespace
}  // namespace mt::tool
