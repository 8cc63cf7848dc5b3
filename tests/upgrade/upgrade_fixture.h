// A program folder of its own (with a log folder), a resource root of test
// scripts, and the fake database installed as the shared connection.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/globals.h"
#include "app/log.h"
#include "db/query.h"
#include "upgrade/script_store.h"
#include "upgrade/fake_database.h"

namespace mt::testing {

class UpgradeFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QDir(dir_.path()).mkpath(QStringLiteral("log"));
    QDir(dir_.path()).mkpath(QStringLiteral("res/SQL"));
    SetProgramLocation(dir_.path(), QStringLiteral("upgradetest"));
    Globals().LoggingEnabled = true;
    SetResourceRoot(dir_.filePath(QStringLiteral("res")));
    SetDefaultEngine(&engine_);
    ASSERT_NE(DBGetConnection(dir_.filePath(QStringLiteral("db.mdb"))), nullptr);
    SetUi(&ui_);
    SetCodeMigrations(nullptr);
  }

  void TearDown() override {
    ReleaseSharedConnection();
    SetDefaultEngine(nullptr);
    SetUi(nullptr);
    SetCodeMigrations(nullptr);
    SetResourceRoot({});
    Globals().LoggingEnabled = false;
  }

  // Stores the bytes as the script of the version (resource 10000 + version).
  void AddScript(int version, const QByteArray& bytes) {
    QFile f(dir_.filePath(QStringLiteral("res/SQL/%1").arg(kScriptResourceBase + version)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  QString Log() const {
    QFile f(dir_.filePath(QStringLiteral("log/upgradetest.log")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
  }

  int LogCount(const QString& needle) const { return int(Log().count(needle)); }

  FakeDatabase db_;
  FakeEngine engine_{db_};
  RecordingUi ui_;
  QTemporaryDir dir_;
};

}  // namespace mt::testing
