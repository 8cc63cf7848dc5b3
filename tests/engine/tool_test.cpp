// The text forms of `marrowtide-db sql` and `marrowtide-db schema`: field
// formatting directly, and the commands themselves when the tool is built.
#include <QDateTime>
#include <QFileInfo>

#include "db/query.h"
#include "engine_fixture.h"
#include "support/tool_run.h"

namespace mt::test {
namespace {

TEST(FieldTextTest, ValuesPrintAsTheToolContractSays) {
  const std::pair<QVariant, QString> cases[] = {
      {QVariant(), "\\N"}, {QString(), ""}, {"a\tb\nc\rd\\e", "a\\tb\\nc\\rd\\\\e"},
      // Other control characters (C0, DEL, C1) never reach the terminal as they are.
      {QString::fromUtf8("\x1b[2Jx\x07\x7f\xc2\x9b\x00é", 12), "\\x1b[2Jx\\x07\\x7f\\x9b\\x00é"},
      {true, "True"}, {false, "False"}, {QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45)), "2024-07-04 05:38:45"},
      {qint64(-2147483648LL), "-2147483648"}, {0.1, "0.1"}, {3.0, "3"}, {1e20, "100000000000000000000"},
      {-1.5e-7, "-0.00000015"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(engine::FieldText(value), text) << text.toStdString();
}

class ToolTest : public EngineTest {
 protected:
  void SetUp() override {
    if (ToolPath().isEmpty()) GTEST_SKIP() << "marrowtide-db is not built";
    ASSERT_TRUE(dir_.isValid());
    // The tool opens databases with the product's password.
    conn_ = engine_.Create(Path(), DatabasePassword());
    Exec(QStringLiteral("CREATE TABLE TSettings (ID TEXT(50), Val1 MEMO, N LONG, F FLOAT, B BIT, D DATETIME, "
                        "CONSTRAINT PrimaryKey PRIMARY KEY (ID))"));
    Exec(QStringLiteral("INSERT INTO TSettings (ID, Val1, N, F, B, D) VALUES "
                        "('DBVersion', 'tab\there', 405, 0.5, True, #2024-07-04 05:38:45#)"));
    Exec(QStringLiteral("INSERT INTO TSettings (ID) VALUES ('IsDBEn')"));
    conn_->GetCatalog().SetColumnDescription(QStringLiteral("TSettings"), QStringLiteral("ID"),
                                             QStringLiteral("설정ID"));
    conn_->Close();
  }

  using Result = ToolResult;
  static Result Run(const QStringList& args) { return RunTool(args); }
};

TEST_F(ToolTest, SqlPrintsRowsOrTheAffectedCountAndSchemaTheCatalogue) {
  Result r = Run({"sql", Path(), "SELECT ID, Val1, N, F, B, D FROM TSettings ORDER BY ID"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("ID\tVal1\tN\tF\tB\tD\n"
                                  "DBVersion\ttab\\there\t405\t0.5\tTrue\t2024-07-04 05:38:45\n"
                                  "IsDBEn\t\\N\t\\N\t\\N\t\\N\t\\N\n"));
  r = Run({"sql", Path(), "UPDATE TSettings SET N = 1"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, QStringLiteral("2\n"));
  r = Run({"schema", Path()});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("table\tTSettings\n"
                                  "column\tTSettings\tID\tTEXT(50)\t\t\n"
                                  "column\tTSettings\tVal1\tMEMO\t\t\n"
                                  "column\tTSettings\tN\tLONG\t\t\n"
                                  "column\tTSettings\tF\tFLOAT\t\t\n"
                                  "column\tTSettings\tB\tBIT\t\t\n"
                                  "column\tTSettings\tD\tDATETIME\t\t\n"
                                  "key\tTSettings\tPrimaryKey\tPRIMARY\tID\n"
                                  "description\tTSettings\tID\t설정ID\n"));
}

TEST_F(ToolTest, FailuresAndWrongUsage) {
  Result r = Run({"sql", Path(), "SELECT * FROM TMissing"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("error %1: ").arg(dberr::kNotFound))) << r.err.toStdString();
  r = Run({"schema", Path("missing.mdb")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("error %1: ").arg(dberr::kOpenFailed)));
  EXPECT_FALSE(QFileInfo::exists(Path("missing.mdb")));
  EXPECT_EQ(Run({"sql", Path()}).exitCode, 2);
}

}  // namespace
}  // namespace mt::test
