// A script from its store to its statements: extracted and read back,
// normalised and classified (split in the upgrade engine tests).
#include "support/real_db.h"
#include "upgrade/statement_text.h"
#include "upgrade/upgrade_fixture.h"

namespace mt::upgrade {
namespace {

using ScriptStore = testing::UpgradeFixture;

// The exact bytes (NULs included) over a longer stale file; read back, only
// the byte-order mark goes.
TEST_F(ScriptStore, ExtractWritesTheExactBytesAndReadDropsOnlyTheByteOrderMark) {
  const char raw[] = "\xEF\xBB\xBFINSERT INTO T\r\nVALUES (1)\xE2\x96\xA0\r\r\n\t\x00\x00";
  const QByteArray script(raw, sizeof raw - 1);
  AddScript(7, script);
  const QString path = spine_.folder.File(QStringLiteral("10007.sql"));
  test::WriteFile(path, "stale content that is longer than the script itself, by far");
  EXPECT_TRUE(ExtractResourceToFile(10007, QStringLiteral("SQL"), path));
  EXPECT_EQ(test::FileBytes(path), script);
  EXPECT_EQ(LogCount(QStringLiteral("modMain.ExtractResourceToFile")), 0);

  const QString text = ReadScriptFile(path);
  EXPECT_EQ(text, QString::fromUtf8(script.mid(3)));
  EXPECT_EQ(text.size(), 32);
  EXPECT_EQ(text[25], QChar(0x25A0));
  EXPECT_THROW(ReadScriptFile(spine_.folder.File(QStringLiteral("nothing.sql"))), DbError);
}

// Every line end becomes one space, leading and trailing ones vanish, runs of
// spaces collapse; tabs and NUL characters stay. (CR LF and lone CR inside
// statements are the upgrade engine tests' matter.)
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
      {"INSERT INTO T VALUES ('SetColumnDescription', ' RENAME COLUMN ')", StatementKind::RenameColumn},
      {"SetColumnDescription T A=' RENAME COLUMN  RENAME TO '", StatementKind::RenameTable},
      {"ALTER TABLE A  RENAME TO B", StatementKind::RenameTable},
      {"ALTER TABLE A RENAME TO", StatementKind::Execute},
  };
  for (const auto& [sql, kind] : cases) EXPECT_EQ(ClassifyStatement(sql), kind) << sql;
}

}  // namespace
}  // namespace mt::upgrade
