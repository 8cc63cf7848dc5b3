// DISTINCTROW: Jet drops duplicate whole records of the tables whose fields
// the select list shows. Customers joined to their orders, showing only
// customer fields, gives each customer that has orders once, and two
// customers of one name stay apart. SQLite has no such keyword; grouping by
// the rowids of those tables says the same. Where the records cannot be told
// apart (a view, a derived table, a name no table claims), the rows stay as
// selected.
#include "db/jetsql/sqlite_emitter_internal.h"

namespace mt::engine::sqlemit {
namespace {

constexpr const char* kAggregates[] = {"SUM", "AVG", "COUNT", "MIN", "MAX", "FIRST",
                                        "LAST", "STDEV", "STDEVP", "VAR", "VARP"};

bool HasAggregate(const Expr& e) {
  if (e.kind == ExprKind::Call)
    for (const char* name : kAggregates)
      if (e.text == QLatin1String(name)) return true;
  for (const ExprPtr& a : e.args)
    if (a && HasAggregate(*a)) return true;
  return false;
}

// The column references of an expression, not looking into subqueries
// (their columns are their own).
void CollectColumns(const Expr& e, std::vector<const Expr*>* out) {
  if (e.kind == ExprKind::Column || e.kind == ExprKind::Star) out->push_back(&e);
  for (const ExprPtr& a : e.args)
    if (a) CollectColumns(*a, out);
}

}  // namespace

bool Emitter::hasColumn(const QString& table, const QString& column) {
  if (const auto typed = typedColumns(table)) {
    for (const TypedColumn& t : *typed)
      if (SameName(t.name, column)) return true;
  } else if (columnsOf_) {
    if (const auto names = columnsOfTable(table)) return names->contains(column, Qt::CaseInsensitive);
  }
  return false;
}

std::optional<QStringList> Emitter::distinctRowGroups(const Select& s) {
  if (!s.groupBy.empty()) return std::nullopt;
  std::vector<const TableRef*> leaves;
  for (const TableRefPtr& r : s.from) CollectLeaves(*r, &leaves);
  if (leaves.size() < 2) return std::nullopt;

  std::vector<const Expr*> columns;
  for (const SelectItem& item : s.items) {
    if (HasAggregate(*item.expr)) return std::nullopt;
    CollectColumns(*item.expr, &columns);
  }
  // Which FROM item each reference reads: by its qualifier, else the one
  // table that has a column of that name.
  std::vector<bool> shown(leaves.size(), false);
  for (const Expr* c : columns) {
    int found = -1;
    for (size_t i = 0; i < leaves.size() && found < 0; ++i) {
      const TableRef& leaf = *leaves[i];
      if (!c->qualifier.isEmpty()) {
        if (RefName(leaf).compare(c->qualifier, Qt::CaseInsensitive) == 0) found = int(i);
      } else if (c->kind == ExprKind::Column && leaf.kind == TableRef::Kind::Table &&
                 hasColumn(leaf.name, c->text)) {
        found = int(i);
      }
    }
    // An unqualified '*' shows every table; a name no table claims may be a
    // column of a view or derived table.
    if (found < 0 || leaves[found]->kind != TableRef::Kind::Table) return std::nullopt;
    shown[found] = true;
  }
  if (std::find(shown.begin(), shown.end(), false) == shown.end()) return std::nullopt;

  // A view answers Null for its rowid; random() then puts each of its rows
  // in a group of its own, so over a view the rows stay as selected.
  QStringList groups;
  for (size_t i = 0; i < leaves.size(); ++i)
    if (shown[i])
      groups << QStringLiteral("ifnull(%1.rowid, random())").arg(QuoteSqlIdentifier(RefName(*leaves[i])));
  return groups;
}

}  // namespace mt::engine::sqlemit
