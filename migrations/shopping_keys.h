// The code migrations of the shopping tasks (TTaskList rows of the category
// "Mobile_Naver_Shopping") and the link helpers they use.
//
// Promises:
//  - p_DBUpgrade_298 renames the link parameters "cat_id" -> "catId" and
//    "nv_mid" -> "nvMid" in Arg5, or in Arg2 when Arg5 is empty; idempotent.
//  - p_DBUpgrade_329 turns product-detail links in Arg5 into the mobile catalog
//    link of the same item, keeping "NaPm" and "query".
//  - Both run in the migration frame (migrations/migration_frame.h): rows are
//    written one at a time, a failure stops the migration and is logged,
//    nothing reaches the caller.
//  - The link helpers never fail; a link of another shape comes back unchanged.
#pragma once

#include <QString>

namespace mt {

void p_DBUpgrade_298();
void p_DBUpgrade_329();

// The item id of a shopping link: "nv_mid", else "nvMid", else the text
// between "catalog/" and the next "?"; empty when there is none.
QString GetShoppingMid(const QString& link);
// "https://" + MobileShoppingHost + "/catalog/" + id, then "NaPm" as given
// and "query" re-encoded (spaces as %20).
QString MakeShoppingURL(const QString& id, const QString& query, const QString& napm);
QString ConvertToMobileCatalogURL(const QString& link);

}  // namespace mt
