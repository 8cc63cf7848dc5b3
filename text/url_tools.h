// Reading one parameter out of the query string of a link.
//
// Promises:
//  - GetQueryStringValue never fails. It answers the raw value of the first
//    parameter named key after the first queryStart in url: no decoding, no
//    "+" to space, no trimming; a value ends at the next "=" or "&".
//  - found tells whether a parameter of that name exists at all (a parameter
//    without "=" is found with an empty value).
//  - Names are compared exactly, or ignoring case when asked; an item with a
//    leading space never matches (names are not trimmed).
//  - The array helpers (GetArrayUBound, RemoveArrayItem) come with this header.
#pragma once

#include <QString>

#include "text/array_tools.h"

namespace mt {

QString GetQueryStringValue(const QString& url, const QString& key, bool* found = nullptr,
                            const QString& queryStart = QStringLiteral("?"),
                            bool ignoreCase = false);

}  // namespace mt
