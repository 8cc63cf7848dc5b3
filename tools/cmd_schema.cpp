// marrowtide-db schema FILE: the catalogue of a database, one fact a line
// (format in db/engine/schema_listing.h).
#include <QTextStream>

#include "db/engine/engine.h"
#include "db/engine/schema_listing.h"
#include "db/query.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

int RunSchema(const QStringList& args) {
  if (args.size() != 1) {
    QTextStream(stderr) << "usage: marrowtide-db schema FILE\n";
    return kUsage;
  }
  QTextStream out(stdout);
  try {
    auto connection = DefaultEngine().Open(args[0], DatabasePassword());
    const QStringList lines = engine::ListSchema(*connection);
    connection->Close();
    for (const QString& line : lines) out << line << '\n';
  } catch (const DbError& e) {
    out.flush();
    return ReportError(e.code(), e.description());
  }
  return kOk;
}

const ToolCommand kSchema("schema", "schema FILE", RunSchema);

}  // namespace
}  // namespace mt::tool
