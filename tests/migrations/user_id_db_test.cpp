// Version 335 on a real database.
#include "migrations/migration_db.h"
#include "migrations/user_id_backfill.h"

namespace mt::testing {
namespace {

class UserIdDbTest : public MigrationDbTest {
 protected:
  void AddAccount(int idx, const QString& name) {
    Exec(QStringLiteral("INSERT INTO TUserIdIPs (IDX, UserId, Pwd) VALUES (%1, %2, \"pw\")")
             .arg(idx)
             .arg(DBQuoteValue(name)));
  }
  QString AddAction(int userIdx, const QVariant& userId) {
    Exec(QStringLiteral("INSERT INTO TUserActions (UserIDX, UserId, ActionDate) VALUES (%1, %2, "
                        "#2024-03-01 10:00:00#)")
             .arg(userIdx)
             .arg(DBQuoteValue(userId)));
    return Cell(QStringLiteral("SELECT MAX(IDX) FROM TUserActions"));
  }
  // Log rows are keyed by (TaskIDX, LogDate): each gets its own task number.
  int AddLog(int userIdx, const QVariant& userId) {
    ++logTask_;
    Exec(QStringLiteral("INSERT INTO TTaskLog (TaskIDX, LogDate, UserIDX, UserId) VALUES (%1, "
                        "#2024-03-01 10:00:00#, %2, %3)")
             .arg(logTask_)
             .arg(userIdx)
             .arg(DBQuoteValue(userId)));
    return logTask_;
  }
  QString AddListRow(int userIdx, const QVariant& userId) {
    Exec(QStringLiteral("INSERT INTO TActionList (UserIDX, UserId) VALUES (%1, %2)")
             .arg(userIdx)
             .arg(DBQuoteValue(userId)));
    return Cell(QStringLiteral("SELECT MAX(IDX) FROM TActionList"));
  }
  QString ActionName(const QString& idx) {
    return Cell("SELECT UserId FROM TUserActions WHERE IDX = " + idx);
  }
  QString LogName(int task) {
    return Cell(QStringLiteral("SELECT UserId FROM TTaskLog WHERE TaskIDX = %1").arg(task));
  }
  QString ListName(const QString& idx) {
    return Cell("SELECT UserId FROM TActionList WHERE IDX = " + idx);
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

  const QString act7 = AddAction(7, "");
  const QString act8 = AddAction(8, QVariant());
  const QString act9 = AddAction(9, "");        // empty name: skipped
  const QString act10 = AddAction(10, "");      // no account row: skipped
  const QString act0 = AddAction(0, "");        // never selected
  const QString actNeg = AddAction(-1, "");
  const QString named = AddAction(7, "keep");   // has a name: never selected

  const int log7 = AddLog(7, "old");            // overwritten by pass 1's statement
  const int log11 = AddLog(11, "");             // pass 2
  const int log10 = AddLog(10, "");
  const int log0 = AddLog(0, "");

  const QString list7 = AddListRow(7, "x");
  const QString list8 = AddListRow(8, "");
  const QString list11 = AddListRow(11, "");
  const QString list12 = AddListRow(12, QVariant());  // pass 3
  const QString list9 = AddListRow(9, "");

  p_DBUpgrade_335();

  EXPECT_EQ(ActionName(act7), "user1");
  EXPECT_EQ(ActionName(act8), "us\"er");
  EXPECT_EQ(ActionName(act9), "");
  EXPECT_EQ(ActionName(act10), "");
  EXPECT_EQ(ActionName(act0), "");
  EXPECT_EQ(ActionName(actNeg), "");
  EXPECT_EQ(ActionName(named), "keep");

  EXPECT_EQ(LogName(log7), "user1");
  EXPECT_EQ(LogName(log11), "eleven");
  EXPECT_EQ(LogName(log10), "");
  EXPECT_EQ(LogName(log0), "");

  EXPECT_EQ(ListName(list7), "user1");
  EXPECT_EQ(ListName(list8), "us\"er");
  EXPECT_EQ(ListName(list11), "eleven");
  EXPECT_EQ(ListName(list12), "twelve");
  EXPECT_EQ(ListName(list9), "");

  EXPECT_TRUE(ErrorLines("modMain.p_DBUpgrade_335").isEmpty());
  EXPECT_TRUE(LogMessages().contains("modMain.p_DBUpgrade_335 End"));
}

TEST_F(UserIdDbTest, FailingStatementEndsAllPasses) {
  OpenDatabaseAt(334);
  AddAccount(7, "user1");
  AddAccount(11, "eleven");
  const QString act7 = AddAction(7, "");
  const int log7 = AddLog(7, "");
  const int log11 = AddLog(11, "");
  // Pass 1 updates the log first, then the action list, which is gone.
  Exec("DROP TABLE TActionList");

  p_DBUpgrade_335();

  EXPECT_EQ(LogName(log7), "user1");  // the statement before the failure stays written
  EXPECT_EQ(ActionName(act7), "");     // the row update after it never ran
  EXPECT_EQ(LogName(log11), "");       // pass 2 never ran
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
