// marrowtide-db create FILE: writes the product's initial database (schema
// version 2) to a new file.
#include <QFileInfo>
#include <QTextStream>

#include "db/engine.h"
#include "tools/command.h"
#include "upgrade/initial_database.h"

namespace mt::tool {
namespace {

int Create(const QStringList& args) {
  if (args.size() != 1 || args.first().isEmpty()) return UsageOf(QStringLiteral("create"));
  const QString& path = args.first();
  // An existing file is never touched, whatever it holds.
  if (QFileInfo::exists(path)) {
    return ReportError(dberr::kOpenFailed, QStringLiteral("file already exists: ") + path);
  }
  try {
    CreateInitialDatabase(path);
  } catch (const DbError& e) {
    return ReportError(e.code(), e.description());
  }
  return kOk;
}

const ToolCommand kCreate("create", "create FILE",
                         "the product's initial database (version 2), keyed; refuses an existing FILE",
                         Create, Access::Writes);

}  // namespace
}  // namespace mt::tool
