// Values and rows as the command-line tool prints them: one line a row,
// tab-separated fields.
//
// Promises:
//  - Null is \N; text escapes backslash, tab, line feed and carriage return
//    as \\, \t, \n, \r and any other control character as \xHH; dates
//    read yyyy-mm-dd hh:nn:ss; Yes/No is True/False; Currency is its exact
//    decimal (up to four places, no trailing zeros); numbers are in plain
//    decimal form (never an exponent; the shortest digits that read back as
//    the same value).
//  - CSV and JSON carry the same values in those formats' own quoting.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include "db/engine.h"

namespace mt::engine {

QString FieldText(const QVariant& value);

// The header line of field names, then one line per remaining row.
QStringList RecordsetLines(Recordset& rs);

// The remaining rows as CSV (RFC 4180): a header record of field names, one
// record a row, CR LF after each; a field holding a comma, a double quote, CR
// or LF is quoted with inner quotes doubled. Null is an empty field, other
// values read as in FieldText without its escapes.
QString RecordsetCsv(Recordset& rs);

// The remaining rows as a JSON array of objects keyed by field name: Null as
// null, Yes/No as true/false, numbers as numbers (plain decimal; NaN and the
// infinities, which JSON has not, as text), dates as ISO text
// (yyyy-mm-ddThh:nn:ss), binary values as hex text, everything else as text.
QString RecordsetJson(Recordset& rs);

}  // namespace mt::engine
