// marrowtide-db values FILE encrypt|decrypt, run as the built tool.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "protect/cipher.h"
#include "protect/sodium_crypto.h"
#include "support/real_db.h"
#include "support/tool_run.h"

namespace mt {
namespace {

class ValuesTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (test::ToolPath().isEmpty()) GTEST_SKIP() << "marrowtide-db is not built";
    ResetCipherComponent();
    SetCryptoFactory(&crypto_);
  }
  void TearDown() override {
    ResetCipherComponent();
    SetCryptoFactory(nullptr);
  }
  void Build(bool withCodes) {
    QStringList sql = {
        "CREATE TABLE TSettings (ID MEMO, Val1 MEMO, Val2 MEMO, Val3 MEMO, Alias MEMO)",
        "CREATE TABLE TCodes (Code MEMO, Val LONG, ValText MEMO, Description MEMO, Tag MEMO)",
        "CREATE TABLE TUserAgentsRaw (IDX AUTOINCREMENT, UA MEMO, CONSTRAINT PK PRIMARY KEY (IDX))",
        "INSERT INTO TSettings (ID, Val1) VALUES ('DBVersion', '320')",
        "INSERT INTO TSettings (ID, Val1) VALUES ('IsDBEn', '0')",
        "INSERT INTO TUserAgentsRaw (UA) VALUES ('agent')",
    };
    if (withCodes) sql << "INSERT INTO TCodes VALUES ('C', 1, '코드 값', NULL, NULL)";
    test::CreateDatabase(db_, sql);
  }
  test::ToolResult Values(const QString& direction) { return test::RunTool({"values", db_, direction}); }
  // Version, marker, code text and user agent as stored.
  QStringList Stored() const {
    return {Value("SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'"),
            Value("SELECT Val1 FROM TSettings WHERE ID = 'IsDBEn'"), Value("SELECT ValText FROM TCodes"),
            Value("SELECT UA FROM TUserAgentsRaw")};
  }
  QString Value(const char* sql) const { return test::Column(db_, QString::fromLatin1(sql)).value(0).toString(); }

  QTemporaryDir dir_;
  QString db_ = dir_.filePath(QStringLiteral("Marrowtide.mdb"));
  SodiumCryptoFactory crypto_;
};

TEST_F(ValuesTool, EncryptsAndDecryptsAFileInPlaceOnlyOnce) {
  Build(true);
  const QStringList plain = Stored();
  ASSERT_EQ(Values("encrypt").exitCode, 0);
  const QStringList encrypted = Stored();
  QStringList opened;
  for (const QString& v : encrypted) opened << DBDecryptValue(v);
  EXPECT_EQ(opened, (QStringList{"320", "1", "코드 값", "agent"}));
  EXPECT_NE(encrypted[0], plain[0]);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Marrowtide.mdb"});

  // Encrypting twice would bury the values under a second layer.
  const test::ToolResult again = Values("encrypt");
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_TRUE(again.err.startsWith(QStringLiteral("error "))) << again.err.toStdString();
  EXPECT_EQ(Stored(), encrypted);

  ASSERT_EQ(Values("decrypt").exitCode, 0);
  EXPECT_EQ(Stored(), plain);
}

// (The engine rewrites the file header on every open, so the content is
// compared, not the bytes.)
TEST_F(ValuesTool, FailuresReportAndLeaveTheFileAlone) {
  EXPECT_EQ(test::RunTool({"values", db_}).exitCode, 2);
  EXPECT_EQ(Values("scramble").exitCode, 2);
  EXPECT_EQ(Values("encrypt").exitCode, 1);  // no such file
  EXPECT_FALSE(QFileInfo::exists(db_));

  Build(false);
  const QStringList before = Stored();
  const test::ToolResult r = Values("encrypt");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("TCodes"))) << r.err.toStdString();
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Marrowtide.mdb"});
}

}  // namespace
}  // namespace mt
