// All code steps in one real upgrade, from 297 to the newest version: each
// step meets the schema of its own version and the rows earlier steps left.
#include "migrations/endpoints.h"
#include "migrations/migration_db.h"

#include <QRegularExpression>

namespace mt::testing {
namespace {

using namespace endpoints;

TEST_F(MigrationDbTest, UpgradeFrom297AppliesEveryStepInTurn) {
  OpenDatabaseAt(297);
  const auto add = [](const QString& category, const QString& arg1, const QVariant& arg2,
                      const QVariant& arg5) {
    return AddTaskRow({"SiteCategory", "Arg1", "Arg2", "Arg5", "ContentKey"},
                      {category, arg1, arg2, arg5, "0|" + TextOrEmpty(arg2)});
  };
  // 298 renames nv_mid, then 329 finds the item under its new name.
  const QString shop = add("Mobile_Naver_Shopping", "s", "",
                           "https://s.example/detail/lite?nv_mid=5&cat_id=3&query=%EA%B0%80+b");
  const QString place = add("Mobile_Naver_Restaurant", "p",
                            "http://" + PlaceHost + "/restaurants/12?entry=1", QVariant());
  const QString channel = add("Mobile_Naver_Channel", "c",
                              "http://" + BlogHost + "/abc?Redirect=Log&logNo=9", QVariant());
  Exec("INSERT INTO TUserIdIPs (IDX, UserId, Pwd) VALUES (7, \"user1\", \"pw\")");
  Exec("INSERT INTO TUserActions (UserIDX, ActionDate, ContentKey) VALUES (7, #2024-03-01#, "
       "\"122|k|x\")");

  p_DBUpgrade(297);

  EXPECT_EQ(DbVersion(), QString::number(LatestDBVersion));
  EXPECT_EQ(Cell("SELECT Arg5 FROM TTaskList WHERE IDX = " + shop),
            "https://" + MobileShoppingHost + "/catalog/5?query=%EA%B0%80%20b");
  EXPECT_EQ(Cell("SELECT Arg2 & ' ' & ContentKey FROM TTaskList WHERE IDX = " + place),
            "https://" + MobilePlaceHost + "/restaurant/12 113|12");
  EXPECT_EQ(Cell("SELECT ContentKey FROM TTaskList WHERE IDX = " + channel), "102|abc/9");
  EXPECT_EQ(Cell("SELECT UserId & ' ' & ContentKey FROM TUserActions"), "user1 102|k");

  const QStringList steps =
      LogMessages().filter(QRegularExpression("^modMain\\.p_DBUpgrade_\\d+ (Start|End)$"));
  QStringList expected;
  for (const char* v : {"298", "298", "319", "329", "335", "338"})
    expected << QStringLiteral("modMain.p_DBUpgrade_%1 Start").arg(v)
             << QStringLiteral("modMain.p_DBUpgrade_%1 End").arg(v);
  EXPECT_EQ(steps, expected);
  for (const char* v : {"298", "319", "329", "335", "338"})
    EXPECT_TRUE(ErrorLines(QStringLiteral("modMain.p_DBUpgrade_%1").arg(v)).isEmpty()) << v;
}

}  // namespace
}  // namespace mt::testing
