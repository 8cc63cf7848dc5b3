// Jet's Currency in SQL: a 64-bit count of ten-thousandths, as the engine
// stores it. The emitter keeps an expression of Currency type in that form
// (sums, differences, products and quotients by numbers, CCur) and turns it
// into a number of currency units only where a plain number is wanted.
#include <cmath>
#include <cstdlib>

#include "db/currency.h"
#include "db/jetsql/jet_function_args.h"
#include "db/jetsql/jet_values.h"

namespace mt::engine::jetfn {

namespace {

// The count of ten-thousandths of any value: a whole number scales exactly,
// a text reads as an exact decimal, a REAL rounds half to even.
bool ToUnits(sqlite3_context* ctx, sqlite3_value* v, int64_t* out) {
  std::optional<Currency> c;
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: {
      int64_t scaled;
      if (__builtin_mul_overflow(sqlite3_value_int64(v), Currency::kScale, &scaled)) break;
      *out = scaled;
      return true;
    }
    case SQLITE_FLOAT:
      c = Currency::FromDouble(sqlite3_value_double(v));
      break;
    default: {
      const QString text = ValueText(v);
      c = Currency::FromText(text);
      if (!c && !TextToNumber(text)) {
        Fail(ctx, kTypeMismatch);
        return false;
      }
    }
  }
  if (!c) {
    Fail(ctx, kOverflow);
    return false;
  }
  *out = c->units;
  return true;
}

// An operand already in units (the emitter's Currency form).
bool ToUnitsOrRaw(sqlite3_context* ctx, sqlite3_value* v, int64_t* out) {
  if (sqlite3_value_type(v) == SQLITE_INTEGER) {
    *out = sqlite3_value_int64(v);
    return true;
  }
  return IntArg(ctx, v, out);
}

void ResultUnits(sqlite3_context* ctx, long double units) {
  const long double r = std::nearbyint(units);  // half to even
  if (!(r >= -9223372036854775808.0L && r <= 9223372036854775807.0L)) return Fail(ctx, kOverflow);
  sqlite3_result_int64(ctx, static_cast<int64_t>(r));
}

// CCur(x) (Null is an error) and the conversion the emitter puts where a
// value enters a Currency column or expression (Null stays Null).
template <bool NullFails>
void FnToUnits(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return NullFails ? Fail(ctx, kInvalidNull) : sqlite3_result_null(ctx);
  int64_t units;
  if (ToUnits(ctx, argv[0], &units)) sqlite3_result_int64(ctx, units);
}

// A count of ten-thousandths as a number of currency units.
void FnUnitsValue(sqlite3_context* ctx, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL: return sqlite3_result_null(ctx);
    case SQLITE_INTEGER:
      return sqlite3_result_double(ctx, static_cast<double>(sqlite3_value_int64(argv[0])) / Currency::kScale);
    default: {
      double d;
      if (NumberArg(ctx, argv[0], &d)) sqlite3_result_double(ctx, d / Currency::kScale);
    }
  }
}

// Units times a number: exact for whole numbers, else to the nearest unit.
void FnUnitsTimes(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t units;
  if (!ToUnitsOrRaw(ctx, argv[0], &units)) return;
  if (sqlite3_value_type(argv[1]) == SQLITE_INTEGER) {
    int64_t r;
    if (__builtin_mul_overflow(units, sqlite3_value_int64(argv[1]), &r)) return Fail(ctx, kOverflow);
    return sqlite3_result_int64(ctx, r);
  }
  double factor;
  if (!NumberArg(ctx, argv[1], &factor)) return;
  ResultUnits(ctx, static_cast<long double>(units) * factor);
}

// Units divided by a number, to the nearest unit (half to even).
void FnUnitsDivided(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t units;
  if (!ToUnitsOrRaw(ctx, argv[0], &units)) return;
  if (sqlite3_value_type(argv[1]) == SQLITE_INTEGER) {
    const int64_t d = sqlite3_value_int64(argv[1]);
    if (d == 0) return Fail(ctx, kDivisionByZero);
    const __int128 q = units / __int128(d);
    const __int128 r = units % __int128(d);
    __int128 twice = r < 0 ? -2 * r : 2 * r;
    __int128 div = d < 0 ? -__int128(d) : __int128(d);
    __int128 result = q;
    const bool negative = (units < 0) != (d < 0);
    if (twice > div || (twice == div && (q & 1))) result += negative ? -1 : 1;
    if (result < INT64_MIN || result > INT64_MAX) return Fail(ctx, kOverflow);
    return sqlite3_result_int64(ctx, int64_t(result));
  }
  double divisor;
  if (!NumberArg(ctx, argv[1], &divisor)) return;
  if (divisor == 0) return Fail(ctx, kDivisionByZero);
  ResultUnits(ctx, static_cast<long double>(units) / divisor);
}

// An average of units (a REAL) rounded to a whole unit.
void FnUnitsRound(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (NumberArg(ctx, argv[0], &d)) ResultUnits(ctx, d);
}

const JetFunction kCurrency[] = {
    {"CCUR", "jet_ccur", 1, 1, FnToUnits<true>, nullptr, true},
    {nullptr, kSqlToCurrency, 1, 1, FnToUnits<false>, nullptr, true},
    {nullptr, kSqlCurrencyValue, 1, 1, FnUnitsValue, nullptr, true},
    {nullptr, kSqlCurrencyTimes, 2, 2, FnUnitsTimes, nullptr, true},
    {nullptr, kSqlCurrencyDivided, 2, 2, FnUnitsDivided, nullptr, true},
    {nullptr, kSqlCurrencyRound, 1, 1, FnUnitsRound, nullptr, true},
};

}  // namespace

std::span<const JetFunction> CurrencyFunctions() { return kCurrency; }

}  // namespace mt::engine::jetfn
