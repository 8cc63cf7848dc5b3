// marrowtide-db schema FILE: the catalogue of a database, one fact a line
// (format in db/store/schema_listing.h).
#include <QTextStream>

#include "db/engine.h"
#include "db/store/schema_listing.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

int RunSchema(const QStringList& args) {
  if (args.size() != 1) return UsageOf(QStringLiteral("schema"));
  return WithDatabase(args[0], [](Connection& connection, QTextStream& out) {
    for (const QString& line : engine::ListSchema(connection)) out << line << '\n';
  });
}

const ToolCommand kSchema("schema", "schema FILE", "the catalogue, one fact a line", RunSchema);

}  // namespace
}  // namespace mt::tool
