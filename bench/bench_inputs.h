// Databases the benchmark and crash programs start from, made in-process with
// the production modules: the product's initial database brought to a chosen
// version, optionally with its protected values encrypted as an older
// product left them. The caller has installed the production services and
// pointed the program location at a folder of its own.
#pragma once

#include <QString>
#include <QStringList>

#include "app/globals.h"
#include "db/engine.h"
#include "db/query.h"
#include "protect/value_passes.h"
#include "upgrade/initial_database.h"
#include "upgrade/upgrade_engine.h"

namespace mt::bench {

// Runs statements on the database at path through the engine; throws DbError.
inline void ExecuteOn(const QString& path, const QStringList& statements) {
  auto connection = DefaultEngine().Open(path, DatabasePassword());
  for (const QString& s : statements) connection->Execute(s);
  connection->Close();
}

// Upgrades the plain database at path from one version to another, as the
// run's upgrade step does.
inline void UpgradeDatabase(const QString& path, int from, int to) {
  Globals().DBPath = path;
  if (DBGetConnection(path) == nullptr) throw DbError(dberr::kOpenFailed, QStringLiteral("cannot open ") + path);
  upgrade::UpgradeRange(from, to);
  ReleaseSharedConnection();
}

// The initial database at path, upgraded to version (2 leaves it as created).
inline void MakeDatabase(const QString& path, int version) {
  CreateInitialDatabase(path);
  if (version > 2) UpgradeDatabase(path, 2, version);
}

// Encrypts the protected values of the database at path on a copy, as the
// run's encryption pass does. Before version 318 the product had no
// TUserAgentsRaw; one stands in while the pass runs, since the pass wants it.
inline void EncryptValues(const QString& path, int version) {
  const bool standIn = version < 318;
  if (standIn)
    ExecuteOn(path, {QStringLiteral("CREATE TABLE TUserAgentsRaw (IDX AUTOINCREMENT, UA MEMO)"),
                     QStringLiteral("INSERT INTO TUserAgentsRaw (UA) VALUES ('x')")});
  Globals().DBPath = path;
  Globals().AppName = QStringLiteral("Marrowtide");
  const ValuePassResult r = EncryptDatabaseValues();
  if (!r.ok) throw DbError(r.code, QStringLiteral("encryption pass failed: ") + r.description);
  if (standIn) ExecuteOn(path, {QStringLiteral("DROP TABLE TUserAgentsRaw")});
}

}  // namespace mt::bench
