// Recordsets: cursor kinds and counts, values at the boundary, snapshots that
// a pass of updates does not disturb, optimistic updates written at once.
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "db/currency.h"
#include "engine_fixture.h"

namespace mt::test {
namespace {

class RecordsetTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Exec("CREATE TABLE TTaskList (IDX AUTOINCREMENT(1,1), SiteCategory TEXT(255), Arg2 MEMO, Arg5 MEMO, "
         "IsDeleted BIT DEFAULT False, LastDate DATETIME, Price MONEY DEFAULT 0, CONSTRAINT PK PRIMARY KEY (IDX))");
    Exec("INSERT INTO TTaskList (SiteCategory, Arg2, Arg5, LastDate) VALUES "
         "('Shop', 'id=1&cat_id=5', '', #2024-07-04 05:38:45#)");
    Exec("INSERT INTO TTaskList (SiteCategory, Arg2, Arg5) VALUES ('Shop', 'keep cat_id', '?nv_mid=7')");
    Exec("INSERT INTO TTaskList (SiteCategory, Arg2, Arg5) VALUES ('Blog', 'cat_id', NULL)");
  }

  std::unique_ptr<Recordset> Open(const QString& sql, CursorType cursor, LockType lock) {
    return conn_->OpenRecordset(sql, cursor, lock);
  }
};

TEST_F(RecordsetTest, CursorKindsCountsAndFields) {
  const QString all = "SELECT IDX, SiteCategory, Arg5, IsDeleted, LastDate, Price FROM TTaskList ORDER BY IDX";
  EXPECT_EQ(Open(all, CursorType::ForwardOnly, LockType::ReadOnly)->RecordCount(), -1);
  auto none = Open("SELECT IDX FROM TTaskList WHERE IDX > 99", CursorType::Static, LockType::ReadOnly);
  EXPECT_TRUE(none->Eof());
  EXPECT_EQ(none->RecordCount(), 0);

  auto rs = Open(all, CursorType::Static, LockType::Unspecified);
  EXPECT_EQ(rs->RecordCount(), 3);
  EXPECT_EQ(rs->FieldName(1), "SiteCategory");
  EXPECT_EQ(rs->Value("sitecategory"), rs->Value(1));
  EXPECT_EQ(rs->Value("IDX").typeId(), QMetaType::LongLong);
  EXPECT_EQ(rs->Value("IsDeleted"), QVariant(false));
  EXPECT_EQ(rs->Value("LastDate").toDateTime(), QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45), Qt::UTC));
  EXPECT_EQ(rs->Value("Price").metaType(), QMetaType::fromType<mt::Currency>());
  EXPECT_EQ(rs->Value("Arg5"), QVariant(QString()));
  EXPECT_EQ(FailureCode([&] { rs->Value("NoSuchField"); }), dberr::kInvalidArg);
  EXPECT_EQ(FailureCode([&] { rs->Value(6); }), dberr::kInvalidArg);
  rs->MoveNext();
  rs->MoveNext();
  // Null is an invalid QVariant, distinct from the empty text above.
  EXPECT_FALSE(rs->Value("Arg5").isValid());
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());
  EXPECT_NE(FailureCode([&] { rs->MoveNext(); }), 0);
  EXPECT_NE(FailureCode([&] { rs->Value(0); }), 0);
  rs->Close();
  EXPECT_EQ(FailureCode([&] { rs->Eof(); }), dberr::kClosed);
}

TEST_F(RecordsetTest, StaticAndForwardOnlySeeASnapshot) {
  for (CursorType cursor : {CursorType::ForwardOnly, CursorType::Static}) {
    const QStringList before = Rows("SELECT Arg2 FROM TTaskList ORDER BY IDX");
    auto rs = Open("SELECT IDX, Arg2 FROM TTaskList ORDER BY IDX", cursor, LockType::ReadOnly);
    Exec("INSERT INTO TTaskList (Arg2) VALUES ('added during the pass')");
    Exec("DELETE FROM TTaskList WHERE IDX = 2");
    Exec("UPDATE TTaskList SET Arg2 = 'changed' WHERE IDX = 3");
    QStringList seen;
    for (; !rs->Eof(); rs->MoveNext()) seen << rs->Value(1).toString();
    EXPECT_EQ(seen, before);
  }
}

// What any file the process holds open contains of a text.
bool AnyOpenFileHolds(const QByteArray& text) {
  for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System)) {
    struct stat st {};
    QFile f(fd.filePath());
    if (::stat(QFile::encodeName(fd.filePath()).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
        f.open(QIODevice::ReadOnly) && f.readAll().contains(text))
      return true;
  }
  return false;
}

// A pass that rewrites the rows it lists, beyond what a recordset keeps in
// memory: through an index on the column it changes (a scan of the table
// would meet each row again at its new place), deleting a row it has not
// reached and adding one. Every cursor sees each row once, as it was at open,
// and the rows it keeps meanwhile are not readable on disk.
TEST_F(RecordsetTest, APassSeesEveryRowOnceAsItWasAtOpen) {
  const int n = 700;  // about 3.5 MB of rows
  for (CursorType cursor : {CursorType::ForwardOnly, CursorType::Static, CursorType::Dynamic}) {
    Exec("CREATE TABLE TBig (K LONG, Name TEXT(20), Body MEMO)");
    conn_->BeginTransaction();
    for (int i = 0; i < n; ++i)
      Exec(QString("INSERT INTO TBig (K, Name, Body) VALUES (%1, 'n%2', '%3')")
               .arg(i).arg(i, 4, 10, QChar('0')).arg(QString("secret-%1 ").arg(i).repeated(400)));
    conn_->CommitTransaction();
    conn_->AddLookupIndex("TBig", {"Name"});
    const bool optimistic = cursor == CursorType::Dynamic;
    auto rs = Open("SELECT K, Name, Body FROM TBig ORDER BY Name", cursor,
                   optimistic ? LockType::Optimistic : LockType::ReadOnly);
    if (cursor == CursorType::Static) EXPECT_EQ(rs->RecordCount(), n);
    int seen = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++seen) {
      const qint64 k = rs->Value("K").toLongLong();
      ASSERT_EQ(k, seen);
      ASSERT_TRUE(rs->Value("Body").toString().startsWith(QString("secret-%1 ").arg(k)));
      if (k == 500) continue;  // deleted meanwhile
      if (optimistic) {
        rs->SetValue("Name", "z" + rs->Value("Name").toString());
        rs->Update();
      } else {
        Exec(QString("UPDATE TBig SET Name = 'z' + Name WHERE K = %1").arg(k));
      }
      if (k == 0) {
        Exec("DELETE FROM TBig WHERE K = 500");
        Exec("INSERT INTO TBig (K, Name) VALUES (-1, 'n9999')");
      }
      if (k == n - 50) EXPECT_FALSE(AnyOpenFileHolds(QString("secret-%1 ").arg(n - 10).toUtf8()));
    }
    EXPECT_EQ(seen, n);
    EXPECT_EQ(Value("SELECT COUNT(*) FROM TBig WHERE Name LIKE 'zn%' OR K IN (-1, 500)").toLongLong(),
              Value("SELECT COUNT(*) FROM TBig").toLongLong());
    EXPECT_EQ(Value("SELECT COUNT(*) FROM TBig WHERE Name LIKE 'zz%'").toLongLong(), 0);
    rs->Close();
    Exec("DROP TABLE TBig");
  }
}

// A row the statement fails on fails the move that reaches it, after the
// rows before it, whether they were read ahead (a change came first) or not;
// a closed connection leaves the rows ahead readable.
TEST_F(RecordsetTest, RowsAheadSurviveAFailingRowAndAClosedConnection) {
  Exec("UPDATE TTaskList SET Arg5 = 'not a number' WHERE IDX = 3");
  Exec("UPDATE TTaskList SET Arg5 = '7' WHERE IDX < 3");
  for (bool changed : {false, true}) {
    auto rs = Open("SELECT IDX, CLng(Arg5) AS N FROM TTaskList ORDER BY IDX", CursorType::ForwardOnly,
                   LockType::ReadOnly);
    if (changed) Exec("UPDATE TTaskList SET Arg5 = '8'");
    EXPECT_EQ(rs->Value("N").toLongLong(), 7);
    rs->MoveNext();
    EXPECT_EQ(rs->Value("N").toLongLong(), 7);
    EXPECT_EQ(FailureCode([&] { rs->MoveNext(); }), dberr::kTypeMismatch) << changed;
    EXPECT_TRUE(rs->Eof());
  }
  auto rs = Open("SELECT IDX FROM TTaskList ORDER BY IDX", CursorType::ForwardOnly, LockType::ReadOnly);
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);  // what the closed handle held is used again
  EXPECT_EQ(Rows("SELECT IDX FROM TTaskList WHERE IDX > 1 ORDER BY IDX"), (QStringList{"2", "3"}));
  QStringList seen;
  for (; !rs->Eof(); rs->MoveNext()) seen << rs->Value(0).toString();
  EXPECT_EQ(seen, (QStringList{"1", "2", "3"}));
}

TEST_F(RecordsetTest, OptimisticUpdateWritesEachRowAtOnce) {
  auto rs = Open("SELECT IDX, Arg2 FROM TTaskList WHERE SiteCategory = 'Shop'", CursorType::Dynamic,
                 LockType::Optimistic);
  ASSERT_EQ(rs->RecordCount(), 2);
  for (; !rs->Eof(); rs->MoveNext()) {
    const QString v = rs->Value("Arg2").toString().replace("cat_id", "catId");
    rs->SetValue("Arg2", v);
    rs->Update();
    // Written at once: another statement sees it before the pass moves on.
    EXPECT_EQ(Value(QString("SELECT Arg2 FROM TTaskList WHERE IDX = %1").arg(rs->Value("IDX").toLongLong())), v);
    EXPECT_EQ(rs->Value("Arg2").toString(), v);
  }
  rs->Save();  // after the last row: the rows are written, nothing is left to persist
  rs->Close();
  EXPECT_EQ(FailureCode([&] { rs->Save(); }), dberr::kClosed);
  // A statement without rows runs and gives a closed recordset.
  EXPECT_FALSE(Open("DELETE FROM TTaskList WHERE IDX = 3", CursorType::Static, LockType::ReadOnly)->IsOpen());
  EXPECT_EQ(Rows("SELECT IDX, Arg2 FROM TTaskList ORDER BY IDX"), (QStringList{"1|id=1&catId=5", "2|keep catId"}));
}

// Values are converted to the column's type; an alias and a table without
// any key or AUTOINCREMENT column still lead to the row; pending changes are
// written when the pass moves on.
TEST_F(RecordsetTest, UpdatesConvertValuesAndWorkThroughAliasesAndWithoutKeys) {
  Exec("CREATE TABLE TPlain (Name TEXT(10), At DATETIME, Flag BIT, N MONEY)");
  for (int i = 0; i < 2; ++i) Exec("INSERT INTO TPlain (Name, N) VALUES ('a', 1)");
  auto rs = Open("SELECT T.Flag, T.At, T.N FROM TPlain AS T", CursorType::Dynamic, LockType::Optimistic);
  rs->SetValue("Flag", true);
  rs->SetValue("at", QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));
  rs->SetValue("N", "12.5");
  rs->MoveNext();
  rs->Close();
  EXPECT_EQ(Rows("SELECT Flag, At, N FROM TPlain ORDER BY N"),
            (QStringList{"\\N|\\N|1", "True|2025-01-02 03:04:05|12.5"}));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TPlain WHERE Flag = -1").toLongLong(), 1);
}

TEST_F(RecordsetTest, WhatCannotBeUpdatedIsRefused) {
  // Refused as read-only, not only for want of a table to write to.
  auto ro = Open("SELECT IDX, Arg2 FROM TTaskList", CursorType::Static, LockType::ReadOnly);
  EXPECT_EQ(Failure([&] { ro->SetValue("Arg2", "x"); }),
            std::pair(dberr::kInvalidArg, QStringLiteral("The recordset is read-only: field 'Arg2' cannot be set.")));
  const std::pair<const char*, const char*> refused[] = {
      {"SELECT IDX, Arg2 & 'x' AS Joined FROM TTaskList", "Joined"},
      {"SELECT IDX, Arg2 FROM TTaskList", "NoSuch"},
      {"SELECT SiteCategory, COUNT(*) AS N FROM TTaskList GROUP BY SiteCategory", "SiteCategory"},
  };
  for (const auto& [sql, field] : refused) {
    auto rs = Open(QString::fromUtf8(sql), CursorType::Dynamic, LockType::Optimistic);
    EXPECT_EQ(FailureCode([&] { rs->SetValue(QString::fromUtf8(field), "x"); }), dberr::kInvalidArg) << sql;
  }
  // The row vanished between reading and writing.
  auto rs = Open("SELECT IDX, Arg2 FROM TTaskList WHERE IDX = 1", CursorType::Dynamic, LockType::Optimistic);
  Exec("DELETE FROM TTaskList WHERE IDX = 1");
  rs->SetValue("Arg2", "late");
  EXPECT_LT(FailureCode([&] { rs->Update(); }), 0);
  // A value the column cannot hold.
  auto typed = Open("SELECT IDX, Price FROM TTaskList WHERE IDX = 2", CursorType::Dynamic, LockType::Optimistic);
  typed->SetValue("Price", "cheap");
  EXPECT_EQ(FailureCode([&] { typed->Update(); }), dberr::kTypeMismatch);
  EXPECT_EQ(Value("SELECT Price FROM TTaskList WHERE IDX = 2").toDouble(), 0.0);
}

}  // namespace
}  // namespace mt::test
