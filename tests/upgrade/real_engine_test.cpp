// The migrate tool over the embedded script set and the production engine.
// (The shipped scripts applied to a real database, catalogue statements and
// failing statements included, are checked by the schema tests.)
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

  QString StoredVersion() {
    return DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), {})
        .toString();
  }

  QStringList Schema() { return engine::ListSchema(*SharedConnection()); }

  QString path_;
};

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
