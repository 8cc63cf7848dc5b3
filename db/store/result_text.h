// Values and rows as the command-line tool prints them: one line a row,
// tab-separated fields.
//
// Promises:
//  - Null is \N; text escapes backslash, tab, line feed and carriage return
//    as \\, \t, \n, \r and any other control character as \xHH; dates
//    read yyyy-mm-dd hh:nn:ss; Yes/No is True/False; numbers are in plain
//    decimal form (never an exponent; the shortest digits that read back as
//    the same value).
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include "db/engine.h"

namespace mt::engine {

QString FieldText(const QVariant& value);

// The header line of field names, then one line per remaining row.
QStringList RecordsetLines(Recordset& rs);

}  // namespace mt::engine
