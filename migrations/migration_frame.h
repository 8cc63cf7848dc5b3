// The frame every code migration runs in: start and end trace lines, an
// updatable recordset on the shared connection, and one failure trap.
//
// Promises:
//  - RunMigration writes name + " Start", runs the body, and writes
//    name + " End"; it never lets a failure out to its caller.
//  - The first failure inside the body (a DbError from the engine or the query
//    layer, or a value conversion) ends the body. It is logged once with
//    LogError(name, code, description, the body's current step, no reraise).
//    Rows written before it keep their values.
//  - Every failure a code migration logs goes through LogMigrationFailure,
//    which counts it: MigrationFailuresLogged() is the count so far in this
//    process, so a caller can tell how many failures a migration logged.
//  - Whatever recordset the body still holds is closed (if open) and released
//    before the end line, whether the body finished or failed.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

#include "db/engine.h"

namespace mt {

class MigrationContext {
 public:
  // Opens the statement as an updatable recordset on the shared connection
  // (dynamic cursor, optimistic lock, client cursor), closing and releasing
  // the one opened before. Null when no connection is available.
  Recordset* OpenUpdatable(const QString& sql);
  // Lets the statements that follow find rows of the table by these columns
  // through an index instead of a scan each (Connection::AddLookupIndex): a
  // migration that updates other rows for every row it visits would
  // otherwise take time growing with the square of the rows. Without it
  // (no connection, no such table) the statements still run, only slower.
  void LookUpBy(const QString& table, const QStringList& columns);
  // Closes the current recordset if it is open and releases it.
  void ReleaseRecordset();
  Recordset* recordset() const { return rs_.get(); }

  // The step the body is at; reported as the line of a failure entry.
  void Step(int step) { step_ = step; }
  int step() const { return step_; }

 private:
  std::unique_ptr<Recordset> rs_;
  int step_ = 0;
};

// LogError(procedure, code, description, step), not re-raised, and counted.
void LogMigrationFailure(const QString& procedure, int32_t code, const QString& description,
                         int32_t step);
int64_t MigrationFailuresLogged();

void RunMigration(const QString& name, const std::function<void(MigrationContext&)>& body);

}  // namespace mt
