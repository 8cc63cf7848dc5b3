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
    db_ = dir_.filePath(QStringLiteral("Marrowtide.mdb"));
  }
  void TearDown() override {
    ResetCipherComponent();
    SetCryptoFactory(nullptr);
  }
  void Build(bool withCodes = true) {
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
  int Run(const QStringList& args, QString* err = nullptr) {
    const test::ToolResult r = test::RunTool(args);
    if (err) *err = r.err;
    return r.exitCode;
  }
  QString Value(const char* sql) const {
    const QVariantList v = test::Column(db_, QString::fromLatin1(sql));
    return v.isEmpty() ? QStringLiteral("<no row>") : v[0].toString();
  }
  QString Version() const { return Value("SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'"); }
  QString Marker() const { return Value("SELECT Val1 FROM TSettings WHERE ID = 'IsDBEn'"); }
  QStringList FolderFiles() const {
    return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }

  QString db_;
  QTemporaryDir dir_;
  SodiumCryptoFactory crypto_;
};

TEST_F(ValuesTool, EncryptsAndDecryptsAFileInPlace) {
  Build();
  ASSERT_EQ(Run({"values", db_, "encrypt"}), 0);
  const QString version = Version();
  EXPECT_NE(version, QStringLiteral("320"));
  EXPECT_EQ(DBDecryptValue(version), QStringLiteral("320"));
  EXPECT_EQ(DBDecryptValue(Value("SELECT ValText FROM TCodes")), QStringLiteral("코드 값"));
  EXPECT_EQ(DBDecryptValue(Value("SELECT UA FROM TUserAgentsRaw")), QStringLiteral("agent"));
  EXPECT_EQ(FolderFiles(), QStringList{QStringLiteral("Marrowtide.mdb")});

  // Encrypting twice would bury the values under a second layer.
  QString err;
  EXPECT_EQ(Run({"values", db_, "encrypt"}, &err), 1);
  EXPECT_TRUE(err.startsWith(QStringLiteral("error "))) << err.toStdString();
  EXPECT_EQ(Version(), version);

  ASSERT_EQ(Run({"values", db_, "decrypt"}), 0);
  EXPECT_EQ(Version(), QStringLiteral("320"));
  EXPECT_EQ(Value("SELECT UA FROM TUserAgentsRaw"), QStringLiteral("agent"));
  EXPECT_EQ(Marker(), QStringLiteral("0"));
}

TEST_F(ValuesTool, FailuresReportAndLeaveTheFileAlone) {
  EXPECT_EQ(Run({"values", db_}), 2);
  EXPECT_EQ(Run({"values", db_, "scramble"}), 2);
  QString err;
  EXPECT_EQ(Run({"values", db_, "encrypt"}, &err), 1);  // no such file
  EXPECT_FALSE(QFileInfo::exists(db_));

  // (The tool reads the marker first, and the engine rewrites the file
  // header on every open, so the content is compared, not the bytes.)
  Build(/*withCodes=*/false);
  EXPECT_EQ(Run({"values", db_, "encrypt"}, &err), 1);
  EXPECT_TRUE(err.contains(QStringLiteral("TCodes"))) << err.toStdString();
  EXPECT_EQ(Version(), QStringLiteral("320"));
  EXPECT_EQ(Marker(), QStringLiteral("0"));
  EXPECT_EQ(FolderFiles(), QStringList{QStringLiteral("Marrowtide.mdb")});
}

}  // namespace
}  // namespace mt
