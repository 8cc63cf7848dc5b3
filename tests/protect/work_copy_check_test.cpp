#include "protect/work_copy_check.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>

#include "app/services.h"
#include "db/query.h"
#include "protect/cipher.h"
#include "support/fake_services.h"
#include "support/real_db.h"

namespace mt {
namespace {

// A work copy is put in place only when it is whole and says what its pass
// made of it.
TEST(WorkCopyCheck, AcceptsOnlyAWholeCopyWithTheExpectedMarker) {
  const test::RealFilesScope scope;  // the crypto component of the program
  const QTemporaryDir& dir = scope.data;
  int n = 0;
  const auto copy = [&](const QString& marker) {
    const QString path = dir.filePath(QStringLiteral("copy%1.mdb").arg(n++));
    test::CreateDatabase(path, {"CREATE TABLE TSettings (ID TEXT(50), Val1 MEMO)",
                                "INSERT INTO TSettings VALUES ('IsDBEn', '" + marker + "')"});
    return path;
  };
  const QString encrypted = DBEncryptValue(QStringLiteral("1"));
  const struct {
    QString marker;
    bool encryptedPass;
    bool accepted;
  } cases[] = {
      {"0", false, true}, {encrypted, true, true},   {"0", true, false},
      {"1", true, false}, {encrypted, false, false}, {DBEncryptValue(QStringLiteral("0")), true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marker.toStdString() + (c.encryptedPass ? " after encryption" : " after decryption"));
    EXPECT_EQ(WorkCopyProblem(copy(c.marker), c.encryptedPass).isEmpty(), c.accepted);
  }

  // Pages no table owns any more: the copy opens and reads, but is not whole.
  const QString orphaned = copy(QStringLiteral("0"));
  test::ExecuteOn(orphaned, {"CREATE TABLE Bulk (A MEMO)", "INSERT INTO Bulk VALUES ('" + QString(20000, 'x') + "')"});
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(orphaned).constData(), &db), SQLITE_OK);
  const QByteArray key = DatabasePassword().toUtf8();
  sqlite3_key(db, key.constData(), int(key.size()));
  EXPECT_EQ(sqlite3_exec(db, "PRAGMA writable_schema=ON; DELETE FROM sqlite_master WHERE name = 'Bulk'", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  EXPECT_TRUE(WorkCopyProblem(orphaned, false).contains(QStringLiteral("integrity check")));
}

}  // namespace
}  // namespace mt
