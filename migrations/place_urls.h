// The code migration of the place-directory tasks (TTaskList rows of the
// category "Mobile_Naver_Restaurant"): one canonical form for every stored
// place link, and place content keys "113|" + place id instead of "0|" + link.
//
// Promises:
//  - Every selected row gets NormalizePlaceLink(Arg2) and
//    NormalizePlaceContentKey(ContentKey) and is updated, changed or not.
//  - The rules are case-sensitive substring operations applied in a fixed
//    order; a Null value stays Null.
//  - Runs in the migration frame: a failure stops it and is logged.
#pragma once

#include <QString>

namespace mt {

void p_DBUpgrade_319();

QString NormalizePlaceLink(QString link);
QString NormalizePlaceContentKey(QString key);

}  // namespace mt
