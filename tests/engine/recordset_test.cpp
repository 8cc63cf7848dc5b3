// Recordsets: cursor kinds and counts, values at the boundary, snapshots that
// a pass of updates does not disturb, optimistic updates written at once.
#include <QDateTime>

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
