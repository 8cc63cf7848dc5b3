// The upgrade over the production engine: catalogue statements, failing
// statements and stamps as a database file sees them, and the migrate tool
// over the embedded script set.
#include <gtest/gtest.h>

#include <QProcess>

#include "db/engine/schema_listing.h"
#include "upgrade/initial_database.h"
#include "upgrade/upgrade_engine.h"
#include "upgrade/upgrade_fixture.h"

namespace mt::testing {
namespace {

class RealEngineUpgrade : public ScriptFixture {
 protected:
  void SetUp() override {
    ScriptFixture::SetUp();
    SetDefaultEngine(nullptr);  // the production engine
    path_ = spine_.folder.File(QStringLiteral("Marrowtide.mdb"));
  }

  void CreateDatabase(const QStringList& statements) {
    auto conn = DefaultEngine().Create(path_, DatabasePassword());
    for (const QString& s : statements) conn->Execute(s);
    conn->Close();
    ASSERT_NE(DBGetConnection(path_), nullptr);
  }

  QString StoredVersion() {
    return DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), {})
        .toString();
  }

  QStringList Schema() { return engine::ListSchema(*SharedConnection()); }

  QString path_;
};

TEST_F(RealEngineUpgrade, CatalogueStatementsFailuresAndStampsReachTheFile) {
  CreateDatabase({
      "CREATE TABLE TSettings (ID TEXT(50) NOT NULL, Val1 TEXT(255), CONSTRAINT [PrimaryKey] PRIMARY KEY ([ID]))",
      "INSERT INTO TSettings (ID, Val1) VALUES ('DBVersion', '401')",
      "CREATE TABLE TFunctionPresets (ID LONG, FunctionName TEXT(50))",
      "CREATE TABLE TTaskList (IDX LONG, FunctionName TEXT(50))",
  });
  AddScript(402,
            "CREATE PROCEDURE [PSumLogByDay] AS SELECT IDX FROM TTaskList WHERE IDX = [lTaskIDX]"
            "\xE2\x96\xA0\r\nALTER TABLE TFunctionPresets RENAME TO TSiteCategories\xE2\x96\xA0\r\n"
            "ALTER TABLE [TSiteCategories] RENAME COLUMN [FunctionName] TO [SiteCategory]\xE2\x96\xA0\r\n");
  AddScript(403,
            "CREATE VIEW [PSumLogByDay] AS\r\n  SELECT IDX AS TaskIDX FROM TTaskList\xE2\x96\xA0\r\n"
            "SetColumnDescription TSiteCategories ID = \"번호\"\r\n,SiteCategory='분류, 이름'\xE2\x96\xA0\r\n"
            "INSERT INTO TNope VALUES (1)\xE2\x96\xA0\r\n"
            "INSERT INTO TTaskList (IDX, FunctionName) VALUES (7, 'x')\xE2\x96\xA0\r\n");
  const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(401, 403);

  EXPECT_EQ(outcome.lastRecorded, 403);
  EXPECT_EQ(outcome.failures, 1);
  EXPECT_EQ(StoredVersion(), "403");
  const QStringList schema = Schema();
  EXPECT_TRUE(schema.contains("view\tPSumLogByDay"));
  EXPECT_FALSE(schema.contains("procedure\tPSumLogByDay"));
  EXPECT_FALSE(schema.contains("table\tTFunctionPresets"));
  EXPECT_TRUE(schema.contains("description\tTSiteCategories\tID\t번호"));
  EXPECT_TRUE(schema.contains("description\tTSiteCategories\tSiteCategory\t분류, 이름"));
  EXPECT_FALSE(schema.filter("column\tTSiteCategories\tSiteCategory\t").isEmpty());
  EXPECT_EQ(DBGetValue(QStringLiteral("SELECT TaskIDX FROM PSumLogByDay"), {}).toInt(), 7);
  EXPECT_EQ(LogCount("\tResNo = 403\r\n\tSQL = INSERT INTO TNope VALUES (1)"), 1);
}

TEST_F(RealEngineUpgrade, MigrateToolAppliesTheEmbeddedScripts) {
  CreateInitialDatabase(path_);
  const QString tool = QStringLiteral(MT_BINARY_DIR "/marrowtide-db");
  QProcess p;
  p.start(tool, {"migrate", path_, "--to", "60"});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).startsWith("version 2 -> 60: "));

  ASSERT_NE(DBGetConnection(path_), nullptr);
  EXPECT_EQ(StoredVersion(), "60");
  EXPECT_TRUE(Schema().contains("table\tTSiteCategories"));  // renamed at 24
  ReleaseSharedConnection();

  // Nothing to do below the stored version; wrong usage is told apart.
  p.start(tool, {"migrate", path_, "--to", "50"});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).startsWith("version 60 -> 60: 0 statements"));
  for (const QStringList& args : {QStringList{"migrate", path_}, {"migrate", path_, "--to", "406"},
                                  {"migrate", path_, "--up", "60"}}) {
    p.start(tool, args);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2) << args.join(' ').toStdString();
  }
  p.start(tool, {"migrate", spine_.folder.File("missing.mdb"), "--to", "60"});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 1);
  EXPECT_TRUE(p.readAllStandardError().startsWith("error "));
}

}  // namespace
}  // namespace mt::testing
