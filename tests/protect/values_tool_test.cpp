// marrowtide-db values FILE encrypt|decrypt, run as the built tool: in place,
// only once, and a failure (the pass's own failures are the value-pass tests'
// matter) reports and leaves the file alone. (The engine rewrites the file
// header on every open, so the content is compared, not the bytes.)
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "app/globals.h"
#include "protect/cipher.h"
#include "support/fake_services.h"
#include "support/real_db.h"
#include "support/tool_run.h"

namespace mt {
namespace {

TEST(ValuesTool, EncryptsAndDecryptsAFileInPlaceOnlyOnce) {
  if (test::ToolPath().isEmpty()) GTEST_SKIP() << "marrowtide-db is not built";
  const test::RealFilesScope scope;
  const QString db = Globals().DBPath;
  const auto values = [&](const QStringList& args) { return test::RunTool(QStringList{"values", db} + args); };
  // Version, marker, code text and user agent as stored.
  const auto stored = [&] {
    QStringList out;
    for (const char* sql : {"SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'",
                            "SELECT Val1 FROM TSettings WHERE ID = 'IsDBEn'", "SELECT ValText FROM TCodes",
                            "SELECT UA FROM TUserAgentsRaw"})
      out << test::Texts(db, QString::fromLatin1(sql)).value(0);
    return out;
  };
  EXPECT_EQ(values({}).exitCode, 2);
  EXPECT_EQ(values({"scramble"}).exitCode, 2);
  EXPECT_EQ(values({"encrypt"}).exitCode, 1);  // no such file
  EXPECT_FALSE(QFileInfo::exists(db));

  test::CreateDatabase(db, {"CREATE TABLE TSettings (ID MEMO, Val1 MEMO, Val2 MEMO, Val3 MEMO, Alias MEMO)",
                            "CREATE TABLE TCodes (Code MEMO, Val LONG, ValText MEMO, Description MEMO, Tag MEMO)",
                            "CREATE TABLE TUserAgentsRaw (IDX AUTOINCREMENT, UA MEMO, CONSTRAINT PK PRIMARY KEY (IDX))",
                            "INSERT INTO TSettings (ID, Val1) VALUES ('DBVersion', '320')",
                            "INSERT INTO TSettings (ID, Val1) VALUES ('IsDBEn', '0')",
                            "INSERT INTO TCodes VALUES ('C', 1, '코드 값', NULL, NULL)",
                            "INSERT INTO TUserAgentsRaw (UA) VALUES ('agent')"});
  const QStringList plain = stored();
  ASSERT_EQ(values({"encrypt"}).exitCode, 0);
  const QStringList encrypted = stored();
  QStringList opened;
  for (const QString& v : encrypted) opened << DBDecryptValue(v);
  EXPECT_EQ(opened, (QStringList{"320", "1", "코드 값", "agent"}));
  EXPECT_NE(encrypted[0], plain[0]);
  EXPECT_EQ(QDir(scope.data.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Marrowtide.mdb"});

  // Encrypting twice would bury the values under a second layer.
  const test::ToolResult again = values({"encrypt"});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_TRUE(again.err.startsWith(QStringLiteral("error: "))) << again.err.toStdString();
  EXPECT_EQ(stored(), encrypted);
  ASSERT_EQ(values({"decrypt"}).exitCode, 0);
  EXPECT_EQ(stored(), plain);
}

}  // namespace
}  // namespace mt
