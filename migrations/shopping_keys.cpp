#include "migrations/shopping_keys.h"

#include "db/query.h"
#include "migrations/endpoints.h"
#include "migrations/migration_frame.h"
#include "text/string_utils.h"
#include "text/url_tools.h"
#include "text/utf8.h"
#include "text/variant_convert.h"

namespace mt {

namespace {

QString Param(const QString& link, const QString& name) {
  return GetQueryStringValue(link, name, nullptr, QStringLiteral("?"), false);
}

}  // namespace

void p_DBUpgrade_298() {
  RunMigration(QStringLiteral("modMain.p_DBUpgrade_298"), [](MigrationContext& ctx) {
    ctx.Step(1);
    Recordset* rs = ctx.OpenUpdatable(QStringLiteral(
        "SELECT IDX, Arg2, Arg5 FROM TTaskList WHERE SiteCategory = \"Mobile_Naver_Shopping\""));
    if (!DBHasRecords(rs)) return;
    while (!rs->Eof()) {
      ctx.Step(2);
      const QString column = TextOrEmpty(rs->Value(QStringLiteral("Arg5"))).isEmpty()
                                 ? QStringLiteral("Arg2")
                                 : QStringLiteral("Arg5");
      // An empty Arg5 with a Null Arg2 has no text to rewrite: that fails here.
      QString value = TextOf(rs->Value(column));
      value.replace(QStringLiteral("cat_id"), QStringLiteral("catId"));
      value.replace(QStringLiteral("nv_mid"), QStringLiteral("nvMid"));
      ctx.Step(3);
      rs->SetValue(column, value);
      rs->Update();
      rs->MoveNext();
    }
    // Every row is written by its own Update already; the recordset is
    // persisted all the same, and a failure of that ends the migration too.
    ctx.Step(4);
    rs->Save();
  });
}

void p_DBUpgrade_329() {
  RunMigration(QStringLiteral("modMain.p_DBUpgrade_329"), [](MigrationContext& ctx) {
    ctx.Step(1);
    Recordset* rs = ctx.OpenUpdatable(QStringLiteral(
        "SELECT IDX, Arg5 FROM TTaskList WHERE SiteCategory = \"Mobile_Naver_Shopping\" AND NOT "
        "Arg5 IS NULL"));
    if (!DBHasRecords(rs)) return;
    while (!rs->Eof()) {
      ctx.Step(2);
      const QString link = TextOrEmpty(rs->Value(QStringLiteral("Arg5")));
      ctx.Step(3);
      if (!link.isEmpty()) rs->SetValue(QStringLiteral("Arg5"), ConvertToMobileCatalogURL(link));
      rs->Update();
      rs->MoveNext();
    }
  });
}

QString GetShoppingMid(const QString& link) {
  QString id = Param(link, QStringLiteral("nv_mid"));
  if (id.isEmpty()) id = Param(link, QStringLiteral("nvMid"));
  if (id.isEmpty()) {
    int searchPos = 1;
    id = GetStringBetween(link, QStringLiteral("catalog/"), QStringLiteral("?"), searchPos);
  }
  return id;
}

QString MakeShoppingURL(const QString& id, const QString& query, const QString& napm) {
  QString link = QStringLiteral("https://") + endpoints::MobileShoppingHost +
                 QStringLiteral("/catalog/") + id;
  if (!napm.isEmpty()) link += QStringLiteral("?NaPm=") + napm;
  if (!query.isEmpty()) {
    link += link.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?');
    link += QStringLiteral("query=") + EncodeUTF8(query, false);
  }
  return link;
}

QString ConvertToMobileCatalogURL(const QString& link) {
  const QString id = GetShoppingMid(link);
  const QString napm = Param(link, QStringLiteral("NaPm"));
  const QString query = Param(link, QStringLiteral("query"));
  const bool isDetail = link.contains(QStringLiteral("detail/lite")) ||
                        link.contains(QStringLiteral("detail/detail"));
  if (isDetail && !id.isEmpty()) return MakeShoppingURL(id, DecodeUTF8(query), napm);
  return link;
}

}  // namespace mt
