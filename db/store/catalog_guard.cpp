#include "db/store/catalog_guard.h"

#include <sqlite3.h>

namespace mt::engine {

bool IsEngineObjectName(const QString& name) {
  return name.startsWith(QLatin1String("_mt_"), Qt::CaseInsensitive);
}

QString CatalogRefusal(const QString& name) {
  return QStringLiteral("'%1' belongs to the engine's catalogue; only the engine changes it.").arg(name);
}

void CatalogGuard::Install(sqlite3* db) { sqlite3_set_authorizer(db, &CatalogGuard::Authorize, this); }

int CatalogGuard::Authorize(void* self, int action, const char* a, const char* b, const char* /*dbName*/,
                            const char* /*trigger*/) {
  auto* guard = static_cast<CatalogGuard*>(self);
  if (!guard->active_) return SQLITE_OK;
  // The argument that names the object each action changes.
  const char* object = nullptr;
  const char* table = nullptr;
  switch (action) {
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_TEMP_VIEW:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_TEMP_VIEW:
      object = a;
      break;
    case SQLITE_ALTER_TABLE:
      table = b;
      break;
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_TEMP_TRIGGER:
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_DROP_INDEX:
    case SQLITE_DROP_TEMP_INDEX:
      object = a;
      table = b;
      break;
    default:
      return SQLITE_OK;
  }
  for (const char* name : {object, table}) {
    if (name && IsEngineObjectName(QString::fromUtf8(name))) {
      guard->refused_ = QString::fromUtf8(name);
      return SQLITE_DENY;
    }
  }
  return SQLITE_OK;
}

}  // namespace mt::engine
