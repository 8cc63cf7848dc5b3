#include "upgrade/reference_schema.h"

#include <QFile>

#include "app/globals.h"
#include "db/engine.h"
#include "db/query.h"
#include "db/store/schema_listing.h"
#include "upgrade/initial_database.h"
#include "upgrade/schema_diff.h"
#include "upgrade/upgrade_engine.h"

namespace mt::upgrade {

namespace {
constexpr int32_t kResourceNotFound = 326;
}

QStringList BuildSchemaOfVersion(const QString& path, int32_t version) {
  CreateInitialDatabase(path);
  const QString previousPath = Globals().DBPath;
  Globals().DBPath = path;
  Connection* conn = DBGetConnection(path);
  if (conn == nullptr || !conn->IsOpen()) {
    ReleaseSharedConnection();
    Globals().DBPath = previousPath;
    throw DbError(dberr::kOpenFailed, QStringLiteral("cannot open the reference database ") + path);
  }
  const UpgradeOutcome outcome = UpgradeRange(kInitialVersion, version);
  ReleaseSharedConnection();
  Globals().DBPath = previousPath;
  if (outcome.missingScript != 0)
    throw DbError(kResourceNotFound, QStringLiteral("no upgrade script for version %1").arg(outcome.missingScript));
  if (outcome.lastRecorded != version)
    throw DbError(dberr::kOpenFailed, QStringLiteral("the reference database stopped at version %1")
                                          .arg(outcome.lastRecorded));
  auto connection = DefaultEngine().Open(path, DatabasePassword());
  const QStringList lines = engine::ListSchema(*connection);
  connection->Close();
  return lines;
}

QStringList LatestSchemaListing() {
  QFile file(QStringLiteral(":/schema/latest"));
  if (!file.open(QIODevice::ReadOnly))
    throw DbError(kResourceNotFound, QStringLiteral("this program carries no schema listing of version %1")
                                         .arg(LatestDBVersion));
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList LatestSchemaDifferences(Connection& connection) {
  return CompareSchemas(LatestSchemaListing(), engine::ListSchema(connection));
}

}  // namespace mt::upgrade
