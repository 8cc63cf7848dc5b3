#include <gtest/gtest.h>

#include "upgrade/upgrade_fixture.h"

namespace mt::testing {
namespace {

using ScriptStore = UpgradeFixture;

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

TEST_F(ScriptStore, ExtractWritesTheExactBytesOverAStaleFile) {
  const char raw[] = "\xEF\xBB\xBFINSERT INTO T\r\nVALUES (1)\xE2\x96\xA0\r\r\n\t\x00\x00";
  const QByteArray script(raw, sizeof raw - 1);
  AddScript(7, script);
  const QString path = spine_.folder.File(QStringLiteral("10007.sql"));
  {
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("stale content that is longer than the script itself, by far");
  }
  EXPECT_TRUE(ExtractResourceToFile(10007, QStringLiteral("SQL"), path));
  EXPECT_EQ(ReadBytes(path), script);
  EXPECT_EQ(LogCount(QStringLiteral("modMain.ExtractResourceToFile")), 0);
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

TEST_F(ScriptStore, ReadDropsOnlyTheByteOrderMarkAndAMissingFileThrows) {
  const char raw[] = "A\r\nB\rC\nD\tE \xE2\x96\xA0\x00\x00\x00";
  const QByteArray body(raw, sizeof raw - 1);
  const QString withBom = spine_.folder.File(QStringLiteral("bom.sql"));
  const QString without = spine_.folder.File(QStringLiteral("plain.sql"));
  QFile a(withBom), b(without);
  ASSERT_TRUE(a.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
  a.write("\xEF\xBB\xBF" + body);
  b.write(body);
  a.close();
  b.close();

  const QString text = ReadScriptFile(without);
  EXPECT_EQ(ReadScriptFile(withBom), text);
  EXPECT_EQ(text, QString::fromUtf8(body));
  EXPECT_EQ(text.size(), 15);
  EXPECT_TRUE(text.endsWith(QString(3, QChar(0))));
  EXPECT_EQ(text[11], QChar(0x25A0));
  EXPECT_THROW(ReadScriptFile(spine_.folder.File(QStringLiteral("nothing.sql"))), DbError);
}

}  // namespace
}  // namespace mt::testing
