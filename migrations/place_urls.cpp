#include "migrations/place_urls.h"

#include "db/query.h"
#include "migrations/endpoints.h"
#include "migrations/migration_frame.h"
#include "text/variant_convert.h"

namespace mt {

namespace {

// Keeps what stands before the first occurrence of marker.
void CutAt(QString& s, const QString& marker) {
  const qsizetype at = s.indexOf(marker);
  if (at >= 0) s.truncate(at);
}

void ReplaceIfContained(QString& s, const QString& from, const QString& to) {
  if (s.contains(from)) s.replace(from, to);
}

}  // namespace

QString NormalizePlaceLink(QString link) {
  using namespace endpoints;
  const QString https = QStringLiteral("https://");
  if (link.startsWith(QStringLiteral("http://")))  // A1
    link.replace(QStringLiteral("http://"), https);
  ReplaceIfContained(link, StoreHost, PlaceHost);                   // A2
  ReplaceIfContained(link, https + PlaceHost, https + MobilePlaceHost);  // A3
  // A4 to A9: plural path words become singular, "common" becomes "hospital".
  static const char* const kPaths[][2] = {{"/hospitals/", "/hospital/"},
                                          {"/restaurants/", "/restaurant/"},
                                          {"/nailshops/", "/nailshop/"},
                                          {"/hairshops/", "/hairshop/"},
                                          {"/places/", "/place/"},
                                          {"/common/", "/hospital/"}};
  for (const auto& p : kPaths)
    ReplaceIfContained(link, PlaceHost + QLatin1String(p[0]), PlaceHost + QLatin1String(p[1]));
  if (link.contains(QLatin1Char('&'))) CutAt(link, QStringLiteral("&"));  // A10
  ReplaceIfContained(link, QStringLiteral("/detail?id="), QStringLiteral("/"));  // A11
  if (link.contains(QLatin1Char('?')) && !link.contains(QStringLiteral("/item")) &&
      !link.contains(QStringLiteral("/detail")))
    CutAt(link, QStringLiteral("?"));  // A12
  return link;
}

QString NormalizePlaceContentKey(QString key) {
  using namespace endpoints;
  const QString https = QStringLiteral("https://");
  ReplaceIfContained(key, QStringLiteral("http://"), https);             // B1
  ReplaceIfContained(key, StoreHost, PlaceHost);                         // B2
  ReplaceIfContained(key, https + PlaceHost, https + MobilePlaceHost);  // B3
  // B4 to B14: a link key on the mobile place host becomes a place key.
  static const char* const kWords[] = {"/hospital/", "/hospitals/",   "/common/",   "/restaurant/",
                                       "/restaurants/", "/nailshop/", "/nailshops/", "/hairshop/",
                                       "/hairshops/", "/place/",      "/places/"};
  for (const char* word : kWords)
    ReplaceIfContained(key, QStringLiteral("0|https://") + MobilePlaceHost + QLatin1String(word),
                       QStringLiteral("113|"));
  if (key.contains(QLatin1Char('&')) && key.contains(QStringLiteral("detail?id=")))
    CutAt(key, QStringLiteral("&"));  // B15
  if (key.startsWith(QStringLiteral("113|detail?id=")))  // B16
    key.replace(QStringLiteral("113|detail?id="), QStringLiteral("113|"));
  if (key.contains(QLatin1Char('?')) && !key.contains(QStringLiteral("|item")) &&
      !key.contains(QStringLiteral("|detail")))
    CutAt(key, QStringLiteral("?"));  // B17
  key.remove(QStringLiteral("/home"));  // B18
  return key;
}

void p_DBUpgrade_319() {
  RunMigration(QStringLiteral("modMain.p_DBUpgrade_319"), [](MigrationContext& ctx) {
    ctx.Step(1);
    Recordset* rs = ctx.OpenUpdatable(QStringLiteral(
        "SELECT IDX, Arg2, ContentKey FROM TTaskList WHERE SiteCategory = "
        "\"Mobile_Naver_Restaurant\""));
    if (!DBHasRecords(rs)) return;
    while (!rs->Eof()) {
      ctx.Step(2);
      QVariant link = rs->Value(QStringLiteral("Arg2"));
      QVariant key = rs->Value(QStringLiteral("ContentKey"));
      // A Null value fails every test of the rules and stays Null.
      if (!IsNullValue(link)) link = NormalizePlaceLink(TextOf(link));
      if (!IsNullValue(key)) key = NormalizePlaceContentKey(TextOf(key));
      ctx.Step(3);
      rs->SetValue(QStringLiteral("Arg2"), link);
      rs->SetValue(QStringLiteral("ContentKey"), key);
      rs->Update();
      rs->MoveNext();
    }
  });
}

}  // namespace mt
