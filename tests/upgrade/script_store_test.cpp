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

}  // namespace
}  // namespace mt::testing
