// Version 319 on a real database.
#include "migrations/endpoints.h"
#include "migrations/migration_db.h"
#include "migrations/place_urls.h"

namespace mt::testing {
namespace {

using namespace endpoints;

TEST_F(MigrationDbTest, PlaceTasksGetMobileLinksAndPlaceKeys) {
  OpenDatabaseAt(318);
  const QString restaurant = QStringLiteral("Mobile_Naver_Restaurant");
  const QString desktop = "http://" + PlaceHost + "/restaurants/12345?entry=pll&from=map";
  const QString store = "https://" + StoreHost + "/hairshops/777/home";
  const QString detail = "https://" + MobilePlaceHost + "/hospital/detail?id=55&src=x";
  const QString mobile = "https://" + MobilePlaceHost;
  const QString item = mobile + "/place/9/item?type=a";
  const struct {
    QString category;
    QVariant link, key;
    QString linkAfter, keyAfter;
  } rows[] = {
      {restaurant, desktop, "0|" + desktop, mobile + "/restaurant/12345", "113|12345"},
      {restaurant, store, "0|" + store, mobile + "/hairshop/777/home", "113|777"},
      {restaurant, detail, "0|" + detail, mobile + "/hospital/55", "113|55"},
      {restaurant, QVariant(), QVariant(), "<null>", "<null>"},
      {restaurant, item, "113|31|item?x=1", item, "113|31|item?x=1"},
      {"Mobile_Naver_Shopping", desktop, "0|" + desktop, desktop, "0|" + desktop},
  };
  QStringList ids;
  for (const auto& r : rows) ids << AddTaskRow({"SiteCategory", "Arg2", "ContentKey"}, {r.category, r.link, r.key});

  p_DBUpgrade_319();

  for (int i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(TaskValue("Arg2", ids[i]), rows[i].linkAfter) << i;
    EXPECT_EQ(TaskValue("ContentKey", ids[i]), rows[i].keyAfter) << i;
  }
  EXPECT_TRUE(ErrorLines("modMain.p_DBUpgrade_319").isEmpty());
  EXPECT_TRUE(LogMessages().contains("modMain.p_DBUpgrade_319 End"));
}

}  // namespace
}  // namespace mt::testing
