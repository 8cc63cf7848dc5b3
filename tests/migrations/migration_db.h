// A real product database for the migration tests: the initial database
// brought by the upgrade scripts (and the code steps before it) to the version
// just before the migration under test, copied fresh for every test.
//
// Databases are built once per test program and version, then copied: the
// scripts up to version 337 are several thousand statements.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

#include "app/globals.h"
#include "app/services.h"
#include "db/query.h"
#include "migrations/code_migrations.h"
#include "support/fake_services.h"
#include "text/variant_convert.h"
#include "upgrade/initial_database.h"
#include "upgrade/upgrade_engine.h"

namespace mt::testing {

class MigrationDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultEngine(nullptr);  // the production engine, not the scripted one
    SetCodeMigrations(&ProductionCodeMigrations());
  }

  void TearDown() override {
    ReleaseSharedConnection();
    SetCodeMigrations(nullptr);
  }

  // Makes a fresh copy of the database at the version the shared connection,
  // with logging on from here.
  void OpenDatabaseAt(int version) {
    const QString path = spine_.folder.File(QStringLiteral("Marrowtide.mdb"));
    ASSERT_TRUE(QFile::copy(Template(version), path));
    ASSERT_NE(DBGetConnection(path), nullptr);
    ASSERT_EQ(DbVersion(), QString::number(version));
    Globals().LoggingEnabled = true;
  }

  static void Exec(const QString& sql) {
    int32_t affected = 0;
    DBExecute(sql, affected);
  }

  // The first column of every row, in order; Null as "<null>".
  static QStringList Column(const QString& sql) {
    QStringList values;
    std::unique_ptr<Recordset> rs = DBOpenRecordset(sql, 0, 1, -1, 3);
    if (!rs) return values;
    while (!rs->Eof()) {
      const QVariant v = rs->Value(0);
      values << (IsNullValue(v) ? QStringLiteral("<null>") : TextOrEmpty(v));
      rs->MoveNext();
    }
    rs->Close();
    return values;
  }

  static QString Cell(const QString& sql) {
    const QStringList values = Column(sql);
    return values.isEmpty() ? QStringLiteral("<no row>") : values.first();
  }

  static QString DbVersion() {
    return Cell(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'"));
  }

  QStringList LogMessages() const { return spine_.folder.LogMessages(); }
  QStringList ErrorLines(const QString& procedure) const {
    return LogMessages().filter(QStringLiteral("ERROR: ") + procedure + QStringLiteral(" "));
  }

  test::SpineScope spine_;

 private:
  // The database file of that version, built on first use from the nearest
  // smaller version already built (or the initial database).
  QString Template(int version) {
    static QTemporaryDir dir;
    static std::map<int, QString> built;
    auto it = built.find(version);
    if (it != built.end()) return it->second;

    const QString path = dir.filePath(QStringLiteral("v%1.mdb").arg(version));
    int from = 2;
    for (const auto& [v, file] : built) {
      if (v < version && v > from) from = v;
    }
    if (from == 2) {
      CreateInitialDatabase(path);
    } else {
      EXPECT_TRUE(QFile::copy(built[from], path));
    }
    const bool logging = Globals().LoggingEnabled;
    Globals().LoggingEnabled = false;
    EXPECT_NE(DBGetConnection(path), nullptr);
    const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(from, version);
    EXPECT_EQ(outcome.lastRecorded, version);
    EXPECT_FALSE(outcome.stoppedEarly);
    ReleaseSharedConnection();
    Globals().LoggingEnabled = logging;
    built[version] = path;
    return path;
  }
};

}  // namespace mt::testing
