// How a Jet column is stored in SQLite and how its values cross the engine
// boundary.
//
// Promises:
//  - Each Jet type gets a declared SQLite type whose affinity keeps its values
//    the way Jet keeps them (text stays text, "123" in a MEMO column stays
//    "123"; whole numbers are INTEGER; MONEY is an INTEGER count of
//    ten-thousandths (read out as mt::Currency); dates, SINGLE and FLOAT are REAL;
//    LONGBINARY and BINARY keep bytes as BLOBs; GUID and DECIMAL are TEXT, so
//    a decimal keeps every digit)
//    and whose first word names the Jet type, so the type of a result column
//    can be read back from sqlite3_column_decltype, also through views.
//  - A Jet DEFAULT text becomes an SQLite DEFAULT clause: numbers as they are,
//    True/False as -1/0, quoted texts as SQL strings, NULL as no default, and
//    Now()/Date() as an expression over the local clock in Jet day numbers.
//  - Values convert between types the way an ALTER COLUMN needs; a value that
//    cannot be converted is a "type mismatch" failure.
#pragma once

#include <QString>
#include <QVariant>
#include <optional>

#include "db/jetsql/schema_model.h"

struct sqlite3;
struct sqlite3_stmt;

namespace mt::engine {

// Jet day number of 1899-12-30 as an SQLite julian day.
constexpr double kJetEpochJulianDay = 2415018.5;

// "TEXT(50)", "MEMO TEXT", "LONG INTEGER", "BIT INTEGER", "DATETIME REAL", ...;
// AUTOINCREMENT is "INTEGER" so that it can be the rowid alias.
QString DeclaredType(JetType type, int size);
// Reads a declared type back (also the plain SQLite names of foreign tables).
JetType JetTypeFromDeclared(const QString& declared, int* size = nullptr);

// Catalogue keyword of a type ("TEXT", "MEMO", "LONG", ...) and back.
QString JetTypeKeyword(JetType type);
std::optional<JetType> JetTypeFromKeyword(const QString& keyword);

struct DefaultSql {
  QString sql;            // empty: no DEFAULT clause
  bool constant = true;   // false for Now()/Date(): ALTER TABLE ADD COLUMN cannot take it
};
// Throws DbError(kSyntax) for a default text it does not understand.
DefaultSql DefaultClause(const ColumnDef& column);

// The SQL value an existing row gets when a NOT NULL column without a default
// is added: 0, '' or False.
QString ZeroValueSql(JetType type);

// What a result column holds, from its declared type.
enum class ValueKind { Plain, Bit, Date, Money };
ValueKind ValueKindFromDeclared(const char* declared);

// The value of one result column as the engine hands it out.
QVariant ReadColumn(sqlite3_stmt* stmt, int col, ValueKind kind);

// A value handed in for a column of the given type, as it is stored.
QVariant ToStoredValue(const QVariant& value, JetType type);

// Converts a stored value to what a column of type `to` holds; throws
// DbError(kTypeMismatch) when it cannot.
QVariant ConvertStoredValue(const QVariant& value, JetType from, JetType to);

// Jet date texts: "2024-07-04", "2024-07-04 05:38:45", "7/4/2024", "05:38:45".
std::optional<QDateTime> ParseJetDateText(const QString& text);

// Registers the storage layer's own SQL functions on a handle:
// _mt_convert(value, fromKeyword, toKeyword).
void RegisterStorageFunctions(sqlite3* db);

}  // namespace mt::engine
