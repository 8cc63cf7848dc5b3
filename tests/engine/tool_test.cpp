// The text forms of `marrowtide-db sql` and `marrowtide-db schema`: field
// formatting directly, and the commands themselves when the tool is built.
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

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

// The built tool on a database it opens with the product's password: rows
// with a header or the affected count, errors with their code (the schema
// lines are checked with the import).
TEST(ToolTest, SqlAndSchemaPrintTheContractsTextsAndFailuresTheirCode) {
  if (ToolPath().isEmpty()) GTEST_SKIP() << "marrowtide-db is not built";
  QTemporaryDir dir;
  const QString db = dir.filePath("db.mdb"), missing = dir.filePath("missing.mdb");
  CreateDatabase(db, {"CREATE TABLE TSettings (ID TEXT(50), Val1 MEMO, B BIT, CONSTRAINT PrimaryKey PRIMARY KEY (ID))",
                      "INSERT INTO TSettings (ID, Val1, B) VALUES ('DBVersion', 'tab\there', True)",
                      "INSERT INTO TSettings (ID) VALUES ('IsDBEn')"});
  ToolResult r = RunTool({"sql", db, "SELECT ID, Val1, B, Len(ID), ID & '' FROM TSettings ORDER BY ID"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, "ID\tVal1\tB\tExpr1000\tExpr1001\nDBVersion\ttab\\there\tTrue\t9\tDBVersion\n"
                   "IsDBEn\t\\N\t\\N\t6\tIsDBEn\n");
  r = RunTool({"sql", db, "UPDATE TSettings SET B = 1"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "2\n");
  r = RunTool({"sql", db, "SELECT * FROM TMissing"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("error: "))) << r.err.toStdString();
  EXPECT_TRUE(r.err.endsWith(QStringLiteral(" (code %1)\n").arg(dberr::kNotFound))) << r.err.toStdString();
  EXPECT_FALSE(r.err.contains(QStringLiteral("ERROR: "))) << r.err.toStdString();  // no log line inside
  r = RunTool({"schema", missing});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.endsWith(QStringLiteral(" (code %1)\n").arg(dberr::kOpenFailed))) << r.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(missing));
}

}  // namespace
}  // namespace mt::test
