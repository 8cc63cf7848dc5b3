// Argument and result helpers shared by the families of Jet built-in
// functions (jet_functions_*.cpp), and the table each family exports.
//
// Promises:
//  - NumberArg, IntArg and DateArg fail the call with Jet's own message (Null:
//    "Invalid use of Null"; no number or date: the type mismatch; out of
//    range: "Overflow") and return false; the caller then returns at once.
//  - ResultSerial fails with "Overflow" outside Jet's date range (years 100
//    to 9999) instead of storing a serial no date can show.
//  - Each family lists its functions once, in its own table; jet_functions.cpp
//    looks names up and registers across all of them.
#pragma once

#include <sqlite3.h>

#include <QString>
#include <cstdint>
#include <span>

#include "db/jetsql/jet_functions.h"

namespace mt::engine::jetfn {

inline constexpr const char* kInvalidNull = "Invalid use of Null";
inline constexpr const char* kInvalidCall = "Invalid procedure call or argument";
inline constexpr const char* kTypeMismatch = "Data type mismatch in criteria expression.";
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kDivisionByZero = "Division by zero";

inline constexpr int kMany = 127;  // SQLite's limit on function arguments

bool IsNull(sqlite3_value* v);
QString Text(sqlite3_value* v);
void ResultText(sqlite3_context* ctx, const QString& s);
void Fail(sqlite3_context* ctx, const char* message);
bool AnyNull(int argc, sqlite3_value** argv);
bool IsNumericType(sqlite3_value* v);
// A numeric argument; fails the call (and returns false) when it is Null or
// no number. IntArg rounds half to even.
bool NumberArg(sqlite3_context* ctx, sqlite3_value* v, double* out);
bool IntArg(sqlite3_context* ctx, sqlite3_value* v, int64_t* out);
bool DateArg(sqlite3_context* ctx, sqlite3_value* v, double* out);
void ResultSerial(sqlite3_context* ctx, double serial);

// The families. Operators are called by the emitter under their SQL names,
// never by name from Jet SQL (their jetName is null).
std::span<const JetFunction> OperatorFunctions();
std::span<const JetFunction> TextFunctions();
std::span<const JetFunction> ConversionFunctions();
std::span<const JetFunction> NumberFunctions();
std::span<const JetFunction> DateFunctions();
std::span<const JetFunction> CurrencyFunctions();

}  // namespace mt::engine::jetfn
