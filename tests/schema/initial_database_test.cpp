// The product's initial database (version 2) and `marrowtide-db create`.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "db/engine.h"
#include "db/query.h"
#include "schema/schema_listing.h"
#include "support/fault_vfs.h"
#include "support/real_db.h"
#include "upgrade/initial_database.h"

namespace mt {
namespace {

class InitialDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultEngine(nullptr);
    path_ = dir_.filePath(QStringLiteral("Marrowtide.mdb"));
  }
  void TearDown() override { SetDefaultEngine(nullptr); }

  QTemporaryDir dir_;
  QString path_;
};

// Its tables, keys and rows are checked by the upgrade to 405 that starts
// from it; here, what the first scripts rely on.
TEST_F(InitialDatabase, IsAtVersion2WithTheRowsTheFirstScriptsWorkOn) {
  CreateInitialDatabase(path_);
  EXPECT_EQ(test::Column(path_, "SELECT Val1 FROM TSettings WHERE ID IN ('DBVersion', 'IsDBEn') ORDER BY ID"),
            (QVariantList{"2", "0"}));
  // The version-3 script deletes two mobile user-agent rows and version 49
  // copies the search categories: the base rows they work on are there.
  EXPECT_EQ(test::Column(path_, "SELECT Count(*) FROM TCodes WHERE Code = 'MobileUserAgent' AND Val IN (1, 2)"),
            QVariantList{qint64(2)});
}

// A disk that fills at several points of the creation: no file is left, not
// even a log a database made later at the same path would take for its own.
// An existing file is refused and left alone.
TEST_F(InitialDatabase, AFailureHalfWayLeavesNoFileAndAnExistingFileIsKept) {
  for (const int64_t budget : {4000, 20000, 60000}) {
    test::FaultVfs vfs;
    vfs.FailAfter(budget, SQLITE_FULL);
    EXPECT_THROW(CreateInitialDatabase(path_), DbError) << "failing after " << budget << " bytes";
    EXPECT_GT(vfs.failures(), 0);
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
      EXPECT_FALSE(QFile::exists(path_ + suffix)) << "failing after " << budget << " bytes: " << suffix;
  }
  test::WriteFile(path_, "not a database");
  EXPECT_THROW(CreateInitialDatabase(path_), DbError);
  EXPECT_EQ(test::FileBytes(path_), QByteArray("not a database"));
}

}  // namespace
}  // namespace mt
