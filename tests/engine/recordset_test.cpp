// Recordsets: cursor kinds and counts, values at the boundary, snapshots that
// a pass of updates does not disturb, optimistic updates written at once.
#include <QDateTime>

#include "engine_fixture.h"

namespace mt::test {
namespace {

class RecordsetTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Exec(QStringLiteral(
        "CREATE TABLE TTaskList (IDX AUTOINCREMENT, SiteCategory TEXT(255), Arg2 MEMO, Arg5 MEMO, "
        "IsDeleted BIT DEFAULT False, LastDate DATETIME, Price MONEY DEFAULT 0, "
        "CONSTRAINT PrimaryKey PRIMARY KEY (IDX))"));
    Exec(QStringLiteral("INSERT INTO TTaskList (SiteCategory, Arg2, Arg5, LastDate) VALUES "
                        "('Mobile_Naver_Shopping', 'id=1&cat_id=5', '', #2024-07-04 05:38:45#)"));
    Exec(QStringLiteral("INSERT INTO TTaskList (SiteCategory, Arg2, Arg5) VALUES "
                        "('Mobile_Naver_Shopping', 'keep cat_id', '?nv_mid=7')"));
    Exec(QStringLiteral("INSERT INTO TTaskList (SiteCategory, Arg2, Arg5) VALUES "
                        "('Mobile_Naver_Blog', 'cat_id', NULL)"));
  }

  std::unique_ptr<Recordset> Open(const QString& sql, CursorType cursor, LockType lock) {
    return conn_->OpenRecordset(sql, cursor, lock);
  }
};

TEST_F(RecordsetTest, CursorKindsCountsAndFields) {
  const QString all = QStringLiteral("SELECT IDX, SiteCategory, Arg5, IsDeleted, LastDate, Price FROM TTaskList ORDER BY IDX");
  EXPECT_EQ(Open(all, CursorType::ForwardOnly, LockType::ReadOnly)->RecordCount(), -1);
  EXPECT_EQ(Open(all, CursorType::Dynamic, LockType::Optimistic)->RecordCount(), 3);
  auto none = Open(QStringLiteral("SELECT IDX FROM TTaskList WHERE IDX > 99"), CursorType::Static, LockType::ReadOnly);
  EXPECT_TRUE(none->Eof());
  EXPECT_EQ(none->RecordCount(), 0);

  auto rs = Open(all, CursorType::Static, LockType::Unspecified);
  EXPECT_EQ(rs->RecordCount(), 3);
  EXPECT_EQ(rs->FieldName(1), QStringLiteral("SiteCategory"));
  EXPECT_EQ(rs->Value(QStringLiteral("sitecategory")), rs->Value(1));
  EXPECT_EQ(rs->Value(QStringLiteral("IDX")).typeId(), QMetaType::LongLong);
  EXPECT_EQ(rs->Value(QStringLiteral("IsDeleted")), QVariant(false));
  EXPECT_EQ(rs->Value(QStringLiteral("LastDate")).toDateTime(), QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45)));
  EXPECT_EQ(rs->Value(QStringLiteral("Price")).typeId(), QMetaType::Double);
  EXPECT_EQ(rs->Value(QStringLiteral("Arg5")), QVariant(QString()));
  EXPECT_EQ(ErrorOf([&] { rs->Value(QStringLiteral("NoSuchField")); }), dberr::kInvalidArg);
  EXPECT_EQ(ErrorOf([&] { rs->Value(6); }), dberr::kInvalidArg);
  rs->MoveNext();
  rs->MoveNext();
  // Null is an invalid QVariant, distinct from the empty text above.
  EXPECT_FALSE(rs->Value(QStringLiteral("Arg5")).isValid());
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());
  EXPECT_NE(ErrorOf([&] { rs->MoveNext(); }), 0);
  EXPECT_NE(ErrorOf([&] { rs->Value(0); }), 0);
  rs->Close();
  EXPECT_EQ(ErrorOf([&] { rs->Eof(); }), dberr::kClosed);
}

TEST_F(RecordsetTest, StaticAndForwardOnlySeeASnapshot) {
  for (CursorType cursor : {CursorType::ForwardOnly, CursorType::Static}) {
    Exec(QStringLiteral("CREATE TABLE TSnap (K LONG, V TEXT(30))"));
    for (int k = 1; k <= 3; ++k) Exec(QStringLiteral("INSERT INTO TSnap (K, V) VALUES (%1, 'v%1')").arg(k));
    auto rs = Open(QStringLiteral("SELECT K, V FROM TSnap ORDER BY K"), cursor, LockType::ReadOnly);
    Exec(QStringLiteral("INSERT INTO TSnap (K, V) VALUES (4, 'added during the pass')"));
    Exec(QStringLiteral("DELETE FROM TSnap WHERE K = 2"));
    Exec(QStringLiteral("UPDATE TSnap SET V = 'changed' WHERE K = 3"));
    QStringList seen;
    for (; !rs->Eof(); rs->MoveNext()) seen << rs->Value(1).toString();
    EXPECT_EQ(seen, (QStringList{"v1", "v2", "v3"}));
    rs->Close();
    Exec(QStringLiteral("DROP TABLE TSnap"));
  }
}

TEST_F(RecordsetTest, OptimisticUpdateWritesEachRowAtOnce) {
  auto rs = Open("SELECT IDX, Arg2 FROM TTaskList WHERE SiteCategory = \"Mobile_Naver_Shopping\"", CursorType::Dynamic,
                 LockType::Optimistic);
  ASSERT_EQ(rs->RecordCount(), 2);
  for (; !rs->Eof(); rs->MoveNext()) {
    const QString v = rs->Value("Arg2").toString().replace("cat_id", "catId");
    rs->SetValue("Arg2", v);
    rs->Update();
    // Written at once: another statement sees it before the pass moves on.
    EXPECT_EQ(Value(QStringLiteral("SELECT Arg2 FROM TTaskList WHERE IDX = %1").arg(rs->Value("IDX").toLongLong())), v);
    EXPECT_EQ(rs->Value("Arg2").toString(), v);
  }
  rs->Save();  // after the last row: the rows are written, nothing is left to persist
  rs->Close();
  EXPECT_EQ(ErrorOf([&] { rs->Save(); }), dberr::kClosed);
  EXPECT_EQ(Rows("SELECT IDX, Arg2 FROM TTaskList ORDER BY IDX"),
            (QStringList{"1|id=1&catId=5", "2|keep catId", "3|cat_id"}));
}

TEST_F(RecordsetTest, UpdatesConvertValuesAndWorkThroughAliasesAndWithoutKeys) {
  auto rs = Open(QStringLiteral("SELECT T.IDX, T.IsDeleted, T.LastDate, T.Price FROM TTaskList AS T "
                                "WHERE T.IDX = 2"),
                 CursorType::Dynamic, LockType::Optimistic);
  ASSERT_FALSE(rs->Eof());
  rs->SetValue(QStringLiteral("IsDeleted"), true);
  rs->SetValue(QStringLiteral("lastdate"), QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));
  rs->SetValue(QStringLiteral("Price"), QStringLiteral("12.5"));
  rs->MoveNext();  // pending changes are written when the pass moves on
  rs->Close();
  EXPECT_EQ(Rows(QStringLiteral("SELECT IsDeleted, LastDate, Price FROM TTaskList WHERE IDX = 2")),
            QStringList{"True|2025-01-02 03:04:05|12.5"});
  EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM TTaskList WHERE IsDeleted = -1")).toLongLong(), 1);

  // A table without any key or AUTOINCREMENT column still has rows to find.
  Exec(QStringLiteral("CREATE TABLE TPlain (Name TEXT(10), N LONG)"));
  Exec(QStringLiteral("INSERT INTO TPlain (Name, N) VALUES ('a', 1)"));
  Exec(QStringLiteral("INSERT INTO TPlain (Name, N) VALUES ('a', 1)"));
  auto plain = Open(QStringLiteral("SELECT N FROM TPlain"), CursorType::Dynamic, LockType::Optimistic);
  plain->SetValue(QStringLiteral("N"), 10);
  plain->Update();
  plain->Close();
  EXPECT_EQ(Rows(QStringLiteral("SELECT N FROM TPlain ORDER BY N")), (QStringList{"1", "10"}));
}

TEST_F(RecordsetTest, WhatCannotBeUpdatedIsRefused) {
  auto ro = Open(QStringLiteral("SELECT IDX, Arg2 FROM TTaskList"), CursorType::Static, LockType::ReadOnly);
  EXPECT_EQ(ErrorOf([&] { ro->SetValue(QStringLiteral("Arg2"), QStringLiteral("x")); }), dberr::kInvalidArg);
  const std::pair<const char*, const char*> refused[] = {
      {"SELECT IDX, Arg2 & 'x' AS Joined FROM TTaskList", "Joined"},
      {"SELECT IDX, Arg2 FROM TTaskList", "NoSuch"},
      {"SELECT SiteCategory, COUNT(*) AS N FROM TTaskList GROUP BY SiteCategory", "SiteCategory"},
  };
  for (const auto& [sql, field] : refused) {
    auto rs = Open(QString::fromUtf8(sql), CursorType::Dynamic, LockType::Optimistic);
    EXPECT_EQ(ErrorOf([&] { rs->SetValue(QString::fromUtf8(field), QStringLiteral("x")); }), dberr::kInvalidArg) << sql;
  }
  // The row vanished between reading and writing.
  auto rs = Open(QStringLiteral("SELECT IDX, Arg2 FROM TTaskList WHERE IDX = 1"), CursorType::Dynamic,
                 LockType::Optimistic);
  Exec(QStringLiteral("DELETE FROM TTaskList WHERE IDX = 1"));
  rs->SetValue(QStringLiteral("Arg2"), QStringLiteral("late"));
  EXPECT_LT(ErrorOf([&] { rs->Update(); }), 0);
  // A value the column cannot hold.
  auto typed = Open(QStringLiteral("SELECT IDX, Price FROM TTaskList WHERE IDX = 2"), CursorType::Dynamic,
                    LockType::Optimistic);
  typed->SetValue(QStringLiteral("Price"), QStringLiteral("cheap"));
  EXPECT_EQ(ErrorOf([&] { typed->Update(); }), dberr::kTypeMismatch);
  EXPECT_EQ(Value(QStringLiteral("SELECT Price FROM TTaskList WHERE IDX = 2")).toDouble(), 0.0);
}

TEST_F(RecordsetTest, AStatementWithoutRowsRunsAndGivesAClosedRecordset) {
  auto rs = Open(QStringLiteral("DELETE FROM TTaskList WHERE IDX = 3"), CursorType::Static, LockType::ReadOnly);
  EXPECT_FALSE(rs->IsOpen());
  EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM TTaskList")).toLongLong(), 2);
}

}  // namespace
}  // namespace mt::test
