// The Jet built-in functions and operators as SQLite functions.
//
// Promises:
//  - Every function the emitter names in its SQL is in the table below and is
//    installed by RegisterJetFunctionsOn(), with the collation jet_text;
//    installing twice is harmless.
//  - Values follow Jet's rules rather than SQLite's: Null propagates where Jet
//    propagates it, text compares and matches case-insensitively where Jet
//    does, dates are day serials (see jet_dates.h), whole numbers round to
//    even ("banker's rounding") in CLng/CInt, and text + text concatenates.
//  - A call Jet would reject (Null to CLng, Mid from position 0, a text that
//    is no number to CDbl, division by zero, an overflow) fails the statement
//    with a Jet-worded message instead of returning a made-up value.
#pragma once

#include <sqlite3.h>

#include <QString>
#include <QStringView>


namespace mt::engine {

using SqlScalarFn = void (*)(sqlite3_context*, int, sqlite3_value**);
using SqlFinalFn = void (*)(sqlite3_context*);

struct JetFunction {
  const char* jetName;  // upper case, as the emitter looks it up
  const char* sqlName;  // the SQLite function the emitted SQL calls
  int minArgs;
  int maxArgs;
  SqlScalarFn scalar;   // scalar function, or the step of an aggregate
  SqlFinalFn final;     // aggregates only
  bool deterministic;   // false for Now(), Date(), Time()
};

// The function that implements the Jet function `upperName` (without '$'),
// or nullptr when there is none.
const JetFunction* FindJetFunction(QStringView upperName);

// SQL names of the operator functions the emitter uses.
inline constexpr const char* kSqlAdd = "jet_add";          // Jet '+'
inline constexpr const char* kSqlConcat = "jet_concat";    // '&'
inline constexpr const char* kSqlDivide = "jet_div";       // '/'
inline constexpr const char* kSqlIntDivide = "jet_intdiv"; // '\'
inline constexpr const char* kSqlMod = "jet_mod";          // Mod
inline constexpr const char* kSqlPower = "jet_pow";        // '^'
inline constexpr const char* kSqlLike = "jet_like";        // LIKE (value, pattern)
// The bounds of what a pattern can match, in jet_text order and, key-folded,
// in key-fold order (JetLikeFloor, JetLikeCeiling), so that an index can find
// the candidates.
inline constexpr const char* kSqlLikeFloor = "jet_like_floor";
inline constexpr const char* kSqlLikeCeiling = "jet_like_ceiling";
inline constexpr const char* kSqlXor = "jet_xor";
inline constexpr const char* kSqlEqv = "jet_eqv";
inline constexpr const char* kSqlImp = "jet_imp";
// Currency as the emitter carries it, a count of ten-thousandths (see
// jet_functions_currency.cpp): any value into that form (Null stays Null),
// that form as a number of units, times or divided by a number, an average
// rounded back to whole ten-thousandths.
inline constexpr const char* kSqlToCurrency = "jet_cur";
inline constexpr const char* kSqlCurrencyValue = "jet_cur_value";
inline constexpr const char* kSqlCurrencyTimes = "jet_cur_mul";
inline constexpr const char* kSqlCurrencyDivided = "jet_cur_div";
inline constexpr const char* kSqlCurrencyRound = "jet_cur_round";
// Text ordered as Jet orders it: case ignored for all of Unicode.
inline constexpr const char* kSqlTextCollation = "jet_text";
// A text's key fold, written around an operand: SQLite's own functions only,
// so an index on it stays readable and checkable by any SQLite (a lookup
// index a killed run leaves behind included). ASCII letters fold to lower
// case, the Kelvin sign and the long s to the 'k' and 's' they fold to, all
// else stays. Two texts that jet_text finds equal have the same key fold
// when one of them holds only characters whose case variants all key-fold
// alike (TextLiteralTraits' key-fold bit): ASCII, Hangul, most of Unicode
// but cased letters beyond ASCII.
inline constexpr const char* kSqlKeyFoldOpen = "lower(replace(replace(";
inline constexpr const char* kSqlKeyFoldClose = ", char(8490), 'k'), char(383), 's'))";

void RegisterJetFunctionsOn(sqlite3* db);

// Jet's LIKE with '%', '_' and [character lists], ignoring case for all of
// Unicode. Exposed for tests and for callers that match outside SQL.
bool JetLikeMatch(QStringView value, QStringView pattern);
// Every text a pattern matches starts with its floor, ignoring case: the
// ASCII characters before its first wildcard or other character; empty when
// there are none or when they could begin a number's text (digits, signs,
// '.', 'e', blanks), since a number column's values are no texts. In jet_text
// order every text the pattern matches lies at or above the floor and below
// the ceiling, the floor with its last character, case folded, one higher
// (empty when the floor is).
QString JetLikeFloor(QStringView pattern);
QString JetLikeCeiling(QStringView pattern);
// The floor's length, without making it.
qsizetype JetLikeFloorSize(QStringView pattern);
// Whether a number's text may hold the character (digits, signs, '.', 'e',
// blanks): a text of such characters only may read as a number.
inline bool InNumberText(char16_t u) {
  return (u >= u'0' && u <= u'9') || u == u'+' || u == u'-' || u == u'.' || u == u'e' || u == u'E' || u == u' ' ||
         (u >= u'\t' && u <= u'\r');
}

}  // namespace mt::engine
