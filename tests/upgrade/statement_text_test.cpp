#include <gtest/gtest.h>

#include "upgrade/statement_text.h"

namespace mt::upgrade {
namespace {

// Every line end becomes one space, leading and trailing ones vanish, runs of
// spaces collapse; tabs and NUL characters stay. (Splitting, and CR LF and
// lone CR in statements, are the upgrade engine tests' matter.)
TEST(NormaliseStatement, LineEndsAndSpaces) {
  const std::pair<QString, QString> cases[] = {
      {"INSERT INTO T\r\r\nVALUES (1)", "INSERT INTO T VALUES (1)"},
      {"A\r\n\r\n\nB", "A B"},
      {"\r\n\r\nUPDATE T SET A=1 \r\n", "UPDATE T SET A=1"},
      {"   UPDATE  T   SET A = 'x     y'   ", "UPDATE T SET A = 'x y'"},
      {"CREATE TABLE T (\r\n\tA LONG,\r\n\tB MEMO)", "CREATE TABLE T ( \tA LONG, \tB MEMO)"},
      {QString(3, QChar(0)), QString(3, QChar(0))},
      {" \r\n \r\n ", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(NormaliseStatement(in), out) << in.toStdString();
}

TEST(ClassifyStatement, FirstMatchingRuleDecides) {
  const std::pair<const char*, StatementKind> cases[] = {
      {"CREATE VIEW [V] AS SELECT 1", StatementKind::CreateView},
      {"create view V as SELECT 1", StatementKind::CreateView},
      {"Create Procedure [P] AS SELECT 1", StatementKind::CreateProcedure},
      {"CREATE VIEW [V] AS SELECT ' RENAME TO ' FROM T", StatementKind::CreateView},
      {"\tCREATE VIEW [V] AS SELECT 1", StatementKind::Execute},
      {"ALTER TABLE A RENAME TO B", StatementKind::RenameTable},
      {"alter table a rename to b", StatementKind::Execute},
      {"ALTER TABLE A RENAME COLUMN X TO Y", StatementKind::RenameColumn},
      {"ALTER TABLE A RENAME COLUMN X RENAME TO Y", StatementKind::RenameTable},
      {"INSERT INTO T VALUES ('SetColumnDescription')", StatementKind::SetColumnDescription},
      {"INSERT INTO T VALUES ('setcolumndescription')", StatementKind::Execute},
  };
  for (const auto& [sql, kind] : cases) EXPECT_EQ(ClassifyStatement(sql), kind) << sql;
}

}  // namespace
}  // namespace mt::upgrade
