#include "db/jetsql/jet_functions.h"

#include <sqlite3.h>

#include <QStringView>
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

int CompareText(void*, int bytesA, const void* a, int bytesB, const void* b) {
  const QStringView x(static_cast<const char16_t*>(a), bytesA / 2);
  const QStringView y(static_cast<const char16_t*>(b), bytesB / 2);
  return x.compare(y, Qt::CaseInsensitive);
}

}  // namespace

const JetFunction* FindJetFunction(QStringView upperName) {
  for (std::span<const JetFunction> family : Families())
    for (const JetFunction& f : family)
      if (f.jetName && upperName == QLatin1String(f.jetName)) return &f;
  return nullptr;
}

void RegisterJetFunctionsOn(sqlite3* db) {
  sqlite3_create_collation_v2(db, kSqlTextCollation, SQLITE_UTF16, nullptr, CompareText, nullptr);
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
