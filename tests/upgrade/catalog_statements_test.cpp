#include <gtest/gtest.h>

#include "upgrade/catalog_statements.h"
#include "upgrade/upgrade_fixture.h"

namespace mt::testing {
namespace {

using CatalogStatements = UpgradeFixture;

TEST_F(CatalogStatements, ViewReplacesQueryOfTheSameNameAndKeepsLaterAliases) {
  db_.procedures["PSumLogByDay"] = "SELECT 1";
  EXPECT_TRUE(p_CreateView("CREATE VIEW [PSumLogByDay] as SELECT A AS B, C As D FROM T"));
  EXPECT_EQ(db_.views["PSumLogByDay"], "SELECT A AS B, C As D FROM T");
  EXPECT_EQ(db_.procedures.count("PSumLogByDay"), 0u);

  db_.views["VTaskList"] = "SELECT old";
  db_.catalogCalls.clear();
  EXPECT_TRUE(p_CreateView("CREATE VIEW [VTaskList] AS SELECT new FROM T"));
  EXPECT_EQ(db_.views["VTaskList"], "SELECT new FROM T");
  EXPECT_EQ(db_.catalogCalls, (QStringList{"DeleteView VTaskList", "AppendView VTaskList"}));
}

TEST_F(CatalogStatements, ProcedureClearsProceduresBeforeViews) {
  db_.views["P"] = "SELECT 1";
  db_.procedures["P"] = "SELECT 2";
  EXPECT_TRUE(p_CreateProcedure("CREATE PROCEDURE [P] AS SELECT * FROM T WHERE ID = [lTaskIDX]"));
  EXPECT_EQ(db_.catalogCalls,
            (QStringList{"DeleteProcedure P", "DeleteView P", "AppendProcedure P"}));
  EXPECT_EQ(db_.procedures["P"], "SELECT * FROM T WHERE ID = [lTaskIDX]");
  EXPECT_EQ(db_.views.count("P"), 0u);
}

TEST_F(CatalogStatements, NamedQueryFailuresAreLoggedAndPassedOn) {
  auto expectFailure = [&](auto fn, const QString& statement, int32_t code, const QString& text,
                           const QString& source) {
    try {
      fn(statement);
      ADD_FAILURE() << "no failure for " << statement.toStdString();
    } catch (const DbError& e) {
      EXPECT_EQ(e.code(), code);
      EXPECT_EQ(e.description(), text);
      EXPECT_EQ(e.source(), source);
    }
  };
  const QString view = QStringLiteral("modMain.p_CreateView");
  const QString proc = QStringLiteral("modMain.p_CreateProcedure");
  expectFailure(p_CreateView, "CREATE VIEW V AS SELECT 1", 100, "View 이름 없음", view);
  expectFailure(p_CreateView, "CREATE VIEW [V] SELECT 1", 100, "View SQL 없음", view);
  expectFailure(p_CreateProcedure, "CREATE PROCEDURE P AS SELECT 1", 100, "Procedure 이름 없음", proc);
  expectFailure(p_CreateProcedure, "CREATE PROCEDURE [P]", 100, "Procedure SQL 없음", proc);
  EXPECT_EQ(LogCount("[err: modMain.p_CreateView] line 1, 100, View 이름 없음"), 1);
  EXPECT_EQ(LogCount("[err: modMain.p_CreateView] line 2, 100, View SQL 없음"), 1);
  EXPECT_EQ(LogCount("[err: modMain.p_CreateProcedure] line "), 2);

  // A catalogue failure keeps its own code; what was deleted stays deleted.
  db_.procedures["V"] = "SELECT 0";
  db_.failCatalogCall = "AppendView V";
  expectFailure(p_CreateView, "CREATE VIEW [V] AS SELECT 1", dberr::kInvalidArg,
                "Catalogue refused AppendView V", view);
  EXPECT_EQ(db_.procedures.count("V"), 0u);
  EXPECT_EQ(db_.views.count("V"), 0u);
}

TEST_F(CatalogStatements, RenameTable) {
  db_.tables["TFunctionPresets"] = {"ID"};
  EXPECT_TRUE(p_RenameTable("ALTER TABLE TFunctionPresets RENAME TO TSiteCategories"));
  EXPECT_EQ(db_.tables.count("TSiteCategories"), 1u);
  EXPECT_FALSE(p_RenameTable("ALTER TABLE TFunctionPresets RENAME TO TSiteCategories"));

  EXPECT_TRUE(p_RenameTable("ALTER TABLE [TSiteCategories] RENAME TO [TOther]"));
  EXPECT_EQ(db_.tables.count("TOther"), 1u);
  EXPECT_FALSE(p_RenameTable("alter table TOther RENAME TO TThird"));
  EXPECT_FALSE(p_RenameTable("ALTER TABLE TOther RENAME TO []"));
  EXPECT_EQ(db_.tables.count("TOther"), 1u);

  db_.failCatalogCall = "RenameTable TOther";
  EXPECT_FALSE(p_RenameTable("ALTER TABLE TOther RENAME TO TFourth"));
  EXPECT_EQ(LogCount(QString("ERROR: modMain.p_RenameTable Line = 4\t%1\tCatalogue refused RenameTable TOther")
                         .arg(dberr::kInvalidArg)),
            1);
}

TEST_F(CatalogStatements, RenameColumn) {
  db_.tables["TIPKinds"] = {"IDX", "ExchangeCookiePortion"};
  EXPECT_TRUE(p_RenameColumn(
      "ALTER TABLE [TIPKinds] RENAME COLUMN [ExchangeCookiePortion] TO [ExchangePortion]"));
  EXPECT_EQ(db_.tables["TIPKinds"], (QStringList{"IDX", "ExchangePortion"}));
  EXPECT_FALSE(p_RenameColumn("ALTER TABLE TIPKinds RENAME COLUMN ExchangeCookiePortion TO X"));
  EXPECT_FALSE(p_RenameColumn("ALTER TABLE TMissing RENAME COLUMN IDX TO X"));
  EXPECT_FALSE(p_RenameColumn("ALTER TABLE TIPKinds RENAME COLUMN IDX"));
  EXPECT_TRUE(p_RenameColumn("ALTER TABLE TIPKinds RENAME COLUMN IDX TO ID"));
  EXPECT_EQ(db_.tables["TIPKinds"], (QStringList{"ID", "ExchangePortion"}));

  db_.failCatalogCall = "RenameColumn TIPKinds.ID";
  EXPECT_FALSE(p_RenameColumn("ALTER TABLE TIPKinds RENAME COLUMN ID TO IDX"));
  EXPECT_EQ(LogCount("ERROR: modMain.p_RenameColumn Line = 4\t"), 1);
}

TEST_F(CatalogStatements, ColumnDescriptionsPairByPair) {
  db_.tables["TUserAgentsRaw"] = {"IDX", "num", "UAUseType", "UA"};
  p_SetColumnDescription(
      "SetColumnDescription [TUserAgentsRaw] IDX = \"일련번호\" ,num='번호' , [Nope]=\"skipped\""
      " ,UAUseType = \"UA용도 0:ahen, 1:작업, 2:공댓공\" ,UA = \"say \"\"hi\"\", it's\"");
  EXPECT_EQ(db_.descriptions["TUserAgentsRaw.IDX"], "일련번호");
  EXPECT_EQ(db_.descriptions["TUserAgentsRaw.num"], "번호");
  EXPECT_EQ(db_.descriptions["TUserAgentsRaw.UAUseType"], "UA용도 0:ahen, 1:작업, 2:공댓공");
  EXPECT_EQ(db_.descriptions["TUserAgentsRaw.UA"], "say \"\"hi\"\", it's");
  EXPECT_EQ(db_.descriptions.size(), 4u);
}

TEST_F(CatalogStatements, ColumnDescriptionsStopEarly) {
  db_.tables["T"] = {"A", "B", "C"};
  p_SetColumnDescription("SetColumnDescription T");
  p_SetColumnDescription("SetColumnDescription TMissing A=\"x\"");
  p_SetColumnDescription("SetColumnDescription T A=\"\" ,B=\"b\"");  // empty text ends it
  EXPECT_TRUE(db_.descriptions.empty());

  db_.failCatalogCall = "SetColumnDescription T.B";
  p_SetColumnDescription("SetColumnDescription T A=\"a\" ,B=\"b\" ,C=\"c\"");
  EXPECT_EQ(db_.descriptions["T.A"], "a");
  EXPECT_EQ(db_.descriptions.count("T.B"), 0u);
  EXPECT_EQ(db_.descriptions.count("T.C"), 0u);
  EXPECT_EQ(LogCount("ERROR: modMain.p_SetColumnDescription Line = 4\t"), 1);
}

TEST_F(CatalogStatements, NoOpenConnectionIsAFailureNotACrash) {
  ReleaseSharedConnection();
  EXPECT_THROW(p_CreateView("CREATE VIEW [V] AS SELECT 1"), DbError);
  EXPECT_FALSE(p_RenameTable("ALTER TABLE A RENAME TO B"));
  EXPECT_EQ(LogCount(QString("ERROR: modMain.p_RenameTable Line = 4\t%1\t").arg(dberr::kClosed)), 1);
}

}  // namespace
}  // namespace mt::testing
