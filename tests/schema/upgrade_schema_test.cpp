// The shipped scripts applied by the real upgrade engine to the product's
// initial database: the schema they leave at version 405, the statements that
// fail on the way, an upgrade interrupted at several versions, and the second
// way through version 395.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

#include "app/globals.h"
#include "app/log.h"
#include "db/query.h"
#include "migrations/code_migrations.h"
#include "schema/schema_listing.h"
#include "support/fake_services.h"
#include "upgrade/initial_database.h"
#include "upgrade/statement_text.h"
#include "upgrade/upgrade_engine.h"

namespace mt {
namespace {

using schematest::ExpectSameSchema;
using schematest::Parse;
using schematest::ReadReference;
using schematest::SchemaLines;
using schematest::ScriptStatements;

QString StoredVersion() {
  return DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'"), QString()).toString();
}

qint64 Count(const QString& fromWhere) {
  return DBGetValue(QStringLiteral("SELECT Count(*) FROM ") + fromWhere, -1).toLongLong();
}

// A statistics row written under the column names the table has before 395.
const char* const kStatisticsRow =
    "INSERT INTO TUserProfileStatistics (MobileStatistics, PCStatistics, MobileCnt, PCCnt, "
    "MobileStatisticsCoupang, PCStatisticsCoupang, MobileCntCoupang, PCCntCoupang) "
    "VALUES ('m1', 'p1', 'mc1', 'pc1', 'm8', 'p8', 'mc8', 'pc8')";
const QStringList kStatisticsValues = {"m1", "p1", "mc1", "pc1", "m8", "p8", "mc8", "pc8"};

// The statistics values under their numbered names, empty when there is no row.
QStringList StatisticsRow() {
  QStringList out;
  auto rs = DBOpenRecordset(
      QStringLiteral("SELECT MobileStatistics_1, PCStatistics_1, MobileCnt_1, PCCnt_1, MobileStatistics_8, "
                     "PCStatistics_8, MobileCnt_8, PCCnt_8 FROM TUserProfileStatistics"),
      0, 1, -1, 3);
  if (rs && !rs->Eof()) {
    for (int i = 0; i < rs->FieldCount(); ++i) out << rs->Value(i).toString();
  }
  return out;
}

// Test services, the production engine and code migrations, and a log.
class UpgradeScope {
 public:
  UpgradeScope() {
    SetDefaultEngine(nullptr);  // the production engine, not the scripted one
    Globals().LoggingEnabled = true;
    SetCodeMigrations(&ProductionCodeMigrations());
  }
  ~UpgradeScope() {
    ReleaseSharedConnection();
    SetCodeMigrations(nullptr);
    Globals().LoggingEnabled = false;
  }
  QString Log() const { return spine_.folder.LogText(); }

 private:
  test::SpineScope spine_;
};

// One upgrade of a fresh initial database from version 2 to 405, with the
// versions in `stops` reached by separate runs on a reopened connection. At
// version 394 (when it is a stop) a statistics row is written and a copy of
// the database is kept.
struct UpgradeRun {
  QTemporaryDir keep;  // the databases outlive the run's program folder
  QString db, copyAt394, log;
  int64_t failures = 0;  // of the legs that end at a stop
  std::map<int, QString> versionAtStop;
  std::map<QString, qint64> counts;
  QStringList statistics;
  QStringList listing;

  explicit UpgradeRun(const QList<int>& stops) {
    db = keep.filePath(QStringLiteral("Marrowtide.mdb"));
    {
      UpgradeScope scope;
      CreateInitialDatabase(db);
      int from = 2;
      for (int stop : stops) {
        if (DBGetConnection(db) == nullptr) {
          ADD_FAILURE() << "cannot open the database before version " << stop;
          break;
        }
        failures += upgrade::UpgradeRange(from, stop).failures;
        versionAtStop[stop] = StoredVersion();
        if (stop == 394) {
          int32_t n = 0;
          DBExecute(QString::fromUtf8(kStatisticsRow), n);
        }
        ReleaseSharedConnection();
        if (stop == 394) {
          copyAt394 = keep.filePath(QStringLiteral("at394.mdb"));
          EXPECT_TRUE(QFile::copy(db, copyAt394));
        }
        from = stop;
      }
      if (DBGetConnection(db) != nullptr) {
        // The last leg goes through the engine's own entry point.
        p_DBUpgrade(from);
        versionAtStop[405] = StoredVersion();
        for (const QString& what :
             {QStringLiteral("TMACPrefixes"), QStringLiteral("TCityLocations"), QStringLiteral("TKeywordList"),
              QStringLiteral("TForeignProxyCountries"), QStringLiteral("TUserAgentsRaw"),
              QStringLiteral("TSiteCategoryVisible"),
              QStringLiteral("TSiteCategoryVisible AS V INNER JOIN TSiteCategories AS S "
                             "ON V.SiteCategoryID = S.ID AND V.SiteCategory = S.SiteCategory"),
              QStringLiteral("TCodes WHERE Code = 'IdState'"), QStringLiteral("TCodes WHERE Code = 'ActionType'"),
              QStringLiteral("TSettings WHERE ID = 'IsDBEn' AND Val1 = '0'")}) {
          counts[what] = Count(what);
        }
        statistics = StatisticsRow();
      } else {
        ADD_FAILURE() << "cannot open the database for the last leg";
      }
      ReleaseSharedConnection();
      log = scope.Log();
    }
    listing = SchemaLines(db);
  }
};

class UpgradedSchema : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    straight_ = new UpgradeRun({});
    resumed_ = new UpgradeRun({120, 272, 330, 394});
  }
  static void TearDownTestSuite() {
    delete straight_;
    delete resumed_;
    straight_ = resumed_ = nullptr;
  }
  static UpgradeRun* straight_;
  static UpgradeRun* resumed_;
};
UpgradeRun* UpgradedSchema::straight_ = nullptr;
UpgradeRun* UpgradedSchema::resumed_ = nullptr;

TEST_F(UpgradedSchema, ReachesVersion405WithTheDocumentedSchema) {
  EXPECT_EQ(straight_->versionAtStop[405], QStringLiteral("405"));
  ASSERT_FALSE(straight_->listing.isEmpty());
  ExpectSameSchema(Parse(ReadReference()), Parse(straight_->listing));
}

// A clean run fails only where the scripts expect it: version 395 renames
// the eight statistics columns and then also adds the new names, copies the
// values and drops the old names, which fails once the renames have worked.
TEST_F(UpgradedSchema, OnlyTheFallbackHalfOfVersion395Fails) {
  static const QRegularExpression entry(QStringLiteral(
      "\\[err: modMain\\.p_DBUpgrade\\] line [^\r\n]*\r\n\tResNo = (\\d+)\r\n\tSQL = ([^\r\n]*)"));
  static const QRegularExpression expected(QStringLiteral(
      "^(ALTER TABLE \\[TUserProfileStatistics\\] (ADD|DROP) COLUMN .*|UPDATE TUserProfileStatistics SET .*)$"));
  int adds = 0, drops = 0, copies = 0, entries = 0;
  auto it = entry.globalMatch(straight_->log);
  while (it.hasNext()) {
    const auto m = it.next();
    ++entries;
    const QString sql = m.captured(2);
    EXPECT_EQ(m.captured(1), QStringLiteral("395")) << sql.toStdString();
    EXPECT_TRUE(expected.match(sql).hasMatch()) << "unexpected failure: " << sql.toStdString();
    if (sql.contains(QStringLiteral(" ADD COLUMN "))) ++adds;
    if (sql.contains(QStringLiteral(" DROP COLUMN "))) ++drops;
    if (sql.startsWith(QStringLiteral("UPDATE"))) ++copies;
  }
  EXPECT_EQ(adds, 8);
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(drops, 8);
  EXPECT_EQ(entries, adds + copies + drops);
  EXPECT_FALSE(straight_->log.contains(QStringLiteral("ERROR: "))) << "a catalogue statement or migration failed";
}

TEST_F(UpgradedSchema, ReferenceRowsAreInPlace) {
  auto& c = straight_->counts;
  EXPECT_EQ(c["TMACPrefixes"], 19709);
  EXPECT_EQ(c["TCityLocations"], 3774);
  EXPECT_EQ(c["TKeywordList"], 490);
  EXPECT_EQ(c["TForeignProxyCountries"], 82);
  EXPECT_EQ(c["TUserAgentsRaw"], 2);
  EXPECT_EQ(c["TCodes WHERE Code = 'IdState'"], 14);
  EXPECT_EQ(c["TCodes WHERE Code = 'ActionType'"], 6);
  EXPECT_EQ(c["TSettings WHERE ID = 'IsDBEn' AND Val1 = '0'"], 1);
  // Every visibility row names a category that exists, by its id and name
  // (the initial database and the scripts agree on the categories).
  EXPECT_GT(c["TSiteCategoryVisible"], 565);
  EXPECT_EQ(c["TSiteCategoryVisible AS V INNER JOIN TSiteCategories AS S "
              "ON V.SiteCategoryID = S.ID AND V.SiteCategory = S.SiteCategory"],
            c["TSiteCategoryVisible"]);
}

// A database left at an intermediate version (an interrupted run) and
// upgraded again ends exactly where the straight upgrade does; the values
// written under the old statistics names survive the renames of 395.
TEST_F(UpgradedSchema, UpgradeResumedFromIntermediateVersionsEndsTheSame) {
  const UpgradeRun& r = *resumed_;
  EXPECT_EQ(r.versionAtStop.at(120), QStringLiteral("120"));
  EXPECT_EQ(r.versionAtStop.at(272), QStringLiteral("272"));
  EXPECT_EQ(r.versionAtStop.at(330), QStringLiteral("330"));
  EXPECT_EQ(r.versionAtStop.at(394), QStringLiteral("394"));
  EXPECT_EQ(r.versionAtStop.at(405), QStringLiteral("405"));
  EXPECT_EQ(r.failures, 0) << "no statement before version 395 fails";
  ASSERT_FALSE(r.listing.isEmpty());
  EXPECT_EQ(r.listing, straight_->listing);
  EXPECT_EQ(r.statistics, kStatisticsValues);
}

// Where the column renames of 395 do not happen, its second half (adding the
// numbered columns, copying, dropping the old ones) gives the same table and
// keeps the values.
TEST_F(UpgradedSchema, Version395WithoutItsRenamesGivesTheSameResult) {
  ASSERT_FALSE(resumed_->copyAt394.isEmpty());
  UpgradeScope scope;
  ASSERT_NE(DBGetConnection(resumed_->copyAt394), nullptr);
  int renames = 0;
  for (const QString& s : ScriptStatements(395)) {
    if (upgrade::ClassifyStatement(s) == upgrade::StatementKind::RenameColumn) {
      ++renames;
      continue;
    }
    EXPECT_NO_THROW(upgrade::DispatchStatement(s)) << s.toStdString();
  }
  EXPECT_EQ(renames, 8);
  int32_t n = 0;
  DBExecute(upgrade::VersionStampStatement(395), n);
  EXPECT_EQ(upgrade::UpgradeRange(395, 405).failures, 0);
  EXPECT_EQ(StatisticsRow(), kStatisticsValues);
  ReleaseSharedConnection();
  EXPECT_EQ(SchemaLines(resumed_->copyAt394), straight_->listing);
}

}  // namespace
}  // namespace mt
