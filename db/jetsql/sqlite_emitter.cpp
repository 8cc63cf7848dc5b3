#include "db/jetsql/sqlite_emitter.h"

#include <algorithm>

#include "db/currency.h"
#include "db/engine.h"
#include "db/jetsql/jet_functions.h"
#include "db/jetsql/sqlite_emitter_internal.h"

namespace mt::engine {

namespace sqlemit {


[[noreturn]] void Unsupported(const QString& what) {
  throw DbError(dberr::kSyntax, QStringLiteral("Syntax error: %1.").arg(what));
}

// The alias under which a FROM item is referenced: its alias, else its name.
const QString& RefName(const TableRef& r) { return r.alias.isEmpty() ? r.name : r.alias; }

void CollectLeaves(const TableRef& r, std::vector<const TableRef*>* out) {
  if (r.kind == TableRef::Kind::Join) {
    CollectLeaves(*r.left, out);
    CollectLeaves(*r.right, out);
  } else {
    out->push_back(&r);
  }
}

// True when the expression refers to a column not qualified with `target`.
bool RefersBeyond(const Expr& e, const QString& target) {
  if (e.kind == ExprKind::Column || e.kind == ExprKind::Star)
    return e.qualifier.compare(target, Qt::CaseInsensitive) != 0;
  if (e.select) return true;
  for (const ExprPtr& a : e.args)
    if (RefersBeyond(*a, target)) return true;
  return false;
}

// Shared with the typing half (sqlite_emitter_types.cpp).
bool AnyString(const Expr& e) {
  for (size_t i = 0; i < e.args.size(); ++i)
    if (e.args[i]->kind == ExprKind::String) return true;
  return false;
}

bool IsCondition(const Expr& e) {
  switch (e.kind) {
    case ExprKind::Between:
    case ExprKind::In:
    case ExprKind::IsNull:
    case ExprKind::Like:
    case ExprKind::Exists:
      return true;
    case ExprKind::Unary:
      return e.op == Op::Not;
    case ExprKind::Binary:
      return e.op >= Op::Eq && e.op <= Op::Or;
    default:
      return false;
  }
}

namespace {

QString SerialText(double serial) {
  QString s = QString::number(serial, 'g', 17);
  if (!s.contains(u'.') && !s.contains(u'e')) s += QStringLiteral(".0");
  return s;
}

bool IsNumericLiteral(const Expr& e) {
  if (e.kind == ExprKind::Number || e.kind == ExprKind::Date || e.kind == ExprKind::Bool) return true;
  if (e.kind == ExprKind::Unary && (e.op == Op::Neg || e.op == Op::Plus))
    return IsNumericLiteral(*e.args[0]);
  if (e.kind == ExprKind::Binary &&
      (e.op == Op::Add || e.op == Op::Sub || e.op == Op::Mul))
    return IsNumericLiteral(*e.args[0]) && IsNumericLiteral(*e.args[1]);
  return false;
}


// True when `column LIKE 'text'` selects exactly the rows where the column
// equals the text ignoring case (and possibly more, which the matcher then
// drops); see TextLiteralTraits.
int LikeTraits(const Expr& e) {
  return e.args.size() == 2 && e.args[0]->kind == ExprKind::Column && e.args[1]->kind == ExprKind::String
             ? TextLiteralTraits(e.args[1]->text)
             : 0;
}

}  // namespace

bool Emitter::boundLiteral(const Expr& e) {
  if (!slots_ || writtenDepth_ > 0 || e.pos < 0) return false;
  const auto slot = slots_->numberAt.constFind(e.pos);
  if (slot == slots_->numberAt.cend()) return false;
  const QString parameter = u'?' + QString::number(*slot);
  // A decimal's text reads exactly (see BindableNumber).
  const bool decimal = e.kind == ExprKind::Number && IsBoundDecimal(BindableNumber(e.text).value_or(QVariant()));
  out_ += decimal ? QStringLiteral("CAST(") + parameter + QStringLiteral(" AS REAL)") : parameter;
  slots_->written.insert(*slot);
  return true;
}

void Emitter::parameter(const QString& name) {
  QString bound;
  bound.reserve(name.size());
  for (QChar c : name) bound += (c.isLetterOrNumber() || c == u'_') ? c : QChar(u'_');
  out_ += u':';
  out_ += bound;
  if (!found_.contains(bound)) found_.append(bound);
}

std::optional<QStringList> Emitter::columnsOfTable(const QString& table) {
  for (const auto& [name, columns] : tableCache_)
    if (SameName(name, table)) return columns;
  std::optional<QStringList> columns = (*columnsOf_)(table);
  tableCache_.emplace_back(table, columns);
  return columns;
}

void Emitter::pushScope(const Select& s) {
  if (!columnsOf_) return;
  Scope scope;
  std::vector<const TableRef*> leaves;
  for (const TableRefPtr& r : s.from) CollectLeaves(*r, &leaves);
  for (const TableRef* leaf : leaves) {
    if (leaf->kind == TableRef::Kind::Table) {
      scope.tables.push_back(columnsOfTable(leaf->name));
      continue;
    }
    // A derived table offers the names of its select list.
    std::optional<QStringList> names = QStringList();
    for (const SelectItem& item : leaf->select->items) {
      if (!item.alias.isEmpty()) names->append(item.alias);
      else if (item.expr->kind == ExprKind::Column) names->append(item.expr->text);
      else if (item.expr->kind == ExprKind::Star) names.reset();
      if (!names) break;
    }
    scope.tables.push_back(std::move(names));
  }
  for (const SelectItem& item : s.items)
    if (!item.alias.isEmpty()) scope.aliases.append(item.alias);
  scopes_.push_back(std::move(scope));
}

bool Emitter::resolves(const QString& name) const {
  for (auto it = scopes_.rbegin(); it != scopes_.rend(); ++it) {
    for (const std::optional<QStringList>& t : it->tables)
      if (!t || t->contains(name, Qt::CaseInsensitive)) return true;
    if (it->aliases.contains(name, Qt::CaseInsensitive)) return true;
  }
  return false;
}

void Emitter::column(const Expr& e) {
  if (e.qualifier.isEmpty()) {
    if ((params_ && params_->contains(e.text, Qt::CaseInsensitive)) ||
        (columnsOf_ && !resolves(e.text)))
      return parameter(e.text);
  } else {
    qualifier(e.qualifier);
  }
  out_ += QuoteSqlIdentifier(e.text);
}

// A condition where Jet wants a value: True is -1, where SQLite gives 1.
void Emitter::expr(const Expr& e) {
  if (IsCondition(e)) {
    out_ += QStringLiteral("(- ");
    cond(e);
    out_ += u')';
    return;
  }
  // Currency where a plain number is wanted: its units.
  if (typeOf(e) == ValueType::Money) {
    out_ += QLatin1String(kSqlCurrencyValue);
    out_ += u'(';
    moneyBody(e);
    out_ += u')';
    return;
  }
  switch (e.kind) {
    case ExprKind::Null:
      out_ += QStringLiteral("NULL");
      return;
    case ExprKind::Number:
      if (!boundLiteral(e)) out_ += e.text;
      return;
    case ExprKind::String:
      if (!boundLiteral(e)) out_ += QuoteSqlString(e.text);
      return;
    case ExprKind::Date:
      out_ += SerialText(e.number);
      return;
    case ExprKind::Bool:
      out_ += e.number != 0 ? QStringLiteral("-1") : QStringLiteral("0");
      return;
    case ExprKind::Column:
      column(e);
      return;
    case ExprKind::Star:
      // Only a whole select-list item or Count(*) may be a star; both are
      // written where they stand.
      Unsupported(QStringLiteral("\"*\" cannot stand inside an expression"));
    case ExprKind::Unary:
      switch (e.op) {
        case Op::Neg:
          // The blank keeps a negative operand (-1 for True, a date before
          // 1899-12-30) from making "--", which SQLite reads as a comment.
          out_ += QStringLiteral("(- ");
          expr(*e.args[0]);
          out_ += u')';
          return;
        case Op::Plus:
          expr(*e.args[0]);
          return;
        default:
          break;
      }
      break;
    case ExprKind::Binary:
      switch (e.op) {
        case Op::Add:
          // Jet's '+' concatenates text; only literal numbers may add directly.
          if (IsNumericLiteral(*e.args[0]) && IsNumericLiteral(*e.args[1])) return binary(" + ", e);
          return call(kSqlAdd, e);
        case Op::Sub: return binary(" - ", e);
        case Op::Mul: return binary(" * ", e);
        case Op::Div: return call(kSqlDivide, e);
        case Op::IntDiv: return call(kSqlIntDivide, e);
        case Op::Mod: return call(kSqlMod, e);
        case Op::Pow: return call(kSqlPower, e);
        case Op::Concat: return call(kSqlConcat, e);
        case Op::Xor: return call(kSqlXor, e);
        case Op::Eqv: return call(kSqlEqv, e);
        case Op::Imp: return call(kSqlImp, e);
        default: break;
      }
      break;
    case ExprKind::Call:
      function(e);
      return;
    case ExprKind::Subquery:
      out_ += u'(';
      select(*e.select);
      out_ += u')';
      return;
    default:
      break;
  }
  Unsupported(QStringLiteral("unknown operator"));
}

// An expression where SQL tests truth (WHERE, ON, HAVING, WHEN).
void Emitter::cond(const Expr& e) {
  switch (e.kind) {
    case ExprKind::Unary:
      if (e.op != Op::Not) break;
      out_ += QStringLiteral("(NOT ");
      cond(*e.args[0]);
      out_ += u')';
      return;
    case ExprKind::Binary:
      switch (e.op) {
        case Op::Eq: return compare(" = ", e, true);
        case Op::Ne: return compare(" <> ", e);
        case Op::Lt: return compare(" < ", e);
        case Op::Le: return compare(" <= ", e);
        case Op::Gt: return compare(" > ", e);
        case Op::Ge: return compare(" >= ", e);
        case Op::And:
        case Op::Or:
          out_ += u'(';
          cond(*e.args[0]);
          out_ += e.op == Op::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
          cond(*e.args[1]);
          out_ += u')';
          return;
        default:
          break;
      }
      break;
    case ExprKind::Between: {
      const bool asMoney = typeOf(*e.args[0]) == ValueType::Money;
      out_ += u'(';
      operand(*e.args[0], asMoney);
      if (AnyString(e) && !asMoney) textCollation();
      out_ += e.negated ? QStringLiteral(" NOT BETWEEN ") : QStringLiteral(" BETWEEN ");
      operand(*e.args[1], asMoney);
      out_ += QStringLiteral(" AND ");
      operand(*e.args[2], asMoney);
      out_ += u')';
      return;
    }
    case ExprKind::In: {
      const bool asMoney = typeOf(*e.args[0]) == ValueType::Money &&
                           (!e.select || (e.select->items.size() == 1 && typeOf(*e.select->items[0].expr) == ValueType::Money));
      out_ += u'(';
      operand(*e.args[0], asMoney);
      if (AnyString(e) && !asMoney) textCollation();
      out_ += e.negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (");
      if (e.select) {
        if (!asMoney) setItemWants({ValueType::Other});
        select(*e.select);
      } else {
        for (size_t i = 1; i < e.args.size(); ++i) {
          if (i > 1) out_ += QStringLiteral(", ");
          operand(*e.args[i], asMoney);
        }
      }
      out_ += QStringLiteral("))");
      return;
    }
    case ExprKind::IsNull:
      out_ += u'(';
      expr(*e.args[0]);
      out_ += e.negated ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)");
      return;
    case ExprKind::Like: {
      // A column LIKE a pattern without wildcards is an equality ignoring
      // case: written as one too, and as one of key folds where every text
      // it selects has the pattern's key fold, so SQLite can find the rows
      // through a lookup index on the column's key fold; Jet's matcher still
      // decides for the rows the index yields.
      // A pattern with wildcards after a text that no number begins with
      // (JetLikeFloor) selects rows whose key folds lie within a range:
      // written as one too.
      const int traits = LikeTraits(e);
      const bool equality = traits & kLikeEquality, range = traits & kLikeRange;
      if (e.negated) out_ += QStringLiteral("(NOT ");
      if (equality) {
        out_ += u'(';
        expr(*e.args[0]);
        textCollation();
        out_ += QStringLiteral(" = ");
        expr(*e.args[1]);
        if (traits & kKeyFolded) keyFoldTerm(*e.args[0], " = ", *e.args[1]);
        out_ += QStringLiteral(" AND ");
      } else if (range) {
        out_ += u'(';
        keyFold(*e.args[0]);
        out_ += QStringLiteral(" >= ");
        keyFold(*e.args[1], kSqlLikeFloor);
        keyFoldTerm(*e.args[0], " < ", *e.args[1], kSqlLikeCeiling);
        out_ += QStringLiteral(" AND ");
      }
      call(kSqlLike, e);
      if (equality || range) out_ += u')';
      if (e.negated) out_ += u')';
      return;
    }
    case ExprKind::Exists:
      out_ += e.negated ? QStringLiteral("(NOT EXISTS (") : QStringLiteral("(EXISTS (");
      select(*e.select);
      out_ += QStringLiteral("))");
      return;
    default:
      break;
  }
  expr(e);
}

void Emitter::function(const Expr& e) {
  const QString& name = e.text;
  const size_t n = e.args.size();
  auto arity = [&](size_t lo, size_t hi) {
    if (n < lo || n > hi)
      Unsupported(QStringLiteral("wrong number of arguments used with function \"%1\"").arg(name));
  };
  if (e.distinct && name != QLatin1String("COUNT") && name != QLatin1String("SUM") &&
      name != QLatin1String("AVG") && name != QLatin1String("MIN") && name != QLatin1String("MAX"))
    Unsupported(QStringLiteral("DISTINCT is not allowed in \"%1\"").arg(name));
  for (const ExprPtr& a : e.args)
    if (a->kind == ExprKind::Star && (name != QLatin1String("COUNT") || !a->qualifier.isEmpty() || e.distinct))
      Unsupported(QStringLiteral("\"*\" is not allowed in \"%1\"").arg(name));

  if (name == QLatin1String("IIF")) {
    arity(3, 3);
    return iifCall(e, false);
  }
  if (name == QLatin1String("ISNULL")) {
    arity(1, 1);
    out_ += QStringLiteral("(-(");
    expr(*e.args[0]);
    out_ += QStringLiteral(" IS NULL))");
    return;
  }
  if (name == QLatin1String("NZ")) {
    arity(1, 2);
    return nzCall(e, false);
  }
  const char* aggregate = nullptr;
  if (name == QLatin1String("COUNT")) aggregate = "count";
  else if (name == QLatin1String("SUM")) aggregate = "sum";
  else if (name == QLatin1String("AVG")) aggregate = "avg";
  else if (name == QLatin1String("MIN")) aggregate = "min";
  else if (name == QLatin1String("MAX")) aggregate = "max";
  if (aggregate) {
    arity(1, 1);
    out_ += QLatin1String(aggregate);
    out_ += e.distinct ? QStringLiteral("(DISTINCT ") : QStringLiteral("(");
    if (e.args[0]->kind == ExprKind::Star) out_ += u'*';
    else expr(*e.args[0]);
    out_ += u')';
    return;
  }
  const JetFunction* f = FindJetFunction(name);
  if (!f) Unsupported(QStringLiteral("undefined function \"%1\"").arg(name));
  arity(static_cast<size_t>(f->minArgs), static_cast<size_t>(f->maxArgs));
  call(f->sqlName, e);
}

// A select list item of Currency type comes out in Currency form, unless
// `wants` (the target columns of an INSERT, the first member of a UNION)
// says otherwise; `top` records the types of the statement's result columns.
void Emitter::selectCore(const Select& s, bool top, const std::vector<ValueType>& wants) {
  if (s.topPercent) Unsupported(QStringLiteral("TOP ... PERCENT is not supported"));
  out_ += s.distinct ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");
  int exprNumber = 1000;  // Jet names unnamed computed columns Expr1000, Expr1001, ...
  for (size_t i = 0; i < s.items.size(); ++i) {
    if (i) out_ += QStringLiteral(", ");
    const SelectItem& item = s.items[i];
    if (item.expr->kind == ExprKind::Star) {
      if (!item.expr->qualifier.isEmpty()) qualifier(item.expr->qualifier);
      out_ += u'*';
      if (top) starTypes(*item.expr, &resultTypes_);
      continue;
    }
    const ValueType type = typeOf(*item.expr);
    const ValueType want = i < wants.size() ? wants[i] : type;
    operand(*item.expr, want == ValueType::Money);
    QString name = item.alias;
    if (!item.alias.isEmpty()) {
      out_ += QStringLiteral(" AS ");
      out_ += QuoteSqlIdentifier(item.alias);
    } else if (item.expr->kind != ExprKind::Column) {
      name = QStringLiteral("Expr%1").arg(exprNumber++);
      out_ += QStringLiteral(" AS [") + name + u']';
    } else {
      name = item.expr->text;
      // SQLite names a qualified column "T.C" when the FROM holds a view or
      // a nested join it flattens; Jet names it C.
      if (!item.expr->qualifier.isEmpty()) {
        out_ += QStringLiteral(" AS ");
        out_ += QuoteSqlIdentifier(name);
      }
    }
    if (top && type != ValueType::Other) resultTypes_.push_back({name, type});
  }
  if (!s.from.empty()) {
    out_ += QStringLiteral(" FROM ");
    from(s.from);
  }
  if (s.where) {
    out_ += QStringLiteral(" WHERE ");
    cond(*s.where);
  }
  if (s.distinctRow) {
    if (const std::optional<QStringList> groups = distinctRowGroups(s))
      out_ += QStringLiteral(" GROUP BY ") + groups->join(QStringLiteral(", "));
  }
  if (!s.groupBy.empty()) {
    out_ += QStringLiteral(" GROUP BY ");
    const Written written(*this);  // a number there names a column
    for (size_t i = 0; i < s.groupBy.size(); ++i) {
      if (i) out_ += QStringLiteral(", ");
      operand(*s.groupBy[i], typeOf(*s.groupBy[i]) == ValueType::Money);
      textCollation();  // Jet groups and sorts text ignoring case
    }
  }
  if (s.having) {
    out_ += QStringLiteral(" HAVING ");
    cond(*s.having);
  }
}

void Emitter::iifCall(const Expr& e, bool asMoney) {
  out_ += QStringLiteral("(CASE WHEN ");
  cond(*e.args[0]);
  out_ += QStringLiteral(" THEN ");
  operand(*e.args[1], asMoney);
  out_ += QStringLiteral(" ELSE ");
  operand(*e.args[2], asMoney);
  out_ += QStringLiteral(" END)");
}

void Emitter::nzCall(const Expr& e, bool asMoney) {
  out_ += QStringLiteral("ifnull(");
  operand(*e.args[0], asMoney);
  out_ += QStringLiteral(", ");
  if (e.args.size() == 2) operand(*e.args[1], asMoney);
  else out_ += QStringLiteral("''");
  out_ += u')';
}

void Emitter::select(const Select& s) {
  const bool top = selectDepth_++ == 0;
  std::vector<ValueType> wants = std::move(itemWants_);
  itemWants_.clear();
  const bool starred = std::any_of(s.items.begin(), s.items.end(),
                                   [](const SelectItem& i) { return i.expr->kind == ExprKind::Star; });
  if (wants.empty() && !s.unions.empty() && !starred) {
    // Every member of a UNION gives its columns the first member's forms.
    for (const TypedColumn& c : itemTypes(s)) wants.push_back(c.type == ValueType::Money ? c.type : ValueType::Other);
  }
  pushScope(s);
  pushTypeScopeOf(s);
  selectCore(s, top, wants);
  for (const auto& [all, member] : s.unions) {
    if (member->top >= 0) Unsupported(QStringLiteral("TOP inside UNION is not supported"));
    out_ += all ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
    pushScope(*member);
    pushTypeScopeOf(*member);
    selectCore(*member, false, wants);
    typeScopes_.pop_back();
    popScope();
  }
  if (!s.orderBy.empty()) {
    out_ += QStringLiteral(" ORDER BY ");
    const Written written(*this);  // a number there names a column
    for (size_t i = 0; i < s.orderBy.size(); ++i) {
      if (i) out_ += QStringLiteral(", ");
      operand(*s.orderBy[i].expr, typeOf(*s.orderBy[i].expr) == ValueType::Money);
      textCollation();
      if (s.orderBy[i].descending) out_ += QStringLiteral(" DESC");
    }
  }
  if (s.top >= 0) {
    if (!s.unions.empty()) Unsupported(QStringLiteral("TOP with UNION is not supported"));
    out_ += QStringLiteral(" LIMIT %1").arg(s.top);
  }
  typeScopes_.pop_back();
  popScope();
  --selectDepth_;
}

void Emitter::from(const std::vector<TableRefPtr>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out_ += QStringLiteral(", ");
    tableRef(*items[i]);
  }
}

void Emitter::tableRef(const TableRef& r) {
  switch (r.kind) {
    case TableRef::Kind::Table: {
      out_ += QuoteSqlIdentifier(r.name);
      // A rewrite of this table's own reference name renames it inside the
      // statement (UPDATE and DELETE over joins).
      for (auto it = rewrites_.rbegin(); it != rewrites_.rend(); ++it) {
        if (it->first.compare(RefName(r), Qt::CaseInsensitive) == 0 &&
            it->second != QuoteSqlIdentifier(r.name)) {
          out_ += QStringLiteral(" AS ");
          out_ += it->second;
          return;
        }
      }
      if (!r.alias.isEmpty()) {
        out_ += QStringLiteral(" AS ");
        out_ += QuoteSqlIdentifier(r.alias);
      }
      return;
    }
    case TableRef::Kind::Subquery:
      out_ += u'(';
      select(*r.select);
      out_ += u')';
      if (!r.alias.isEmpty()) {
        out_ += QStringLiteral(" AS ");
        out_ += QuoteSqlIdentifier(r.alias);
      }
      return;
    case TableRef::Kind::Join: {
      // SQLite 3.15 has no RIGHT JOIN: a RIGHT JOIN b is b LEFT JOIN a.
      const bool swap = r.join == JoinKind::Right;
      const TableRef& first = swap ? *r.right : *r.left;
      const TableRef& second = swap ? *r.left : *r.right;
      if (swap && first.kind == TableRef::Kind::Join) {
        out_ += u'(';
        tableRef(first);
        out_ += u')';
      } else {
        tableRef(first);
      }
      out_ += r.join == JoinKind::Inner ? QStringLiteral(" INNER JOIN ") : QStringLiteral(" LEFT JOIN ");
      if (second.kind == TableRef::Kind::Join) {
        out_ += u'(';
        tableRef(second);
        out_ += u')';
      } else {
        tableRef(second);
      }
      out_ += QStringLiteral(" ON ");
      cond(*r.on);
      return;
    }
  }
}

}  // namespace sqlemit

SqlStatement EmitSqlite(const ParsedStatement& st, const ColumnsOf* columnsOf, const TypedColumnsOf* typesOf,
                        LiteralSlots* slots) {
  using namespace sqlemit;
  const QStringList* params = st.parameters.isEmpty() ? nullptr : &st.parameters;
  switch (st.kind) {
    case ParsedStatement::Kind::Select: {
      Emitter em(params, st.sourceLength, columnsOf, typesOf);
      em.select(*st.select);
      SqlStatement out{em.take(), true, QString(), em.parameters()};
      out.resultTypes = em.resultTypes();
      return out;
    }
    case ParsedStatement::Kind::Insert:
      return EmitInsert(*st.insert, params, st.sourceLength, typesOf);
    case ParsedStatement::Kind::Update:
      return EmitUpdate(*st.update, params, st.sourceLength, typesOf, slots);
    case ParsedStatement::Kind::Delete:
      return EmitDelete(*st.del, params, st.sourceLength, typesOf, slots);
    case ParsedStatement::Kind::Definition:
      break;
  }
  Unsupported(QStringLiteral("not a data statement"));
}

}  // namespace mt::engine