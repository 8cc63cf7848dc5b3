// How Jet reads SQLite values: as text, as a number, as a date serial; and
// how it writes numbers as text.
//
// Promises:
//  - Null reads as empty text, and as no number and no date.
//  - A whole REAL prints without a fraction ("3", not "3.0"); other numbers
//    print with up to 15 significant digits, exponents as "1E+20".
#pragma once

#include <sqlite3.h>

#include <QString>
#include <QStringView>
#include <optional>


namespace mt::engine {

QString JetNumberText(double d);
std::optional<double> TextToNumber(QStringView text);

QString ValueText(sqlite3_value* v);
std::optional<double> ValueNumber(sqlite3_value* v);
// A date serial: a number as it is, a text read as a date (or as a number).
std::optional<double> ValueDate(sqlite3_value* v);

// Val(): the number at the start of the text, blanks ignored; 0 when none.
double JetVal(QStringView text);

}  // namespace mt::engine
