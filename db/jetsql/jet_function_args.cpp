#include "db/jetsql/jet_function_args.h"

#include <cmath>
#include <optional>

#include "db/jetsql/jet_values.h"

namespace mt::engine::jetfn {

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

QString Text(sqlite3_value* v) { return ValueText(v); }

void ResultText(sqlite3_context* ctx, const QString& s) {
  sqlite3_result_text16(ctx, s.utf16(), static_cast<int>(s.size() * 2), SQLITE_TRANSIENT);
}

void Fail(sqlite3_context* ctx, const char* message) { sqlite3_result_error(ctx, message, -1); }

bool NumberArg(sqlite3_context* ctx, sqlite3_value* v, double* out) {
  if (IsNull(v)) {
    Fail(ctx, kInvalidNull);
    return false;
  }
  std::optional<double> d = ValueNumber(v);
  if (!d) {
    Fail(ctx, kTypeMismatch);
    return false;
  }
  *out = *d;
  return true;
}

bool IntArg(sqlite3_context* ctx, sqlite3_value* v, int64_t* out) {
  double d;
  if (!NumberArg(ctx, v, &d)) return false;
  d = std::nearbyint(d);
  if (!(d >= -9.2e18 && d <= 9.2e18)) {
    Fail(ctx, kOverflow);
    return false;
  }
  *out = static_cast<int64_t>(d);
  return true;
}

bool DateArg(sqlite3_context* ctx, sqlite3_value* v, double* out) {
  if (IsNull(v)) {
    Fail(ctx, kInvalidNull);
    return false;
  }
  std::optional<double> d = ValueDate(v);
  if (!d) {
    Fail(ctx, kTypeMismatch);
    return false;
  }
  *out = *d;
  return true;
}

bool AnyNull(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (IsNull(argv[i])) return true;
  return false;
}

void ResultSerial(sqlite3_context* ctx, double serial) {
  // Years 100 to 9999 are the range of a Jet date.
  if (!(serial >= -657434.0 && serial < 2958466.0)) return Fail(ctx, kOverflow);
  sqlite3_result_double(ctx, serial);
}

bool IsNumericType(sqlite3_value* v) {
  int t = sqlite3_value_type(v);
  return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

}  // namespace mt::engine::jetfn
