// Jet's Format(value, format) for the value kinds the engine stores: numbers
// (digit placeholders 0 and #, '.', ',' grouping, '%', E+ exponents, up to
// four ';' sections), day serials (yyyy, yy, m, mm, mmm, mmmm, d, dd, ddd,
// dddd, h, hh, n, nn, s, ss, q, w, ww, y, AM/PM, c) and text (@, &, <, >).
// Named formats ("General Date", "Short Date", "Fixed", "Standard",
// "Percent", "Yes/No", ...) are accepted.
//
// Promises:
//  - Literal text in the format passes through: "quoted", \x escaped, and
//    any character that is no placeholder.
//  - In a date format, m/mm after an hour or before a second means minutes.
//  - Numbers round half away from zero, as Format does (not to even).
#pragma once

#include <sqlite3.h>

#include <QString>
#include <QStringView>
#include <optional>


namespace mt::engine {

std::optional<QString> JetFormat(sqlite3_value* value, const QString& format);

QString FormatDateSerial(double serial, QStringView format);
QString FormatNumber(double value, QStringView format);

}  // namespace mt::engine
