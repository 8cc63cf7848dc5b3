// Jet's operators ('+', '&', '/', '\\', Mod, '^', LIKE, Xor, Eqv, Imp), its
// conversions (Val, CLng, CInt, CByte, CDbl, CSng, CStr, CBool, CDate; CCur is
// with the Currency functions)
// and its number functions, with Jet's rules for Null, rounding and overflow.
#include "db/jetsql/jet_function_args.h"

#include <cmath>
#include <optional>

#include "db/jetsql/jet_dates.h"
#include "db/jetsql/jet_values.h"

namespace mt::engine::jetfn {

namespace {

// --- operators ---

void FnAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_value* a = argv[0];
  sqlite3_value* b = argv[1];
  if (IsNull(a) || IsNull(b)) return sqlite3_result_null(ctx);
  const bool numA = IsNumericType(a);
  const bool numB = IsNumericType(b);
  if (!numA && !numB) return ResultText(ctx, Text(a) + Text(b));
  if (sqlite3_value_type(a) == SQLITE_INTEGER && sqlite3_value_type(b) == SQLITE_INTEGER) {
    int64_t r;
    if (!__builtin_add_overflow(sqlite3_value_int64(a), sqlite3_value_int64(b), &r))
      return sqlite3_result_int64(ctx, r);
  }
  // Number + text: the text must read as a number.
  std::optional<double> x = ValueNumber(a);
  std::optional<double> y = ValueNumber(b);
  if (!x || !y) return Fail(ctx, kTypeMismatch);
  sqlite3_result_double(ctx, *x + *y);
}

void FnConcat(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) && IsNull(argv[1])) return sqlite3_result_null(ctx);
  ResultText(ctx, Text(argv[0]) + Text(argv[1]));
}

void FnDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  double a, b;
  if (!NumberArg(ctx, argv[0], &a) || !NumberArg(ctx, argv[1], &b)) return;
  if (b == 0) return Fail(ctx, kDivisionByZero);
  sqlite3_result_double(ctx, a / b);
}

void FnIntDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t a, b;
  if (!IntArg(ctx, argv[0], &a) || !IntArg(ctx, argv[1], &b)) return;
  if (b == 0) return Fail(ctx, kDivisionByZero);
  sqlite3_result_int64(ctx, a / b);
}

void FnMod(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t a, b;
  if (!IntArg(ctx, argv[0], &a) || !IntArg(ctx, argv[1], &b)) return;
  if (b == 0) return Fail(ctx, kDivisionByZero);
  sqlite3_result_int64(ctx, a % b);
}

void FnPow(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  double a, b;
  if (!NumberArg(ctx, argv[0], &a) || !NumberArg(ctx, argv[1], &b)) return;
  double r = std::pow(a, b);
  if (std::isnan(r)) return Fail(ctx, kInvalidCall);
  sqlite3_result_double(ctx, r);
}

template <int64_t (*F)(int64_t, int64_t)>
void FnBitwise(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t a, b;
  if (!IntArg(ctx, argv[0], &a) || !IntArg(ctx, argv[1], &b)) return;
  sqlite3_result_int64(ctx, F(a, b));
}
int64_t XorOf(int64_t a, int64_t b) { return a ^ b; }
int64_t EqvOf(int64_t a, int64_t b) { return ~(a ^ b); }
int64_t ImpOf(int64_t a, int64_t b) { return ~a | b; }

void FnLike(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  sqlite3_result_int(ctx, JetLikeMatch(Text(argv[0]), Text(argv[1])) ? 1 : 0);
}

void ResultText(sqlite3_context* ctx, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void FnLikeFloor(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(1, argv)) return sqlite3_result_null(ctx);
  ResultText(ctx, JetLikeFloor(Text(argv[0])));
}

void FnLikeCeiling(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(1, argv)) return sqlite3_result_null(ctx);
  ResultText(ctx, JetLikeCeiling(Text(argv[0])));
}

// --- conversions ---

void FnVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  sqlite3_result_double(ctx, JetVal(Text(argv[0])));
}

template <int64_t Min, int64_t Max>
void FnCWhole(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  d = std::nearbyint(d);  // round half to even, as Jet's CLng and CInt do
  if (!(d >= static_cast<double>(Min) && d <= static_cast<double>(Max))) return Fail(ctx, kOverflow);
  sqlite3_result_int64(ctx, static_cast<int64_t>(d));
}

void FnCDbl(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, d);
}

void FnCSng(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (std::fabs(d) > std::numeric_limits<float>::max()) return Fail(ctx, kOverflow);
  sqlite3_result_double(ctx, static_cast<double>(static_cast<float>(d)));
}

void FnCStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  ResultText(ctx, Text(argv[0]));
}

void FnCBool(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  if (!IsNumericType(argv[0])) {
    QString s = Text(argv[0]).trimmed();
    if (s.compare(u"True", Qt::CaseInsensitive) == 0) return sqlite3_result_int(ctx, -1);
    if (s.compare(u"False", Qt::CaseInsensitive) == 0) return sqlite3_result_int(ctx, 0);
  }
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_int(ctx, d != 0 ? -1 : 0);
}

void FnCDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!DateArg(ctx, argv[0], &d)) return;
  ResultSerial(ctx, d);
}

void FnCVDate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  FnCDate(ctx, argc, argv);
}

// --- numbers ---

template <double (*F)(double)>
void FnRound(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
    return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, F(d));
}
double Floor(double d) { return std::floor(d); }
double Trunc(double d) { return std::trunc(d); }

void FnAbs(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
    int64_t v = sqlite3_value_int64(argv[0]);
    if (v != std::numeric_limits<int64_t>::min()) return sqlite3_result_int64(ctx, v < 0 ? -v : v);
  }
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, std::fabs(d));
}

void FnSgn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_int(ctx, d > 0 ? 1 : (d < 0 ? -1 : 0));
}

void FnSqr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (d < 0) return Fail(ctx, kInvalidCall);
  sqlite3_result_double(ctx, std::sqrt(d));
}

void FnExp(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  double r = std::exp(d);
  if (std::isinf(r)) return Fail(ctx, kOverflow);
  sqlite3_result_double(ctx, r);
}

void FnLog(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (d <= 0) return Fail(ctx, kInvalidCall);
  sqlite3_result_double(ctx, std::log(d));
}

// Round(x[, digits]) rounds half to even, as Jet does.
void FnRoundTo(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  int64_t digits = 0;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (argc > 1 && !IntArg(ctx, argv[1], &digits)) return;
  if (digits < 0 || digits > 15) return Fail(ctx, kInvalidCall);
  if (digits == 0) return sqlite3_result_double(ctx, std::nearbyint(d));
  const double scale = std::pow(10.0, static_cast<double>(digits));
  sqlite3_result_double(ctx, std::nearbyint(d * scale) / scale);
}

void FnChoose(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  int64_t i = static_cast<int64_t>(std::trunc(d));
  if (i < 1 || i >= argc) return sqlite3_result_null(ctx);
  sqlite3_result_value(ctx, argv[i]);
}

// Switch(cond1, value1, cond2, value2, ...): the value of the first true condition.
void FnSwitch(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (argc % 2 != 0) return Fail(ctx, kInvalidCall);
  for (int i = 0; i + 1 < argc; i += 2) {
    if (IsNull(argv[i])) continue;
    std::optional<double> c = ValueNumber(argv[i]);
    if (!c) return Fail(ctx, kTypeMismatch);
    if (*c != 0) return sqlite3_result_value(ctx, argv[i + 1]);
  }
  sqlite3_result_null(ctx);
}

const JetFunction kOperator[] = {
    {nullptr, kSqlAdd, 2, 2, FnAdd, nullptr, true},
    {nullptr, kSqlConcat, 2, 2, FnConcat, nullptr, true},
    {nullptr, kSqlDivide, 2, 2, FnDiv, nullptr, true},
    {nullptr, kSqlIntDivide, 2, 2, FnIntDiv, nullptr, true},
    {nullptr, kSqlMod, 2, 2, FnMod, nullptr, true},
    {nullptr, kSqlPower, 2, 2, FnPow, nullptr, true},
    {nullptr, kSqlLike, 2, 2, FnLike, nullptr, true},
    {nullptr, kSqlLikeFloor, 1, 1, FnLikeFloor, nullptr, true},
    {nullptr, kSqlLikeCeiling, 1, 1, FnLikeCeiling, nullptr, true},
    {nullptr, kSqlXor, 2, 2, FnBitwise<XorOf>, nullptr, true},
    {nullptr, kSqlEqv, 2, 2, FnBitwise<EqvOf>, nullptr, true},
    {nullptr, kSqlImp, 2, 2, FnBitwise<ImpOf>, nullptr, true},
};

const JetFunction kConversion[] = {
    {"VAL", "jet_val", 1, 1, FnVal, nullptr, true},
    {"CLNG", "jet_clng", 1, 1, FnCWhole<-2147483648LL, 2147483647LL>, nullptr, true},
    {"CINT", "jet_cint", 1, 1, FnCWhole<-32768, 32767>, nullptr, true},
    {"CBYTE", "jet_cbyte", 1, 1, FnCWhole<0, 255>, nullptr, true},
    {"CDBL", "jet_cdbl", 1, 1, FnCDbl, nullptr, true},
    {"CSNG", "jet_csng", 1, 1, FnCSng, nullptr, true},
    {"CSTR", "jet_cstr", 1, 1, FnCStr, nullptr, true},
    {"CBOOL", "jet_cbool", 1, 1, FnCBool, nullptr, true},
    {"CDATE", "jet_cdate", 1, 1, FnCDate, nullptr, true},
    {"CVDATE", "jet_cvdate", 1, 1, FnCVDate, nullptr, true},
};

const JetFunction kNumber[] = {
    {"INT", "jet_int", 1, 1, FnRound<Floor>, nullptr, true},
    {"FIX", "jet_fix", 1, 1, FnRound<Trunc>, nullptr, true},
    {"ABS", "jet_abs", 1, 1, FnAbs, nullptr, true},
    {"SGN", "jet_sgn", 1, 1, FnSgn, nullptr, true},
    {"SQR", "jet_sqr", 1, 1, FnSqr, nullptr, true},
    {"EXP", "jet_exp", 1, 1, FnExp, nullptr, true},
    {"LOG", "jet_log", 1, 1, FnLog, nullptr, true},
    {"ROUND", "jet_round", 1, 2, FnRoundTo, nullptr, true},
    {"CHOOSE", "jet_choose", 2, kMany, FnChoose, nullptr, true},
    {"SWITCH", "jet_switch", 2, kMany, FnSwitch, nullptr, true},
};

}  // namespace

std::span<const JetFunction> OperatorFunctions() { return kOperator; }
std::span<const JetFunction> ConversionFunctions() { return kConversion; }
std::span<const JetFunction> NumberFunctions() { return kNumber; }

}  // namespace mt::engine::jetfn
