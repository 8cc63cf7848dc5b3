#include "migrations/migration_frame.h"

#include "app/log.h"
#include "db/query.h"

namespace mt {

void MigrationContext::LookUpBy(const QString& table, const QStringList& columns) {
  Connection* connection = SharedConnection();
  if (!connection || !connection->IsOpen()) return;
  try {
    connection->AddLookupIndex(table, columns);
  } catch (const DbError&) {
    // Only a way to go faster.
  }
}

Recordset* MigrationContext::OpenUpdatable(const QString& sql) {
  ReleaseRecordset();
  rs_ = DBOpenRecordset(sql, ado::adOpenDynamic, ado::adLockOptimistic, ado::adCmdUnspecified,
                        ado::adUseClient, QString());
  return rs_.get();
}

void MigrationContext::ReleaseRecordset() {
  if (!rs_) return;
  // Closing is part of cleaning up; a recordset that cannot be closed is
  // released all the same.
  try {
    if (rs_->IsOpen()) rs_->Close();
  } catch (const DbError&) {
  }
  rs_.reset();
}

namespace {
int64_t& FailureCount() {
  static int64_t count = 0;
  return count;
}
}  // namespace

void LogMigrationFailure(const QString& procedure, int32_t code, const QString& description,
                         int32_t step) {
  ++FailureCount();
  LogError(procedure, code, description, step, false);
}

int64_t MigrationFailuresLogged() { return FailureCount(); }

void RunMigration(const QString& name, const std::function<void(MigrationContext&)>& body) {
  WriteLog(name + QStringLiteral(" Start"));
  MigrationContext ctx;
  try {
    body(ctx);
  } catch (const DbError& e) {
    LogMigrationFailure(name, e.code(), e.description(), ctx.step());
  } catch (const std::exception& e) {
    // Anything else that goes wrong is reported under the same name; the
    // engine still goes on with the next version.
    LogMigrationFailure(name, -1, QString::fromLocal8Bit(e.what()), ctx.step());
  }
  ctx.ReleaseRecordset();
  WriteLog(name + QStringLiteral(" End"));
}

}  // namespace mt
