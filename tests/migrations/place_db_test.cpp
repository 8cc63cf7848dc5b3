// Version 319 on a real database.
#include "migrations/endpoints.h"
#include "migrations/migration_db.h"
#include "migrations/place_urls.h"

namespace mt::testing {
namespace {

using namespace endpoints;

class PlaceDbTest : public MigrationDbTest {
 protected:
  QString AddTask(const QString& category, const QVariant& arg2, const QVariant& key) {
    return AddTaskRow({"SiteCategory", "Arg2", "ContentKey"}, {category, arg2, key});
  }
  QString Get(const QString& column, const QString& idx) { return TaskValue(column, idx); }
};

TEST_F(PlaceDbTest, RewritesLinksAndKeysOfPlaceTasks) {
  OpenDatabaseAt(318);
  const QString restaurant = QStringLiteral("Mobile_Naver_Restaurant");
  const QString desktop = "http://" + PlaceHost + "/restaurants/12345?entry=pll&from=map";
  const QString a = AddTask(restaurant, desktop, "0|" + desktop);
  const QString storeLink = "https://" + StoreHost + "/hairshops/777/home";
  const QString b = AddTask(restaurant, storeLink, "0|" + storeLink);
  const QString detail = "https://" + MobilePlaceHost + "/hospital/detail?id=55&src=x";
  const QString c = AddTask(restaurant, detail, "0|" + detail);
  const QString nulls = AddTask(restaurant, QVariant(), QVariant());
  const QString item = AddTask(restaurant, "https://" + MobilePlaceHost + "/place/9/item?type=a",
                               "113|31|item?x=1");
  const QString other = AddTask("Mobile_Naver_Shopping", desktop, "0|" + desktop);

  p_DBUpgrade_319();

  const QString mobile = "https://" + MobilePlaceHost;
  EXPECT_EQ(Get("Arg2", a), mobile + "/restaurant/12345");
  EXPECT_EQ(Get("ContentKey", a), "113|12345");
  EXPECT_EQ(Get("Arg2", b), mobile + "/hairshop/777/home");
  EXPECT_EQ(Get("ContentKey", b), "113|777");
  EXPECT_EQ(Get("Arg2", c), mobile + "/hospital/55");
  EXPECT_EQ(Get("ContentKey", c), "113|55");
  EXPECT_EQ(Get("Arg2", nulls), "<null>");
  EXPECT_EQ(Get("ContentKey", nulls), "<null>");
  EXPECT_EQ(Get("Arg2", item), mobile + "/place/9/item?type=a");
  EXPECT_EQ(Get("ContentKey", item), "113|31|item?x=1");
  EXPECT_EQ(Get("Arg2", other), desktop);
  EXPECT_EQ(Get("ContentKey", other), "0|" + desktop);
  EXPECT_TRUE(ErrorLines("modMain.p_DBUpgrade_319").isEmpty());
  EXPECT_TRUE(LogMessages().contains("modMain.p_DBUpgrade_319 End"));
}

}  // namespace
}  // namespace mt::testing
