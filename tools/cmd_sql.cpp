// marrowtide-db sql FILE STATEMENT: one Jet-dialect statement through the
// engine. A row-returning statement prints a header line and one line a row;
// any other statement prints the number of records it affected.
#include <QTextStream>
#include <variant>

#include "db/engine.h"
#include "db/store/result_text.h"
#include "db/jetsql/translator.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

int RunSql(const QStringList& args) {
  if (args.size() != 2) return UsageOf(QStringLiteral("sql"));
  const QString& statement = args[1];
  return WithDatabase(args[0], [&](Connection& connection, QTextStream& out) {
    engine::Command command = engine::Translate(statement);
    const auto* sql = std::get_if<engine::SqlStatement>(&command);
    if (sql && sql->returnsRows) {
      auto rs = connection.OpenRecordset(statement, CursorType::Static, LockType::ReadOnly);
      for (const QString& line : engine::RecordsetLines(*rs)) out << line << '\n';
      rs->Close();
    } else {
      out << connection.Execute(statement) << '\n';
    }
  });
}

const ToolCommand kSql("sql", "sql FILE STATEMENT", "one Jet-dialect statement through the engine",
                      RunSql, /*changesDatabase=*/true);

}  // namespace
}  // namespace mt::tool
