// Version 338 on a real database.
#include "migrations/channel_keys.h"
#include "migrations/endpoints.h"
#include "migrations/migration_db.h"

namespace mt::testing {
namespace {

const QString kChannel = QStringLiteral("Mobile_Naver_Channel");

class ChannelDbTest : public MigrationDbTest {
 protected:
  QString AddTask(const QString& category, const QVariant& arg1, const QVariant& arg2,
                  const QVariant& functionType = 1) {
    return AddTaskRow({"SiteCategory", "FunctionType", "Arg1", "Arg2", "ContentKey"},
                      {category, functionType, arg1, arg2, "122|" + TextOrEmpty(arg1)});
  }
  // A log row of task (which may be any number), with the serial column
  // (when named) not 0; its LogDate keeps keys apart.
  void AddLog(const QString& task, const QString& category, const QVariant& arg1, const QString& serial = {}) {
    QStringList columns{"TaskIDX", "LogDate", "SiteCategory", "Arg1", "ContentKey"};
    QVariantList values{task.toInt(), QDateTime(QDate(2024, 3, 1), QTime(10, ++minute_)), category, arg1, "old"};
    if (!serial.isEmpty()) {
      columns << serial;
      values << 5;
    }
    AddRowTo("TTaskLog", columns, values);
  }
  void AddAction(const QString& key) {
    AddRowTo("TUserActions", {"ContentKey", "ActionDate"}, {key, QDateTime(QDate(2024, 3, 1), QTime(0, 0))});
  }
  // Content keys of the log rows, tasks and actions, in the order they were added.
  QStringList LogKeys() { return Column("SELECT ContentKey FROM TTaskLog ORDER BY LogDate"); }
  QStringList TaskKeys() { return Column("SELECT ContentKey FROM TTaskList ORDER BY IDX"); }
  QStringList ActionKeys() { return Column("SELECT ContentKey FROM TUserActions ORDER BY IDX"); }

 private:
  int minute_ = 0;
};

TEST_F(ChannelDbTest, MovesChannelKeysToCode102) {
  OpenDatabaseAt(337);
  const QString blog = "https://m." + endpoints::BlogHost + "/view?blogId=abc&logNo=223";
  const QString t1 = AddTask(kChannel, "kw1", blog);
  const QString t2 = AddTask(kChannel, "a\"b", "https://ch.example/2");
  const QString t3 = AddTask("MobileXNaverXChannel", "k3", "https://ch.example/3");
  AddTask("mobile_naver_channel", "k4", "");
  const QString shop = AddTask("Mobile_Naver_Shopping", "s", "https://shop.example/1");

  AddLog(t1, kChannel, "kw1");                        // the task's own row
  AddLog(t1, kChannel, "other");                      // another keyword
  for (const char* serial : {"ExchangeLogSN", "WebManageLogSN", "CrawlingSn"})
    AddLog(t1, kChannel, "kw1", serial);              // rows of an exchange, a web manager, a crawl
  AddLog(t1, "Mobile_Naver_Shopping", "kw1");         // another category
  AddLog(t2, kChannel, "a\"b");                       // quotes in the keyword
  AddLog(t2, kChannel, "kw1");                        // another task's row with t1's keyword
  AddLog("999", kChannel, QVariant());                // Null keyword, no task
  AddLog(t3, "MobileXNaverXChannel", "k3");           // "_" matches any character
  AddLog(shop, "Mobile_Naver_Shopping", "s");         // another category

  for (const char* key : {"122|abc|x", "122|", "1220|x", "102|zzz"}) AddAction(key);

  p_DBUpgrade_338();

  // t3 and t4 are selected by the pattern, but not of the channel category itself.
  EXPECT_EQ(TaskKeys(), (QStringList{"102|abc/223", "102|https://ch.example/2", "0|https://ch.example/3", "0|",
                                     "122|s"}));

  EXPECT_EQ(LogKeys(), (QStringList{"102|abc/223", "102|other", "102|kw1", "102|kw1", "102|kw1", "old",
                                    "102|https://ch.example/2", "102|kw1", "<null>", "0|https://ch.example/3",
                                    "old"}));

  EXPECT_EQ(ActionKeys(), (QStringList{"102|abc", "102|", "1220|x", "102|zzz"}));

  const QStringList messages = LogMessages();
  EXPECT_TRUE(ErrorLines("modMain.p_DBUpgrade_338").isEmpty());
  EXPECT_TRUE(messages.contains("modMain.GetActionContentKey Start. lFuncType=1, Arg1=kw1, Arg2=" +
                                blog + ", Arg3=, Detail=, SiteCategory=" + kChannel +
                                ", IsMobile=-1"));
  EXPECT_TRUE(messages.contains("modMain.GetActionContentKey end. 102|abc/223"));
  EXPECT_EQ(messages.filter("modMain.GetActionContentKey Start.").size(), 4);
}

TEST_F(ChannelDbTest, TaskWithoutFunctionTypeStopsTheMigration) {
  OpenDatabaseAt(337);
  // Let the column hold a Null, which no number can be made of.
  Exec("ALTER TABLE TTaskList ALTER COLUMN FunctionType INT");
  AddTask(kChannel, "k1", "https://ch.example/1");
  AddTask(kChannel, "k2", "https://ch.example/2", QVariant());  // Null
  const QString t3 = AddTask(kChannel, "k3", "https://ch.example/3");
  AddLog(t3, kChannel, "k3");
  AddAction("122|abc");

  p_DBUpgrade_338();

  EXPECT_EQ(TaskKeys(), (QStringList{"102|https://ch.example/1", "122|k2", "122|k3"}));
  EXPECT_EQ(LogKeys(), QStringList{"102|k3"});        // the first statement ran for every log row
  EXPECT_EQ(ActionKeys(), QStringList{"122|abc"});  // the last pass never ran
  const QStringList errors = ErrorLines("modMain.p_DBUpgrade_338");
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].contains("\t94\t")) << errors[0].toStdString();
  EXPECT_TRUE(LogMessages().endsWith("modMain.p_DBUpgrade_338 End"));
}

}  // namespace
}  // namespace mt::testing
