// The shipped scripts applied by the real upgrade engine to the product's
// initial database, in an upgrade interrupted at several versions: the schema
// they leave at version 405, the statements that fail on the way, and the
// second way through version 395.
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
#include "support/real_db.h"
#include "upgrade/initial_database.h"
#include "upgrade/statement_text.h"
#include "upgrade/upgrade_engine.h"

namespace mt {
namespace {

using schematest::ExpectSameSchema;
using schematest::ReadReference;
using schematest::SchemaLines;
using schematest::ScriptStatements;

QString StoredVersion() {
  return DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'"), QString()).toString();
}

qint64 Count(const QString& path, const QString& fromWhere) {
  return test::Column(path, QStringLiteral("SELECT Count(*) FROM ") + fromWhere).value(0).toLongLong();
}

// Reference rows a straight upgrade leaves: what is counted, and how many.
const std::map<QString, qint64> kReferenceCounts = {
    {"TMACPrefixes", 19709}, {"TCityLocations", 3774}, {"TKeywordList", 490}, {"TForeignProxyCountries", 82},
    {"TUserAgentsRaw", 2}, {"TCodes WHERE Code = 'IdState'", 14}, {"TCodes WHERE Code = 'ActionType'", 6},
    {"TSettings WHERE ID = 'IsDBEn' AND Val1 = '0'", 1}};
const QString kVisible = QStringLiteral("TSiteCategoryVisible");
const QString kVisibleWithCategory = kVisible +
    QStringLiteral(" AS V INNER JOIN TSiteCategories AS S ON V.SiteCategoryID = S.ID AND V.SiteCategory = S.SiteCategory");

// A statistics row written under the column names the table has before 395.
const char* const kStatisticsRow =
    "INSERT INTO TUserProfileStatistics (MobileStatistics, PCStatistics, MobileCnt, PCCnt, "
    "MobileStatisticsCoupang, PCStatisticsCoupang, MobileCntCoupang, PCCntCoupang) "
    "VALUES ('m1', 'p1', 'mc1', 'pc1', 'm8', 'p8', 'mc8', 'pc8')";
const QStringList kStatisticsValues = {"m1", "p1", "mc1", "pc1", "m8", "p8", "mc8", "pc8"};

// The statistics values under their numbered names, empty when there is no row.
QStringList StatisticsRow(const QString& path) {
  QStringList out;
  for (const QVariantList& row : test::Rows(path, QStringLiteral(
           "SELECT MobileStatistics_1, PCStatistics_1, MobileCnt_1, PCCnt_1, MobileStatistics_8, "
           "PCStatistics_8, MobileCnt_8, PCCnt_8 FROM TUserProfileStatistics")))
    for (const QVariant& v : row) out << v.toString();
  return out;
}

// Test services, the production engine and code migrations, and a log.
struct UpgradeScope : test::SpineScope {
  UpgradeScope() {
    SetDefaultEngine(nullptr);  // the production engine, not the scripted one
    Globals().LoggingEnabled = true;
    SetCodeMigrations(&ProductionCodeMigrations());
  }
  ~UpgradeScope() { SetCodeMigrations(nullptr); }
};

// One upgrade of a fresh initial database from version 2 to 405, interrupted:
// the versions in kStops are reached by separate runs on a reopened
// connection, as a run stopped there and started again would. At 394 a
// statistics row is written and a copy of the database is kept.
const QList<int> kStops = {120, 272, 330, 394};

struct UpgradeRun {
  QTemporaryDir keep;  // the databases outlive the run's program folder
  QString db, copyAt394, log;
  int64_t failures = 0;  // of the legs that end at a stop
  std::map<int, QString> versionAtStop;
  QStringList listing;

  UpgradeRun() {
    db = keep.filePath(QStringLiteral("Marrowtide.mdb"));
    copyAt394 = keep.filePath(QStringLiteral("at394.mdb"));
    {
      UpgradeScope scope;
      CreateInitialDatabase(db);
      int from = 2;
      for (int stop : kStops + QList<int>{405}) {
        if (DBGetConnection(db) == nullptr) {
          ADD_FAILURE() << "cannot open the database before " << stop;
          return;
        }
        if (stop == 405) p_DBUpgrade(from);  // the last leg goes through the engine's own entry point
        else failures += upgrade::UpgradeRange(from, stop).failures;
        versionAtStop[stop] = StoredVersion();
        int32_t n = 0;
        if (stop == 394) DBExecute(QString::fromUtf8(kStatisticsRow), n);
        ReleaseSharedConnection();
        if (stop == 394) EXPECT_TRUE(QFile::copy(db, copyAt394));
        from = stop;
      }
      log = scope.folder.LogText();
    }
    listing = SchemaLines(db);
  }
};

// The interrupted upgrade stops at each version, only the fallback half of
// 395 fails, and it ends at 405 with the documented schema and reference rows;
// the values written under the old statistics names survive the renames of
// 395. Every visibility row names a category that exists, by its id and name.
// Where the column renames of 395 do not happen, its second half (adding the
// numbered columns, copying, dropping the old ones) gives the same table and
// keeps the values. (One test: the upgrade is the expensive part.)
TEST(UpgradedSchema, ReachesVersion405WithTheDocumentedSchemaAndRowsEitherWayThrough395) {
  UpgradeRun run;
  for (int stop : kStops + QList<int>{405}) EXPECT_EQ(run.versionAtStop[stop], QString::number(stop));
  EXPECT_EQ(run.failures, 0);
  ASSERT_FALSE(run.listing.isEmpty());
  ExpectSameSchema(ReadReference(), run.listing);
  EXPECT_EQ(StatisticsRow(run.db), kStatisticsValues);
  for (const auto& [what, expected] : kReferenceCounts) EXPECT_EQ(Count(run.db, what), expected) << what.toStdString();
  const qint64 visible = Count(run.db, kVisible);
  EXPECT_GT(visible, 565);
  EXPECT_EQ(Count(run.db, kVisibleWithCategory), visible);

  // The run fails only where the scripts expect it: version 395 renames the
  // eight statistics columns and then also adds the new names, copies the
  // values and drops the old names, which fails once the renames have worked.
  static const QRegularExpression entry(QStringLiteral(
      "\\[err: modMain\\.p_DBUpgrade\\] line [^\r\n]*\r\n\tResNo = (\\d+)\r\n\tSQL = ([^\r\n]*)"));
  static const QRegularExpression expected(QStringLiteral(
      "^(ALTER TABLE \\[TUserProfileStatistics\\] (ADD|DROP) COLUMN .*|UPDATE TUserProfileStatistics SET .*)$"));
  std::map<QString, int> kinds;  // ADD, DROP or UPDATE
  for (auto it = entry.globalMatch(run.log); it.hasNext();) {
    const auto m = it.next();
    const QString sql = m.captured(2);
    EXPECT_EQ(m.captured(1), QStringLiteral("395")) << sql.toStdString();
    const auto e = expected.match(sql);
    EXPECT_TRUE(e.hasMatch()) << "unexpected failure: " << sql.toStdString();
    ++kinds[e.captured(2).isEmpty() ? QStringLiteral("UPDATE") : e.captured(2)];
  }
  EXPECT_EQ(kinds, (std::map<QString, int>{{"ADD", 8}, {"DROP", 8}, {"UPDATE", 1}}));
  EXPECT_FALSE(run.log.contains(QStringLiteral("ERROR: "))) << "a catalogue statement or migration failed";

  ASSERT_TRUE(QFile::exists(run.copyAt394));
  UpgradeScope scope;
  ASSERT_NE(DBGetConnection(run.copyAt394), nullptr);
  int renames = 0;
  for (const QString& s : ScriptStatements(395)) {
    if (upgrade::ClassifyStatement(s) == upgrade::StatementKind::RenameColumn) ++renames;
    else EXPECT_NO_THROW(upgrade::DispatchStatement(s)) << s.toStdString();
  }
  EXPECT_EQ(renames, 8);
  int32_t n = 0;
  DBExecute(upgrade::VersionStampStatement(395), n);
  EXPECT_EQ(upgrade::UpgradeRange(395, 405).failures, 0);
  ReleaseSharedConnection();
  EXPECT_EQ(StatisticsRow(run.copyAt394), kStatisticsValues);
  EXPECT_EQ(SchemaLines(run.copyAt394), run.listing);
}

}  // namespace
}  // namespace mt
