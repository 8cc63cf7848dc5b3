#include "support/real_db.h"
#include "upgrade/upgrade_fixture.h"

namespace mt::testing {
namespace {

using ScriptStore = UpgradeFixture;

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

// An absent resource (also one of another type) and an unwritable path each
// log one line and answer false.
TEST_F(ScriptStore, FailedExtractLogsOneLineAndAnswersFalse) {
  const QString path = spine_.folder.File(QStringLiteral("10001.sql"));
  EXPECT_FALSE(ExtractResourceToFile(10001, QStringLiteral("SQL"), path));
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(LogCount(QStringLiteral("modMain.ExtractResourceToFile\t326\t")), 1);
  EXPECT_TRUE(Log().contains(QStringLiteral("'10001'")));
  AddScript(5, "INSERT");
  EXPECT_FALSE(ExtractResourceToFile(10005, QStringLiteral("BIN"), path));
  EXPECT_FALSE(ExtractResourceToFile(10005, QStringLiteral("SQL"),
                                     spine_.folder.File(QStringLiteral("missing/10005.sql"))));
  EXPECT_EQ(LogCount(QStringLiteral("modMain.ExtractResourceToFile\t75\t")), 1);
}

}  // namespace
}  // namespace mt::testing
