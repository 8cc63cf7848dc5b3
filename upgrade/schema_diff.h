// The differences between two schemas given as `marrowtide-db schema`
// listings (db/store/schema_listing.h): what a database should have
// (expected) against what it has (actual).
//
// Promises:
//  - One line per difference, five tab-separated fields:
//      KIND  TABLE-or-QUERY  COLUMN-or-KEY  EXPECTED  ACTUAL
//    KIND is one of: missing table, extra table, missing column, extra
//    column, type, not null, default, missing key, extra key, key,
//    description, missing view, extra view, missing procedure, extra
//    procedure. Fields that do not apply are empty; a column's EXPECTED or
//    ACTUAL is its type, a key's its kind and columns ("PRIMARY ID,Name"),
//    NOT NULL reads "NOT NULL" or "NULL".
//  - Names match without regard to case; column order does not count. The
//    columns, keys and descriptions of a missing or extra table are not
//    listed one by one.
//  - Descriptions are compared for the columns both sides have, a missing
//    one as an empty text.
//  - Lines follow the expected listing: each table's facts (its extras after
//    them), then the extra tables; views; procedures. No lines: the schemas
//    agree.
#pragma once

#include <QStringList>

namespace mt::upgrade {

QStringList CompareSchemas(const QStringList& expected, const QStringList& actual);

}  // namespace mt::upgrade
