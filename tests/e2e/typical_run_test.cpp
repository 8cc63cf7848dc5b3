// The typical run from end to end, in-process with the production passes and
// a fake clock: an encrypted database at version 300 is decrypted on a copy,
// upgraded to 405, encrypted again over the three tables, pruned, compacted
// and stamped. (The built program runs in the other e2e, fault and crash tests.)
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/globals.h"
#include "app/production.h"
#include "app/run.h"
#include "db/query.h"
#include "protect/cipher.h"
#include "protect/value_passes.h"
#include "support/fake_services.h"
#include "support/real_db.h"
#include "upgrade/initial_database.h"
#include "upgrade/upgrade_engine.h"

namespace mt {
namespace {

using Rows = std::vector<QVariantList>;

// The log tables with their key column. Each gets a row years past every age
// limit (key 1) and one of today (key 2); the limits themselves are the
// maintenance tests' matter.
const std::pair<const char*, const char*> kLogTables[] = {
    {"TTaskLog", "TaskIDX"},         {"TTaskLogHour", "TaskIDX"}, {"TTaskLogDay", "TaskIDX"},
    {"TTaskLogInterval", "TaskIDX"}, {"TTaskStatistics", "webSN"}};

QStringList LogRows() {
  QStringList sql;
  for (const auto& [table, key] : kLogTables)
    sql << QStringLiteral("INSERT INTO %1 (%2, LogDate) VALUES (1, #2001-01-01 00:00:00#)").arg(table, key)
        << QStringLiteral("INSERT INTO %1 (%2, LogDate) VALUES (2, Now())").arg(table, key);
  return sql;
}

// The services a piece of work needs, the production ones included.
struct Scope : test::RealFilesScope {
  Scope() { InstallProductionServices(); }
  ~Scope() { SetCodeMigrations(nullptr); }
};

void Upgrade(const QString& path, int from, int to) {
  Globals().DBPath = path;
  ASSERT_NE(DBGetConnection(path), nullptr);
  upgrade::UpgradeRange(from, to);
  ReleaseSharedConnection();
}

// The plain version-300 database upgraded plainly to 405 (what the values
// must decrypt to), and the same version-300 database with its values
// encrypted (the run's input), made in folder.
void MakeInputs(const QTemporaryDir& folder, QString& reference405, QString& encrypted300) {
  Scope scope;
  const QString plain = folder.filePath(QStringLiteral("plain300.mdb"));
  CreateInitialDatabase(plain);
  Upgrade(plain, 2, 300);
  const QStringList secrets{
      "INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias) VALUES ('E2E.Secret', 'say \"hi\"', '로그인 비밀', NULL, '')",
      "INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('E2E', 1, 'it''s', '설명', NULL)"};
  test::ExecuteOn(plain, secrets + LogRows());

  reference405 = folder.filePath(QStringLiteral("reference405.mdb"));
  ASSERT_TRUE(QFile::copy(plain, reference405));
  Upgrade(reference405, 300, 405);

  // An older product encrypted TCodes and TSettings only: TUserAgentsRaw
  // comes with version 318. The pass wants all three tables, so one stands
  // in while it runs.
  encrypted300 = folder.filePath(QStringLiteral("encrypted300.mdb"));
  ASSERT_TRUE(QFile::copy(plain, encrypted300));
  test::ExecuteOn(encrypted300, {"CREATE TABLE TUserAgentsRaw (IDX AUTOINCREMENT, UA MEMO)",
                                 "INSERT INTO TUserAgentsRaw (UA) VALUES ('x')"});
  Globals().DBPath = encrypted300;
  ASSERT_TRUE(EncryptDatabaseValues().ok);
  test::ExecuteOn(encrypted300, {"DROP TABLE TUserAgentsRaw"});
}

// The stored row with its protected columns (from column `first` on)
// decrypted; Null stays Null. Each non-empty stored value must be cipher
// text, not the plain value.
Rows Decrypted(const Rows& stored, int first) {
  Rows out;
  for (QVariantList row : stored) {
    for (int i = first; i < row.size(); ++i) {
      if (row[i].isNull() || row[i].toString().isEmpty()) continue;
      const QString cipher = row[i].toString();
      const QString plain = DBDecryptValue(cipher);
      EXPECT_NE(plain, cipher) << "stored in clear: " << cipher.toStdString();
      row[i] = plain;
    }
    out.push_back(row);
  }
  return out;
}

TEST(TypicalRun, InProcessWithTheProductionPasses) {
  QTemporaryDir data;  // the database apart from the program, named on the command line
  QString reference405, encrypted300;
  MakeInputs(data, reference405, encrypted300);
  const QString db = data.filePath(QStringLiteral("Marrowtide.mdb"));
  ASSERT_TRUE(QFile::copy(encrypted300, db));
  Scope scope;
  RunMain(db, ProductionPasses(), LockResult{});

  EXPECT_EQ(scope.clock.sleeps, (std::vector<int>{3000, 1000, 3000, 3000, 3000, 1000, 3000, 3000}));
  EXPECT_TRUE(scope.ui.Boxes().isEmpty()) << scope.ui.Boxes().join('\n').toStdString();
  EXPECT_EQ(scope.folder.ErrorLines(), 0) << scope.folder.LogText().toStdString();
  EXPECT_TRUE(scope.ui.calls.contains(QStringLiteral("Msg 데이터베이스를 압축하고 있습니다...")));
  const QByteArray stamp = scope.clock.now.toString("yyyy-MM-dd HH:mm:ss").toLatin1();
  EXPECT_TRUE(test::FileBytes(scope.folder.File("autoup.ini")).contains("[Update]\r\nCompactDBDate=" + stamp + "\r\n"));
  // Nothing left behind, in the program folder or beside the database.
  EXPECT_EQ(QDir(scope.folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"autoup.ini"});
  EXPECT_EQ(QDir(data.path()).entryList({"Marrowtide.mdb*", ".*"}, QDir::Files | QDir::Hidden),
            QStringList{"Marrowtide.mdb"});

  // The markers, then every protected value against the plain upgrade.
  const char* settings = "SELECT ID, Val1, Val2, Val3, Alias FROM TSettings ORDER BY ID";
  Rows expected = test::Rows(reference405, settings);
  for (QVariantList& row : expected)
    if (row[0] == QStringLiteral("IsDBEn")) row = {row[0], QStringLiteral("1"), QString(""), QString(""), row[4]};
  EXPECT_EQ(Decrypted(test::Rows(db, settings), 1), expected);  // E2E.Secret's quotes and Korean text included
  const std::pair<const char*, int> tables[] = {
      {"SELECT Code, Val, ValText, Description, Tag FROM TCodes ORDER BY Code, Val", 2},
      {"SELECT IDX, UA FROM TUserAgentsRaw ORDER BY IDX", 1}};
  for (const auto& [sql, firstProtected] : tables) {
    const Rows plain = test::Rows(reference405, sql);
    EXPECT_FALSE(plain.empty()) << sql;
    EXPECT_EQ(Decrypted(test::Rows(db, sql), firstProtected), plain);
  }

  for (const auto& [table, key] : kLogTables)
    EXPECT_EQ(test::Column(db, QStringLiteral("SELECT %2 FROM %1").arg(table, key)), QVariantList{2}) << table;
}

}  // namespace
}  // namespace mt
