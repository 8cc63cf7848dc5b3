// Host names of the outside web portal whose stored links the code
// migrations rewrite. Fixed configuration of the program, kept in this one
// place; nothing reads them from a file.
//
// Promises:
//  - MobilePlaceHost ends with PlaceHost (it is a sub-domain of it), so a
//    search for PlaceHost followed by a path also finds MobilePlaceHost
//    followed by that path.
//  - The mobile blog host is "m." + BlogHost; every blog also has a personal
//    host: its name, ".", then BlogAliasDomain.
#pragma once

#include <QString>

namespace mt::endpoints {

inline const QString MobileShoppingHost = QStringLiteral("m.shopping.portalhub.co.kr");
inline const QString PlaceHost = QStringLiteral("place.portalhub.co.kr");
inline const QString MobilePlaceHost = QStringLiteral("m.") + PlaceHost;
inline const QString StoreHost = QStringLiteral("store.portalhub.co.kr");
inline const QString BlogHost = QStringLiteral("blog.portalhub.co.kr");
inline const QString BlogAliasDomain = QStringLiteral("blogroom.kr");

}  // namespace mt::endpoints
