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
  using engine::FieldText;
  EXPECT_EQ(FieldText(QVariant()), QStringLiteral("\\N"));
  EXPECT_EQ(FieldText(QVariant(QString())), QString());
  EXPECT_EQ(FieldText(QStringLiteral("a\tb\nc\rd\\e")), QStringLiteral("a\\tb\\nc\\rd\\\\e"));
  // Other control characters (C0, DEL, C1) never reach the terminal as they are.
  EXPECT_EQ(FieldText(QString::fromUtf8("\x1b[2Jx\x07\x7f\xc2\x9b\x00é", 12)),
            QStringLiteral("\\x1b[2Jx\\x07\\x7f\\x9b\\x00é"));
  EXPECT_EQ(FieldText(true), QStringLiteral("True"));
  EXPECT_EQ(FieldText(false), QStringLiteral("False"));
  EXPECT_EQ(FieldText(QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45))), QStringLiteral("2024-07-04 05:38:45"));
  EXPECT_EQ(FieldText(qint64(-2147483648LL)), QStringLiteral("-2147483648"));
  EXPECT_EQ(FieldText(0.1), QStringLiteral("0.1"));
  EXPECT_EQ(FieldText(3.0), QStringLiteral("3"));
  EXPECT_EQ(FieldText(1e20), QStringLiteral("100000000000000000000"));
  EXPECT_EQ(FieldText(-1.5e-7), QStringLiteral("-0.00000015"));
  EXPECT_EQ(FieldText(45000.25), QStringLiteral("45000.25"));
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
  Result Run(const QStringList& args) { return RunTool(args); }
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
  Result r = Run({QStringLiteral("sql"), Path(), QStringLiteral("SELECT * FROM TMissing")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("error %1: ").arg(dberr::kNotFound))) << r.err.toStdString();
  r = Run({QStringLiteral("schema"), Path(QStringLiteral("missing.mdb"))});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("error %1: ").arg(dberr::kOpenFailed)));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("missing.mdb"))));
  EXPECT_EQ(Run({QStringLiteral("sql"), Path()}).exitCode, 2);
  EXPECT_EQ(Run({QStringLiteral("schema")}).exitCode, 2);
}

}  // namespace
}  // namespace mt::test
