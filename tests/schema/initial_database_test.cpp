// The product's initial database (version 2) and `marrowtide-db create`.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/engine/engine.h"
#include "db/query.h"
#include "schema/schema_listing.h"
#include "support/forwarding_engine.h"
#include "support/real_db.h"
#include "support/tool_run.h"
#include "upgrade/initial_database.h"

namespace mt {
namespace {

// The production engine, with connections that fail the Nth statement they
// execute: a creation that breaks off half-way.
class FailingEngine : public test::ForwardingEngine {
 public:
  FailingEngine(Engine& real, int failAt) : ForwardingEngine(real), failAt_(failAt) {}
  std::unique_ptr<Connection> Create(const QString& path, const QString& password) override {
    return std::make_unique<Conn>(real_.Create(path, password), failAt_);
  }

 private:
  class Conn : public Connection {
   public:
    Conn(std::unique_ptr<Connection> inner, int failAt) : inner_(std::move(inner)), left_(failAt) {}
    bool IsOpen() const override { return inner_->IsOpen(); }
    int32_t Execute(const QString& sql) override {
      if (--left_ == 0) throw DbError(dberr::kSyntax, QStringLiteral("injected failure"));
      return inner_->Execute(sql);
    }
    std::unique_ptr<Recordset> OpenRecordset(const QString& sql, CursorType c, LockType l) override {
      return inner_->OpenRecordset(sql, c, l);
    }
    Catalog& GetCatalog() override { return inner_->GetCatalog(); }
    void Close() override { inner_->Close(); }

   private:
    std::unique_ptr<Connection> inner_;
    int left_;
  };
  int failAt_;
};

class InitialDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultEngine(nullptr);
    path_ = dir_.filePath(QStringLiteral("Marrowtide.mdb"));
  }
  void TearDown() override { SetDefaultEngine(nullptr); }

  QVariant Value(const QString& sql) { return test::Column(path_, sql).value(0); }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(InitialDatabase, IsAKeyedDatabaseOfVersion2WithTheEightTables) {
  CreateInitialDatabase(path_);
  ASSERT_TRUE(QFile::exists(path_));
  EXPECT_EQ(test::Column(path_, "SELECT Val1 FROM TSettings WHERE ID IN ('DBVersion', 'IsDBEn') ORDER BY ID"),
            (QVariantList{"2", "0"}));
  auto conn = DefaultEngine().Open(path_, DatabasePassword());
  for (const char* t : {"TSettings", "TCodes", "TFunctionPresets", "TTaskList", "TTaskLogHour", "TTaskLogDay",
                        "TIPs", "TMACPrefixes"}) {
    EXPECT_TRUE(conn->GetCatalog().HasTable(QString::fromLatin1(t))) << t;
  }
  conn->Close();
  // The version-3 script deletes two mobile user-agent rows and version 49
  // copies the search categories: the base rows they work on are there.
  EXPECT_EQ(Value(QStringLiteral("SELECT Count(*) FROM TCodes WHERE Code = 'MobileUserAgent' AND Val IN (1, 2)"))
                .toInt(),
            2);
  EXPECT_THROW(DefaultEngine().Open(path_, QStringLiteral("not the password")), DbError);
}

TEST_F(InitialDatabase, RefusesAnExistingFileAndLeavesItAlone) {
  test::WriteFile(path_, "not a database");
  EXPECT_THROW(CreateInitialDatabase(path_), DbError);
  EXPECT_EQ(test::FileBytes(path_), QByteArray("not a database"));
}

TEST_F(InitialDatabase, AFailureHalfWayLeavesNoFile) {
  Engine& production = DefaultEngine();
  for (int failAt : {1, 5, 12}) {
    FailingEngine failing(production, failAt);
    SetDefaultEngine(&failing);
    EXPECT_THROW(CreateInitialDatabase(path_), DbError) << "failing statement " << failAt;
    SetDefaultEngine(nullptr);
    EXPECT_FALSE(QFile::exists(path_)) << "failing statement " << failAt;
  }
}

TEST(CreateCommand, WritesANewDatabaseAndRefusesExistingOrMissingArguments) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("new.mdb"));
  test::ToolResult r = test::RunTool({QStringLiteral("create"), path});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QByteArray before = test::FileBytes(path);
  EXPECT_FALSE(before.isEmpty());
  r = test::RunTool({QStringLiteral("create"), path});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("error "))) << r.err.toStdString();
  EXPECT_EQ(test::FileBytes(path), before) << "an existing file is left as it was";
  EXPECT_EQ(test::RunTool({QStringLiteral("create")}).exitCode, 2);
}

}  // namespace
}  // namespace mt
