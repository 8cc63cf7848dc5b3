#include "db/jetsql/jet_functions.h"

#include <sqlite3.h>

#include <QStringView>
#include <algorithm>
#include <array>
#include <span>

#include "db/jetsql/jet_function_args.h"

namespace mt::engine {

namespace {

// --- aggregates ---

struct PickState {
  sqlite3_value* value;
  bool seen;
};

void FirstStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto* st = static_cast<PickState*>(sqlite3_aggregate_context(ctx, sizeof(PickState)));
  if (!st) return sqlite3_result_error_nomem(ctx);
  if (st->seen) return;
  st->value = sqlite3_value_dup(argv[0]);
  st->seen = true;
}

void LastStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto* st = static_cast<PickState*>(sqlite3_aggregate_context(ctx, sizeof(PickState)));
  if (!st) return sqlite3_result_error_nomem(ctx);
  sqlite3_value_free(st->value);
  st->value = sqlite3_value_dup(argv[0]);
  st->seen = true;
}

void PickFinal(sqlite3_context* ctx) {
  auto* st = static_cast<PickState*>(sqlite3_aggregate_context(ctx, 0));
  if (!st || !st->seen || !st->value) return sqlite3_result_null(ctx);
  sqlite3_result_value(ctx, st->value);
  sqlite3_value_free(st->value);
  st->value = nullptr;
}

const JetFunction kAggregates[] = {
    {"FIRST", "jet_first", 1, 1, FirstStep, PickFinal, true},
    {"LAST", "jet_last", 1, 1, LastStep, PickFinal, true},
};

// Every family's table (built on first use: the tables live in other files,
// whose initialisation order is not this file's).
const std::array<std::span<const JetFunction>, 7>& Families() {
  static const std::array<std::span<const JetFunction>, 7> families = {
      jetfn::OperatorFunctions(), jetfn::TextFunctions(), jetfn::ConversionFunctions(),
      jetfn::NumberFunctions(),   jetfn::DateFunctions(), jetfn::CurrencyFunctions(),
      std::span<const JetFunction>(kAggregates),
  };
  return families;
}

// On the UTF-8 the database holds: a run of ASCII compares in place, case
// folded; from the first character beyond ASCII on, Unicode's folding
// decides. (A UTF-16 collation made SQLite convert both texts for every
// comparison, the bulk of a sort's time.)
int CompareText(void*, int bytesA, const void* a, int bytesB, const void* b) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  const int n = std::min(bytesA, bytesB);
  int i = 0;
  for (; i < n; ++i) {
    unsigned p = x[i], q = y[i];
    if ((p | q) & 0x80) break;
    if (p - 'A' < 26u) p += 32;
    if (q - 'A' < 26u) q += 32;
    if (p != q) return p < q ? -1 : 1;
  }
  if (i == n && (i == bytesA || i == bytesB)) return (bytesA > bytesB) - (bytesA < bytesB);
  const QString restA = QString::fromUtf8(reinterpret_cast<const char*>(x + i), bytesA - i);
  const QString restB = QString::fromUtf8(reinterpret_cast<const char*>(y + i), bytesB - i);
  return restA.compare(restB, Qt::CaseInsensitive);
}

}  // namespace

const JetFunction* FindJetFunction(QStringView upperName) {
  for (std::span<const JetFunction> family : Families())
    for (const JetFunction& f : family)
      if (f.jetName && upperName == QLatin1String(f.jetName)) return &f;
  return nullptr;
}

void RegisterJetFunctionsOn(sqlite3* db) {
  sqlite3_create_collation_v2(db, kSqlTextCollation, SQLITE_UTF8, nullptr, CompareText, nullptr);
  for (std::span<const JetFunction> family : Families())
    for (const JetFunction& f : family) {
      const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
      const int nArg = f.minArgs == f.maxArgs ? f.minArgs : -1;
      if (f.final)
        sqlite3_create_function_v2(db, f.sqlName, nArg, flags, nullptr, nullptr, f.scalar, f.final, nullptr);
      else
        sqlite3_create_function_v2(db, f.sqlName, nArg, flags, nullptr, f.scalar, nullptr, nullptr, nullptr);
    }
}

}  // namespace mt::engine
