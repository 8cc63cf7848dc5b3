// Version 335 on a real database.
#include "migrations/migration_db.h"
#include "migrations/user_id_backfill.h"

namespace mt::testing {
namespace {

class UserIdDbTest : public MigrationDbTest {
 protected:
  void AddAccount(int idx, const QString& name) { AddRowTo("TUserIdIPs", {"IDX", "UserId", "Pwd"}, {idx, name, "pw"}); }
  // Adds a row of TUserActions, TTaskLog or TActionList for the account;
  // returns the query that reads its UserId back. Log rows are keyed by
  // (TaskIDX, LogDate): each gets its own task number.
  QString AddRow(const QString& table, int userIdx, const QVariant& userId) {
    const QDateTime day(QDate(2024, 3, 1), QTime(10, 0));
    if (table == "TTaskLog") {
      AddRowTo(table, {"TaskIDX", "LogDate", "UserIDX", "UserId"}, {++logTask_, day, userIdx, userId});
      return QStringLiteral("SELECT UserId FROM TTaskLog WHERE TaskIDX = %1").arg(logTask_);
    }
    const QString idx = table == "TUserActions"
                            ? AddRowTo(table, {"UserIDX", "UserId", "ActionDate"}, {userIdx, userId, day})
                            : AddRowTo(table, {"UserIDX", "UserId"}, {userIdx, userId});
    return "SELECT UserId FROM " + table + " WHERE IDX = " + idx;
  }

 private:
  int logTask_ = 1000;
};

TEST_F(UserIdDbTest, FillsNamesInThreePasses) {
  OpenDatabaseAt(334);
  AddAccount(7, "user1");
  AddAccount(8, "us\"er");
  AddAccount(9, "");
  AddAccount(11, "eleven");
  AddAccount(12, "twelve");
  const struct {
    const char* table;
    int userIdx;
    QVariant userId;
    const char* expected;
  } rows[] = {
      // Pass 1: actions without a name, then their account's log and list rows.
      {"TUserActions", 7, "", "user1"},
      {"TUserActions", 8, QVariant(), "us\"er"},
      {"TUserActions", 9, "", ""},      // empty name: skipped
      {"TUserActions", 10, "", ""},     // no account row: skipped
      {"TUserActions", 0, "", ""},      // never selected
      {"TUserActions", -1, "", ""},
      {"TUserActions", 7, "keep", "keep"},  // has a name: never selected
      {"TTaskLog", 7, "old", "user1"},      // overwritten by pass 1's statement
      {"TActionList", 7, "x", "user1"},
      {"TActionList", 8, "", "us\"er"},
      // Pass 2: log rows left, with their account's list rows.
      {"TTaskLog", 11, "", "eleven"},
      {"TTaskLog", 10, "", ""},
      {"TTaskLog", 0, "", ""},
      {"TActionList", 11, "", "eleven"},
      // Pass 3: list rows left.
      {"TActionList", 12, QVariant(), "twelve"},
      {"TActionList", 9, "", ""},
  };
  QStringList readBack;
  for (const auto& r : rows) readBack << AddRow(r.table, r.userIdx, r.userId);

  p_DBUpgrade_335();

  for (size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(Cell(readBack[i]), rows[i].expected) << rows[i].table << " of account " << rows[i].userIdx;
  EXPECT_TRUE(ErrorLines("modMain.p_DBUpgrade_335").isEmpty());
  EXPECT_TRUE(LogMessages().contains("modMain.p_DBUpgrade_335 End"));
}

TEST_F(UserIdDbTest, FailingStatementEndsAllPasses) {
  OpenDatabaseAt(334);
  AddAccount(7, "user1");
  AddAccount(11, "eleven");
  const QString act7 = AddRow("TUserActions", 7, "");
  const QString log7 = AddRow("TTaskLog", 7, "");
  const QString log11 = AddRow("TTaskLog", 11, "");
  // Pass 1 updates the log first, then the action list, which is gone.
  Exec("DROP TABLE TActionList");

  p_DBUpgrade_335();

  EXPECT_EQ(Cell(log7), "user1");  // the statement before the failure stays written
  EXPECT_EQ(Cell(act7), "");        // the row update after it never ran
  EXPECT_EQ(Cell(log11), "");       // pass 2 never ran
  EXPECT_EQ(ErrorLines("modDB.DBExecute").size(), 1);
  const QStringList errors = ErrorLines("modMain.p_DBUpgrade_335");
  ASSERT_EQ(errors.size(), 1);
  // The query layer's failure is passed on with its code and its own entry.
  EXPECT_TRUE(errors[0].startsWith(QStringLiteral("ERROR: modMain.p_DBUpgrade_335 Line = 14\t%1\t")
                                       .arg(dberr::kNotFound)))
      << errors[0].toStdString();
  EXPECT_TRUE(LogMessages().endsWith("modMain.p_DBUpgrade_335 End"));
  EXPECT_EQ(LogMessages().indexOf(errors[0]) + 1,
            LogMessages().indexOf("modMain.p_DBUpgrade_335 End"));
}

}  // namespace
}  // namespace mt::testing
