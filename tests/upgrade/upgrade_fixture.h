// UpgradeFixture: the run's test services (clock, recording Ui, a program
// folder with its log folder), a resource root of test scripts, and a
// scripted database as the shared connection.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/globals.h"
#include "db/query.h"
#include "support/fake_services.h"
#include "upgrade/script_store.h"

namespace mt::testing {

class UpgradeFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(spine_.folder.Path()).mkpath(QStringLiteral("res/SQL"));
    Globals().LoggingEnabled = true;
    SetResourceRoot(spine_.folder.File(QStringLiteral("res")));
    SetCodeMigrations(nullptr);
    ASSERT_NE(DBGetConnection(spine_.folder.File(QStringLiteral("db.mdb"))), nullptr);
  }

  void TearDown() override {
    ReleaseSharedConnection();
    SetResourceRoot({});
  }

  // Stores the bytes as the script of the version (resource 10000 + version).
  void AddScript(int version, const QByteArray& bytes) {
    QFile f(spine_.folder.File(QStringLiteral("res/SQL/%1").arg(kScriptResourceBase + version)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  QString Log() const { return spine_.folder.LogText(); }
  int LogCount(const QString& needle) const { return int(Log().count(needle)); }
  QStringList Percents() const { return spine_.ui.calls.filter(QStringLiteral("Percent ")); }
  QStringList Executed() const { return QStringList(db_.executed.begin(), db_.executed.end()); }

  test::SpineScope spine_;
  test::ScriptedDatabase& db_ = spine_.engine.At(spine_.folder.File(QStringLiteral("db.mdb")));
};

}  // namespace mt::testing
