#include <gtest/gtest.h>

#include "upgrade/statement_text.h"

namespace mt::upgrade {
namespace {

TEST(NormaliseStatement, EveryLineEndBecomesOneSpace) {
  EXPECT_EQ(NormaliseStatement("INSERT INTO T\r\nVALUES (1)"), "INSERT INTO T VALUES (1)");
  EXPECT_EQ(NormaliseStatement("INSERT INTO T\rVALUES (1)"), "INSERT INTO T VALUES (1)");
  EXPECT_EQ(NormaliseStatement("INSERT INTO T\nVALUES (1)"), "INSERT INTO T VALUES (1)");
  EXPECT_EQ(NormaliseStatement("INSERT INTO T\r\r\nVALUES (1)"), "INSERT INTO T VALUES (1)");
  // Blank lines between the parts of one statement leave one space as well.
  EXPECT_EQ(NormaliseStatement("A\r\n\r\n\r\nB"), "A B");
  // Leading line ends (after the previous separator) vanish.
  EXPECT_EQ(NormaliseStatement("\r\n\r\nUPDATE T SET A=1 \r\n"), "UPDATE T SET A=1");
}

TEST(NormaliseStatement, SpacesTrimmedAndCollapsedTabsKept) {
  EXPECT_EQ(NormaliseStatement("   UPDATE  T   SET A = 'x     y'   "), "UPDATE T SET A = 'x y'");
  EXPECT_EQ(NormaliseStatement("\t\tINSERT INTO T VALUES (1)"), "\t\tINSERT INTO T VALUES (1)");
  EXPECT_EQ(NormaliseStatement("CREATE TABLE T (\r\n\tA LONG,\r\n\tB MEMO)"),
            "CREATE TABLE T ( \tA LONG, \tB MEMO)");
  EXPECT_EQ(NormaliseStatement(QString(3, QChar(0))), QString(3, QChar(0)));
  EXPECT_EQ(NormaliseStatement(" \r\n \r\n "), "");
}

TEST(SplitScript, CutsAtEverySeparator) {
  EXPECT_TRUE(SplitScript("").isEmpty());
  EXPECT_EQ(SplitScript("A■B■\r\n"), (QStringList{"A", "B", "\r\n"}));
  EXPECT_EQ(SplitScript("A"), QStringList{"A"});
  EXPECT_EQ(SplitScript("■■").size(), 3);
}

TEST(ClassifyStatement, FirstMatchingRuleDecides) {
  EXPECT_EQ(ClassifyStatement("CREATE VIEW [V] AS SELECT 1"), StatementKind::CreateView);
  EXPECT_EQ(ClassifyStatement("create view V as SELECT 1"), StatementKind::CreateView);
  EXPECT_EQ(ClassifyStatement("Create Procedure [P] AS SELECT 1"), StatementKind::CreateProcedure);
  // A view whose text renames something is still a view.
  EXPECT_EQ(ClassifyStatement("CREATE VIEW [V] AS SELECT ' RENAME TO ' FROM T"),
            StatementKind::CreateView);
  EXPECT_EQ(ClassifyStatement("\tCREATE VIEW [V] AS SELECT 1"), StatementKind::Execute);
  EXPECT_EQ(ClassifyStatement("ALTER TABLE A RENAME TO B"), StatementKind::RenameTable);
  EXPECT_EQ(ClassifyStatement("alter table a rename to b"), StatementKind::Execute);
  EXPECT_EQ(ClassifyStatement("ALTER TABLE A RENAME COLUMN X TO Y"), StatementKind::RenameColumn);
  EXPECT_EQ(ClassifyStatement("ALTER TABLE A RENAME COLUMN X RENAME TO Y"), StatementKind::RenameTable);
  EXPECT_EQ(ClassifyStatement("SetColumnDescription T A=\"x\""), StatementKind::SetColumnDescription);
  EXPECT_EQ(ClassifyStatement("INSERT INTO T VALUES ('SetColumnDescription')"),
            StatementKind::SetColumnDescription);
  EXPECT_EQ(ClassifyStatement("INSERT INTO T VALUES ('setcolumndescription')"), StatementKind::Execute);
  EXPECT_EQ(ClassifyStatement("ALTER TABLE A ADD COLUMN B LONG"), StatementKind::Execute);
}

}  // namespace
}  // namespace mt::upgrade
