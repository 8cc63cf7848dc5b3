// The typing half of the SQLite emitter: which expressions are Currency or
// dates (from the column types of the tables and views in scope), and the
// Currency form of an expression, a count of ten-thousandths computed exactly.
#include "db/jetsql/sqlite_emitter_internal.h"

#include <algorithm>

#include "db/currency.h"
#include "db/jetsql/jet_functions.h"

namespace mt::engine::sqlemit {

namespace {

bool IsDateFunction(const QString& name) {
  static const char* const kDates[] = {"NOW",        "DATE",      "TIME",  "DATEADD", "DATESERIAL",
                                       "TIMESERIAL", "DATEVALUE", "TIMEVALUE", "CDATE", "CVDATE"};
  for (const char* d : kDates)
    if (name == QLatin1String(d)) return true;
  return false;
}

bool IsAggregate(const QString& name, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (name == QLatin1String(n)) return true;
  return false;
}

// The common type of two branches; Null takes the other's.
ValueType CommonType(const Expr& a, ValueType ta, const Expr& b, ValueType tb) {
  if (a.kind == ExprKind::Null) return tb;
  if (b.kind == ExprKind::Null) return ta;
  return ta == tb ? ta : ValueType::Other;
}
}  // namespace

std::optional<std::vector<TypedColumn>> Emitter::typedColumns(const QString& table) {
  if (!typesOf_) return std::nullopt;
  for (const auto& [name, columns] : typeCache_)
    if (SameName(name, table)) return columns;
  std::optional<std::vector<TypedColumn>> columns = (*typesOf_)(table);
  typeCache_.emplace_back(table, columns);
  return columns;
}

ValueType Emitter::columnTypeIn(const QString& table, const QString& column) {
  if (const auto columns = typedColumns(table))
    for (const TypedColumn& c : *columns)
      if (SameName(c.name, column)) return c.type;
  return ValueType::Other;
}

void Emitter::pushTypeScope(const std::vector<const TableRef*>& leaves) {
  std::vector<TypeLeaf> scope;
  for (const TableRef* leaf : leaves) {
    if (leaf->kind == TableRef::Kind::Table) scope.push_back({RefName(*leaf), typedColumns(leaf->name)});
    else scope.push_back({leaf->alias, itemTypes(*leaf->select)});
  }
  typeScopes_.push_back(std::move(scope));
}

void Emitter::pushTypeScopeOf(const Select& s) {
  std::vector<const TableRef*> leaves;
  for (const TableRefPtr& r : s.from) CollectLeaves(*r, &leaves);
  pushTypeScope(leaves);
}

void Emitter::starTypes(const Expr& star, std::vector<TypedColumn>* out) {
  if (typeScopes_.empty()) return;
  for (const TypeLeaf& leaf : typeScopes_.back()) {
    if (!star.qualifier.isEmpty() && leaf.ref.compare(star.qualifier, Qt::CaseInsensitive) != 0) continue;
    if (leaf.columns)
      for (const TypedColumn& c : *leaf.columns)
        if (c.type != ValueType::Other) out->push_back(c);
  }
}

std::vector<TypedColumn> Emitter::itemTypes(const Select& s) {
  pushTypeScopeOf(s);
  std::vector<TypedColumn> types;
  int exprNumber = 1000;
  for (const SelectItem& item : s.items) {
    if (item.expr->kind == ExprKind::Star) {
      starTypes(*item.expr, &types);
      continue;
    }
    QString name = item.alias;
    if (name.isEmpty())
      name = item.expr->kind == ExprKind::Column ? item.expr->text : QStringLiteral("Expr%1").arg(exprNumber++);
    types.push_back({name, typeOf(*item.expr)});
  }
  typeScopes_.pop_back();
  return types;
}

ValueType Emitter::columnType(const Expr& e) {
  for (auto scope = typeScopes_.rbegin(); scope != typeScopes_.rend(); ++scope) {
    for (const TypeLeaf& leaf : *scope) {
      const bool named = !e.qualifier.isEmpty() && SameName(leaf.ref, e.qualifier);
      if (!e.qualifier.isEmpty() && !named) continue;
      if (leaf.columns)
        for (const TypedColumn& c : *leaf.columns)
          if (SameName(c.name, e.text)) return c.type;
      if (named) return ValueType::Other;
    }
  }
  return ValueType::Other;
}

ValueType Emitter::typeOf(const Expr& e) {
  using enum ValueType;
  if (IsCondition(e)) return Other;
  switch (e.kind) {
    case ExprKind::Date:
      return Date;
    case ExprKind::Column:
      return typeScopes_.empty() ? Other : columnType(e);
    case ExprKind::Unary: {
      const ValueType t = typeOf(*e.args[0]);
      if (e.op == Op::Plus) return t;
      return e.op == Op::Neg && t == Money ? Money : Other;
    }
    case ExprKind::Binary: {
      const bool arithmetic = e.op == Op::Add || e.op == Op::Sub || e.op == Op::Mul || e.op == Op::Div;
      if (!arithmetic || AnyString(e)) return Other;
      const ValueType a = typeOf(*e.args[0]);
      const ValueType b = typeOf(*e.args[1]);
      switch (e.op) {
        case Op::Add:  // a date plus anything but a date stays a date
          if (a == Date || b == Date) return a == b ? Other : Date;
          return a == Money || b == Money ? Money : Other;
        case Op::Sub:
          if (a == Date) return b == Date ? Other : Date;
          return b != Date && (a == Money || b == Money) ? Money : Other;
        case Op::Mul:
          return a != Date && b != Date && (a == Money || b == Money) ? Money : Other;
        case Op::Div:
          return a == Money && b != Money && b != Date ? Money : Other;
        default:
          return Other;
      }
    }
    case ExprKind::Call: {
      const QString& name = e.text;
      if (name == QLatin1String("CCUR")) return Money;
      if (IsDateFunction(name)) return Date;
      if (e.args.empty() || e.args[0]->kind == ExprKind::Star) return Other;
      if (IsAggregate(name, {"SUM", "AVG"})) return typeOf(*e.args[0]) == Money ? Money : Other;
      if (IsAggregate(name, {"MIN", "MAX", "FIRST", "LAST"})) return typeOf(*e.args[0]);
      if (name == QLatin1String("IIF") && e.args.size() == 3)
        return CommonType(*e.args[1], typeOf(*e.args[1]), *e.args[2], typeOf(*e.args[2]));
      if (name == QLatin1String("NZ") && e.args.size() == 2)
        return CommonType(*e.args[0], typeOf(*e.args[0]), *e.args[1], typeOf(*e.args[1]));
      return Other;
    }
    case ExprKind::Subquery: {
      const std::vector<TypedColumn> items = itemTypes(*e.select);
      return items.empty() ? Other : items.front().type;
    }
    default:
      return Other;
  }
}

void Emitter::money(const Expr& e) {
  if (typeOf(e) == ValueType::Money) return moneyBody(e);
  if (e.kind == ExprKind::Null) {
    out_ += QStringLiteral("NULL");
    return;
  }
  const bool negated = e.kind == ExprKind::Unary && e.op == Op::Neg && e.args[0]->kind == ExprKind::Number;
  if (e.kind == ExprKind::Number || negated) {
    const QString digits = negated ? u'-' + e.args[0]->text : e.text;
    if (const std::optional<Currency> c = Currency::FromText(digits)) {
      out_ += QString::number(c->units);
      return;
    }
  }
  out_ += QLatin1String(kSqlToCurrency);
  out_ += u'(';
  if (e.kind == ExprKind::Number || negated) {
    // Which form a literal amount takes depends on its value: it is written.
    const Written written(*this);
    expr(e);
  } else {
    expr(e);
  }
  out_ += u')';
}

// An expression of Currency type in its Currency form.
void Emitter::moneyBody(const Expr& e) {
  switch (e.kind) {
    case ExprKind::Column:
      return column(e);
    case ExprKind::Unary:
      if (e.op == Op::Plus) return money(*e.args[0]);
      out_ += QStringLiteral("(- ");
      money(*e.args[0]);
      out_ += u')';
      return;
    case ExprKind::Binary: {
      if (e.op == Op::Add || e.op == Op::Sub) {
        out_ += u'(';
        money(*e.args[0]);
        out_ += e.op == Op::Add ? QStringLiteral(" + ") : QStringLiteral(" - ");
        money(*e.args[1]);
        out_ += u')';
        return;
      }
      // Times or divided by a number: the Currency operand first.
      const bool moneyFirst = e.op == Op::Div || typeOf(*e.args[0]) == ValueType::Money;
      out_ += QLatin1String(e.op == Op::Div ? kSqlCurrencyDivided : kSqlCurrencyTimes);
      out_ += u'(';
      money(*e.args[moneyFirst ? 0 : 1]);
      out_ += QStringLiteral(", ");
      expr(*e.args[moneyFirst ? 1 : 0]);
      out_ += u')';
      return;
    }
    case ExprKind::Call: {
      const QString& name = e.text;
      if (name == QLatin1String("CCUR")) {
        if (e.args.size() != 1)
          Unsupported(QStringLiteral("wrong number of arguments used with function \"%1\"").arg(name));
        if (typeOf(*e.args[0]) == ValueType::Money) return money(*e.args[0]);
        out_ += QStringLiteral("jet_ccur(");
        expr(*e.args[0]);
        out_ += u')';
        return;
      }
      if (name == QLatin1String("IIF")) return iifCall(e, true);
      if (name == QLatin1String("NZ")) return nzCall(e, true);
      const bool avg = name == QLatin1String("AVG");
      if (avg) out_ += QLatin1String(kSqlCurrencyRound) + u'(';
      out_ += name == QLatin1String("FIRST") ? QStringLiteral("jet_first")
              : name == QLatin1String("LAST") ? QStringLiteral("jet_last")
                                              : name.toLower();
      out_ += e.distinct ? QStringLiteral("(DISTINCT ") : QStringLiteral("(");
      money(*e.args[0]);
      out_ += u')';
      if (avg) out_ += u')';
      return;
    }
    case ExprKind::Subquery:
      out_ += u'(';
      select(*e.select);
      out_ += u')';
      return;
    default:
      Unsupported(QStringLiteral("unknown operator"));
  }
}

}  // namespace mt::engine::sqlemit
