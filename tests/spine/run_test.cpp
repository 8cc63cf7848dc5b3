#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "app/globals.h"
#include "app/run.h"
#include "db/query.h"
#include "support/fake_services.h"

namespace mt {
namespace {

using test::SpineScope;

const QString kConnectTitle = QStringLiteral("DB 연결 실패");
const QString kM1 = kConnectTitle + QStringLiteral("|DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.");
const QString kM2 = kConnectTitle + QStringLiteral("|데이터베이스 연결에 실패하여 프로그램을 실행할 수 없습니다.");
const QString kM3 = QStringLiteral("DB 암호화 실패|DB 암호화 실패로 DB 업그레이드 프로그램을 종료합니다.");

// Passes that record their calls and, by default, behave like the real ones
// towards the run: the value passes flip the marker and release the
// shared connection.
class FakePasses : public RunPasses {
 public:
  explicit FakePasses(test::ScriptedDatabase& db) : db_(db) {}
  QStringList calls;
  std::function<void()> onEncrypt = [this] { db_.SetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1")); };
  std::function<void()> onDecrypt = [this] { db_.SetSetting(QStringLiteral("IsDBEn"), QStringLiteral("0")); };
  std::function<QString(const QString&)> decrypt = [](const QString& t) {
    return t.startsWith(QLatin1String("ENC:")) ? t.mid(4) : t;
  };

  void p_DBDecrypt(int32_t version) override {
    calls << QStringLiteral("decrypt %1").arg(version);
    ReleaseSharedConnection();
    onDecrypt();
  }
  void p_DBUpgrade(int32_t version) override { calls << QStringLiteral("upgrade %1").arg(version); }
  void p_DBEncrypt() override {
    calls << QStringLiteral("encrypt");
    ReleaseSharedConnection();
    onEncrypt();
  }
  void p_CompactDB() override { calls << QStringLiteral("compact"); }
  QString DBDecryptValue(const QString& text) override {
    calls << QStringLiteral("value ") + text;
    return decrypt(text);
  }

 private:
  test::ScriptedDatabase& db_;
};

class RunTest : public ::testing::Test {
 protected:
  RunTest() : path(s.folder.File(QStringLiteral("Marrowtide.mdb"))), db(s.engine.At(path)), passes(db) {
    QFile(path).open(QIODevice::WriteOnly);  // the default database file exists
  }
  void Given(const QVariant& version, const QVariant& marker) {
    db.SetSetting(QStringLiteral("DBVersion"), version);
    db.SetSetting(QStringLiteral("IsDBEn"), marker);
  }
  QStringList Run(const QString& argument = QString()) {
    RunMain(argument, passes, false);
    return passes.calls;
  }
  // The log lines of the run without the Start/End lines of IsDBEncrypt.
  QStringList Messages() const {
    QStringList m = s.folder.LogMessages();
    m.removeAll(QStringLiteral("modDB.IsDBEncrypt Start"));
    m.removeAll(QStringLiteral("modDB.IsDBEncrypt End"));
    return m;
  }
  SpineScope s;
  QString path;
  test::ScriptedDatabase& db;
  FakePasses passes;
};

TEST_F(RunTest, LatestVersionIsOnlyCompacted) {
  Given(QStringLiteral("405"), QStringLiteral("1"));
  EXPECT_EQ(Run(), QStringList{QStringLiteral("compact")});
  EXPECT_EQ(Messages(), (QStringList{QStringLiteral("DBPath = ") + path, QStringLiteral("modMain.Main End ")}));
  EXPECT_EQ(s.ui.calls, (QStringList{QStringLiteral("ShowProgress"), QStringLiteral("UnloadProgress")}));
  EXPECT_GE(s.ui.processed, 1);
  EXPECT_EQ(Globals().AppName, QStringLiteral("Marrowtide"));
  EXPECT_TRUE(Globals().LoggingEnabled);
  EXPECT_FALSE(s.folder.LogText().contains(QStringLiteral("modMain.Main Start")));
}

TEST_F(RunTest, PlainDatabaseIsUpgradedEncryptedAndCompacted) {
  Given(QStringLiteral("300"), QStringLiteral("0"));
  EXPECT_EQ(Run(), (QStringList{QStringLiteral("upgrade 300"), QStringLiteral("encrypt"), QStringLiteral("compact")}));
  EXPECT_TRUE(Globals().IsDBEncrypted);
  EXPECT_TRUE(s.ui.Boxes().isEmpty());
  EXPECT_EQ(db.opens, 2);  // opened by the run, reopened after the encryption pass
}

TEST_F(RunTest, EncryptedVersionIsDecryptedBeforeTheUpgrade) {
  Given(QStringLiteral("ENC:300"), QStringLiteral("1"));
  EXPECT_EQ(Run(), (QStringList{QStringLiteral("value ENC:300"), QStringLiteral("decrypt 300"),
                               QStringLiteral("upgrade 300"), QStringLiteral("encrypt"),
                               QStringLiteral("compact")}));
  EXPECT_EQ(db.opens, 3);
  EXPECT_EQ(Messages().first(), QStringLiteral("DBPath = ") + path);
  EXPECT_EQ(Messages().last(), QStringLiteral("modMain.Main End "));
}

TEST_F(RunTest, MissingOrNullVersionCountsAsOne) {
  db.SetSetting(QStringLiteral("IsDBEn"), QStringLiteral("0"));
  db.queries[test::SettingQuery(QStringLiteral("DBVersion"))] = test::ScriptedRows{{QStringLiteral("Val1")}, {}};
  EXPECT_EQ(Run().first(), QStringLiteral("upgrade 1"));

  passes.calls.clear();
  Given(QVariant(), QStringLiteral("0"));
  ReleaseSharedConnection();
  EXPECT_EQ(Run().first(), QStringLiteral("upgrade 1"));
}

TEST_F(RunTest, VersionsAboveTheLatestTakeTheUpgradeBranch) {
  Given(QStringLiteral(" 406 "), QStringLiteral("1"));
  EXPECT_EQ(Run(), (QStringList{QStringLiteral("decrypt 406"), QStringLiteral("upgrade 406"),
                               QStringLiteral("encrypt"), QStringLiteral("compact")}));
}

TEST_F(RunTest, UnreadableVersionIsAFailureOfMain) {
  Given(QStringLiteral("ENC:abc"), QStringLiteral("1"));
  EXPECT_EQ(Run(), QStringList{QStringLiteral("value ENC:abc")});
  const QStringList m = Messages();
  ASSERT_EQ(m.size(), 3);
  EXPECT_EQ(m[0], QStringLiteral("DBPath = ") + path);
  EXPECT_EQ(m[1], QStringLiteral("ERROR: modMain.Main Line = 0\t13\tType mismatch"));
  EXPECT_EQ(m[2], QStringLiteral("modMain.Main End "));
  EXPECT_FALSE(s.ui.loaded);
  EXPECT_TRUE(s.ui.Boxes().isEmpty());
}

TEST_F(RunTest, VersionBeyondThirtyTwoBitsIsAFailureOfMain) {
  Given(QStringLiteral("99999999999"), QStringLiteral("0"));
  EXPECT_TRUE(Run().isEmpty());
  EXPECT_EQ(Messages().at(1), QStringLiteral("ERROR: modMain.Main Line = 0\t6\tOverflow"));
}

TEST_F(RunTest, ConnectionFailureShowsM1) {
  db.openError = DbError(dberr::kOpenFailed, QStringLiteral("Not a valid password."));
  EXPECT_TRUE(Run().isEmpty());
  EXPECT_EQ(s.ui.calls, QStringList{QStringLiteral("Box ") + kM1});
  EXPECT_EQ(Messages(),
            (QStringList{QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\tNot a valid password."),
                         QStringLiteral("DBPath = ") + path, QStringLiteral("modMain.Main End ")}));
}

TEST_F(RunTest, ConnectionThatIsNotOpenShowsM1) {
  db.opensClosed = true;
  EXPECT_TRUE(Run().isEmpty());
  EXPECT_EQ(s.ui.Boxes(), QStringList{kM1});
}

TEST_F(RunTest, LostDatabaseAfterDecryptionShowsM2) {
  Given(QStringLiteral("300"), QStringLiteral("1"));
  passes.onDecrypt = [&] { s.engine.Remove(path); };
  EXPECT_EQ(Run(), QStringList{QStringLiteral("decrypt 300")});
  EXPECT_EQ(s.ui.Boxes(), QStringList{kM2});
  EXPECT_EQ(Messages().last(), QStringLiteral("modMain.Main End "));
  EXPECT_FALSE(s.ui.loaded);
}

TEST_F(RunTest, LostDatabaseAfterEncryptionShowsM2) {
  Given(QStringLiteral("300"), QStringLiteral("0"));
  passes.onEncrypt = [&] { s.engine.Remove(path); };
  EXPECT_EQ(Run(), (QStringList{QStringLiteral("upgrade 300"), QStringLiteral("encrypt")}));
  EXPECT_EQ(s.ui.Boxes(), QStringList{kM2});
}

TEST_F(RunTest, FailedEncryptionShowsM3AndSkipsCompaction) {
  Given(QStringLiteral("300"), QStringLiteral("0"));
  passes.onEncrypt = [] {};  // the marker stays "0"
  EXPECT_EQ(Run(), (QStringList{QStringLiteral("upgrade 300"), QStringLiteral("encrypt")}));
  EXPECT_EQ(s.ui.Boxes(), QStringList{kM3});
  EXPECT_EQ(s.ui.calls.last(), QStringLiteral("UnloadProgress"));
}

TEST_F(RunTest, AnotherInstanceDoesNothingAtAll) {
  Given(QStringLiteral("300"), QStringLiteral("0"));
  RunMain(QString(), passes, /*anotherInstanceRunning=*/true);
  EXPECT_TRUE(passes.calls.isEmpty());
  EXPECT_TRUE(s.ui.calls.isEmpty());
  EXPECT_TRUE(s.engine.OpenedPaths().empty());
  EXPECT_EQ(QDir(s.folder.File(QStringLiteral("log"))).entryList(QDir::Files), QStringList());
}

TEST_F(RunTest, WithoutLogFolderTheRunIsTheSame) {
  SpineScope bare(/*withLogFolder=*/false);
  const QString barePath = bare.folder.File(QStringLiteral("Marrowtide.mdb"));
  auto& bareDb = bare.engine.At(barePath);
  bareDb.SetSetting(QStringLiteral("DBVersion"), QStringLiteral("405"));
  bareDb.SetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"));
  FakePasses barePasses(bareDb);
  RunMain(QString(), barePasses, false);
  EXPECT_EQ(barePasses.calls, QStringList{QStringLiteral("compact")});
  EXPECT_TRUE(QDir(bare.folder.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(RunTest, ArgumentIsUsedOnlyWhenAFileMatchesIt) {
  Given(QStringLiteral("405"), QStringLiteral("1"));
  const QString other = s.folder.File(QStringLiteral("other db.mdb"));
  QFile(other).open(QIODevice::WriteOnly);
  QDir(s.folder.Path()).mkdir(QStringLiteral("dir.mdb"));
  auto& otherDb = s.engine.At(other);
  otherDb.SetSetting(QStringLiteral("DBVersion"), QStringLiteral("405"));
  otherDb.SetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"));
  const QString pattern = s.folder.File(QStringLiteral("other*.mdb"));
  s.engine.At(pattern) = otherDb;

  const auto dbPathFor = [&](const QString& argument) {
    ReleaseSharedConnection();
    RunMain(argument, passes, false);
    return Globals().DBPath;
  };
  EXPECT_EQ(dbPathFor(QString()), path);
  EXPECT_EQ(dbPathFor(s.folder.File(QStringLiteral("missing.mdb"))), path);
  EXPECT_EQ(dbPathFor(s.folder.File(QStringLiteral("dir.mdb"))), path);
  EXPECT_EQ(dbPathFor(other), other);
  EXPECT_EQ(dbPathFor(pattern), pattern);  // used unchanged
  EXPECT_EQ(s.engine.OpenedPaths().back(), pattern);
}

}  // namespace
}  // namespace mt
