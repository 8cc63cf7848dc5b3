#include "upgrade/catalog_statements.h"

#include "support/failure_code.h"
#include "upgrade/upgrade_fixture.h"

namespace mt::testing {
namespace {

using CatalogStatements = UpgradeFixture;

// A view replaces a query of its name (and an older view), keeping its
// aliases; a procedure clears procedures before views.
TEST_F(CatalogStatements, NamedQueriesReplaceWhatHoldsTheirName) {
  db_.procedures["PSumLogByDay"] = "SELECT 1";
  db_.views["VTaskList"] = "SELECT old";
  db_.views["P"] = "SELECT 1";
  db_.procedures["P"] = "SELECT 2";
  EXPECT_TRUE(p_CreateView("CREATE VIEW [PSumLogByDay] as SELECT A AS B, C As D FROM T"));
  EXPECT_TRUE(p_CreateView("CREATE VIEW [VTaskList] AS SELECT new FROM T"));
  EXPECT_TRUE(p_CreateProcedure("CREATE PROCEDURE [P] AS SELECT * FROM T WHERE ID = [lTaskIDX]"));
  EXPECT_EQ(db_.catalogCalls,
            (QStringList{"DeleteProcedure PSumLogByDay", "AppendView PSumLogByDay", "DeleteView VTaskList",
                         "AppendView VTaskList", "DeleteProcedure P", "DeleteView P", "AppendProcedure P"}));
  EXPECT_EQ(db_.views, (std::map<QString, QString>{{"PSumLogByDay", "SELECT A AS B, C As D FROM T"},
                                                   {"VTaskList", "SELECT new FROM T"}}));
  EXPECT_EQ(db_.procedures, (std::map<QString, QString>{{"P", "SELECT * FROM T WHERE ID = [lTaskIDX]"}}));
}

// A missing name or query is logged under the handler and thrown on with code 100.
TEST_F(CatalogStatements, NamedQueryFailuresAreLoggedAndPassedOn) {
  const struct {
    bool (*handler)(const QString&);
    const char* statement;
    const char* logged;
  } cases[] = {
      {p_CreateView, "CREATE VIEW V AS SELECT 1", "[err: modMain.p_CreateView] line 1, 100, View 이름 없음"},
      {p_CreateView, "CREATE VIEW [V] SELECT 1", "[err: modMain.p_CreateView] line 2, 100, View SQL 없음"},
      {p_CreateProcedure, "CREATE PROCEDURE P AS SELECT 1",
       "[err: modMain.p_CreateProcedure] line 1, 100, Procedure 이름 없음"},
      {p_CreateProcedure, "CREATE PROCEDURE [P]", "[err: modMain.p_CreateProcedure] line 2, 100, Procedure SQL 없음"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(test::FailureCode([&] { c.handler(QString::fromUtf8(c.statement)); }), 100) << c.statement;
    EXPECT_EQ(LogCount(QString::fromUtf8(c.logged)), 1) << c.statement;
  }

  // A catalogue failure keeps its own code; what was deleted stays deleted.
  db_.procedures["V"] = "SELECT 0";
  db_.failCatalogCall = "AppendView V";
  EXPECT_EQ(test::FailureCode([] { p_CreateView("CREATE VIEW [V] AS SELECT 1"); }), dberr::kInvalidArg);
  EXPECT_TRUE(db_.procedures.empty() && db_.views.empty());

  // Without an open connection: a failure, not a crash.
  ReleaseSharedConnection();
  EXPECT_THROW(p_CreateView("CREATE VIEW [V] AS SELECT 1"), DbError);
}

// Each statement in turn on one catalogue: what it answers, and the tables
// after it. A refused change is logged under its handler with its code.
TEST_F(CatalogStatements, RenamesOfTablesAndColumns) {
  db_.tables = {{"TFunctionPresets", {"ID"}}, {"TIPKinds", {"IDX", "ExchangeCookiePortion"}}};
  const struct {
    bool (*handler)(const QString&);
    const char* statement;
    bool done;
  } steps[] = {
      {p_RenameTable, "ALTER TABLE TFunctionPresets RENAME TO TSiteCategories", true},
      {p_RenameTable, "ALTER TABLE TFunctionPresets RENAME TO TSiteCategories", false},
      {p_RenameTable, "ALTER TABLE [TSiteCategories] RENAME TO [TOther]", true},
      {p_RenameTable, "alter table TOther RENAME TO TThird", false},
      {p_RenameTable, "ALTER TABLE TOther RENAME TO []", false},
      {p_RenameColumn, "ALTER TABLE [TIPKinds] RENAME COLUMN [ExchangeCookiePortion] TO [ExchangePortion]", true},
      {p_RenameColumn, "ALTER TABLE TIPKinds RENAME COLUMN ExchangeCookiePortion TO X", false},
      {p_RenameColumn, "ALTER TABLE TMissing RENAME COLUMN IDX TO X", false},
      {p_RenameColumn, "ALTER TABLE TIPKinds RENAME COLUMN IDX", false},
      {p_RenameColumn, "ALTER TABLE TIPKinds RENAME COLUMN IDX TO ID", true},
  };
  for (const auto& step : steps) EXPECT_EQ(step.handler(QString::fromUtf8(step.statement)), step.done) << step.statement;
  EXPECT_EQ(db_.tables, (std::map<QString, QStringList>{{"TOther", {"ID"}}, {"TIPKinds", {"ID", "ExchangePortion"}}}));

  db_.failCatalogCall = "RenameTable TOther";
  EXPECT_FALSE(p_RenameTable("ALTER TABLE TOther RENAME TO TFourth"));
  EXPECT_EQ(LogCount(QString("ERROR: modMain.p_RenameTable Line = 4\t%1\tCatalogue refused RenameTable TOther")
                         .arg(dberr::kInvalidArg)),
            1);
  db_.failCatalogCall = "RenameColumn TIPKinds.ID";
  EXPECT_FALSE(p_RenameColumn("ALTER TABLE TIPKinds RENAME COLUMN ID TO IDX"));
  EXPECT_EQ(LogCount("ERROR: modMain.p_RenameColumn Line = 4\t"), 1);
  ReleaseSharedConnection();
  EXPECT_FALSE(p_RenameTable("ALTER TABLE A RENAME TO B"));
  EXPECT_EQ(LogCount(QString("ERROR: modMain.p_RenameTable Line = 4\t%1\t").arg(dberr::kClosed)), 1);
}

// Pairs are read until one is missing or has an empty text; a column the
// table lacks is skipped, a refused one ends the statement.
TEST_F(CatalogStatements, ColumnDescriptionsPairByPair) {
  db_.tables["TUserAgentsRaw"] = {"IDX", "num", "UAUseType", "UA"};
  db_.tables["T"] = {"A", "B", "C"};
  p_SetColumnDescription(
      "SetColumnDescription [TUserAgentsRaw] IDX = \"일련번호\" ,num='번호' , [Nope]=\"skipped\""
      " ,UAUseType = \"UA용도 0:ahen, 1:작업, 2:공댓공\" ,UA = \"say \"\"hi\"\", it's\"");
  p_SetColumnDescription("SetColumnDescription T");
  p_SetColumnDescription("SetColumnDescription TMissing A=\"x\"");
  p_SetColumnDescription("SetColumnDescription T A=\"\" ,B=\"b\"");
  db_.failCatalogCall = "SetColumnDescription T.B";
  p_SetColumnDescription("SetColumnDescription T A=\"a\" ,B=\"b\" ,C=\"c\"");
  EXPECT_EQ(db_.descriptions, (std::map<QString, QString>{{"TUserAgentsRaw.IDX", "일련번호"},
                                                          {"TUserAgentsRaw.num", "번호"},
                                                          {"TUserAgentsRaw.UAUseType", "UA용도 0:ahen, 1:작업, 2:공댓공"},
                                                          {"TUserAgentsRaw.UA", "say \"\"hi\"\", it's"},
                                                          {"T.A", "a"}}));
  EXPECT_EQ(LogCount("ERROR: modMain.p_SetColumnDescription Line = 4\t"), 1);
}

}  // namespace
}  // namespace mt::testing
