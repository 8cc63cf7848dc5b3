#include "db/jetsql/sqlite_emitter.h"

#include "db/engine.h"
#include "db/jetsql/jet_functions.h"
#include "db/jetsql/sqlite_emitter_internal.h"

namespace mt::engine {

namespace sqlemit {

// True when no other text equals this one ignoring case: every character is
// an ASCII character other than a letter, a Hangul syllable or a CJK
// ideograph (none has a case form, and no character folds to one).
bool HasOneCaseOnly(const QString& s) {
  for (const QChar c : s) {
    const char16_t u = c.unicode();
    const char16_t lower = u | 0x20;
    const bool asciiNonLetter = u < 0x80 && !(lower >= u'a' && lower <= u'z');
    const bool hangul = u >= 0xAC00 && u <= 0xD7A3;
    const bool ideograph = u >= 0x4E00 && u <= 0x9FFF;
    if (!asciiNonLetter && !hangul && !ideograph) return false;
  }
  return true;
}

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

namespace {

QString SerialText(double serial) {
  QString s = QString::number(serial, 'g', 17);
  if (!s.contains(u'.') && !s.contains(u'e')) s += QStringLiteral(".0");
  return s;
}

bool AnyString(const Expr& e) {
  for (size_t i = 0; i < e.args.size(); ++i)
    if (e.args[i]->kind == ExprKind::String) return true;
  return false;
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

}  // namespace

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
    if (name.compare(table, Qt::CaseInsensitive) == 0) return columns;
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
  switch (e.kind) {
    case ExprKind::Null:
      out_ += QStringLiteral("NULL");
      return;
    case ExprKind::Number:
      out_ += e.text;
      return;
    case ExprKind::String:
      out_ += QuoteSqlString(e.text);
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
    case ExprKind::Between:
      out_ += u'(';
      expr(*e.args[0]);
      if (AnyString(e)) textCollation();
      out_ += e.negated ? QStringLiteral(" NOT BETWEEN ") : QStringLiteral(" BETWEEN ");
      expr(*e.args[1]);
      out_ += QStringLiteral(" AND ");
      expr(*e.args[2]);
      out_ += u')';
      return;
    case ExprKind::In:
      out_ += u'(';
      expr(*e.args[0]);
      if (AnyString(e)) textCollation();
      out_ += e.negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (");
      if (e.select) {
        select(*e.select);
      } else {
        for (size_t i = 1; i < e.args.size(); ++i) {
          if (i > 1) out_ += QStringLiteral(", ");
          expr(*e.args[i]);
        }
      }
      out_ += QStringLiteral("))");
      return;
    case ExprKind::IsNull:
      out_ += u'(';
      expr(*e.args[0]);
      out_ += e.negated ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)");
      return;
    case ExprKind::Like:
      if (e.negated) out_ += QStringLiteral("(NOT ");
      call(kSqlLike, e);
      if (e.negated) out_ += u')';
      return;
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
    out_ += QStringLiteral("(CASE WHEN ");
    cond(*e.args[0]);
    out_ += QStringLiteral(" THEN ");
    expr(*e.args[1]);
    out_ += QStringLiteral(" ELSE ");
    expr(*e.args[2]);
    out_ += QStringLiteral(" END)");
    return;
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
    out_ += QStringLiteral("ifnull(");
    expr(*e.args[0]);
    out_ += QStringLiteral(", ");
    if (n == 2) expr(*e.args[1]);
    else out_ += QStringLiteral("''");
    out_ += u')';
    return;
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

void Emitter::selectCore(const Select& s) {
  if (s.topPercent) Unsupported(QStringLiteral("TOP ... PERCENT is not supported"));
  out_ += s.distinct ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");
  int exprNumber = 1000;  // Jet names unnamed computed columns Expr1000, Expr1001, ...
  for (size_t i = 0; i < s.items.size(); ++i) {
    if (i) out_ += QStringLiteral(", ");
    const SelectItem& item = s.items[i];
    if (item.expr->kind == ExprKind::Star) {
      if (!item.expr->qualifier.isEmpty()) qualifier(item.expr->qualifier);
      out_ += u'*';
      continue;
    }
    expr(*item.expr);
    if (!item.alias.isEmpty()) {
      out_ += QStringLiteral(" AS ");
      out_ += QuoteSqlIdentifier(item.alias);
    } else if (item.expr->kind != ExprKind::Column) {
      out_ += QStringLiteral(" AS [Expr%1]").arg(exprNumber++);
    }
  }
  if (!s.from.empty()) {
    out_ += QStringLiteral(" FROM ");
    from(s.from);
  }
  if (s.where) {
    out_ += QStringLiteral(" WHERE ");
    cond(*s.where);
  }
  if (!s.groupBy.empty()) {
    out_ += QStringLiteral(" GROUP BY ");
    for (size_t i = 0; i < s.groupBy.size(); ++i) {
      if (i) out_ += QStringLiteral(", ");
      expr(*s.groupBy[i]);
      textCollation();  // Jet groups and sorts text ignoring case
    }
  }
  if (s.having) {
    out_ += QStringLiteral(" HAVING ");
    cond(*s.having);
  }
}

void Emitter::select(const Select& s) {
  pushScope(s);
  selectCore(s);
  for (const auto& [all, member] : s.unions) {
    if (member->top >= 0) Unsupported(QStringLiteral("TOP inside UNION is not supported"));
    out_ += all ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
    pushScope(*member);
    selectCore(*member);
    popScope();
  }
  if (!s.orderBy.empty()) {
    out_ += QStringLiteral(" ORDER BY ");
    for (size_t i = 0; i < s.orderBy.size(); ++i) {
      if (i) out_ += QStringLiteral(", ");
      expr(*s.orderBy[i].expr);
      textCollation();
      if (s.orderBy[i].descending) out_ += QStringLiteral(" DESC");
    }
  }
  if (s.top >= 0) {
    if (!s.unions.empty()) Unsupported(QStringLiteral("TOP with UNION is not supported"));
    out_ += QStringLiteral(" LIMIT %1").arg(s.top);
  }
  popScope();
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

SqlStatement EmitSqlite(const ParsedStatement& st, const ColumnsOf* columnsOf) {
  using namespace sqlemit;
  const QStringList* params = st.parameters.isEmpty() ? nullptr : &st.parameters;
  switch (st.kind) {
    case ParsedStatement::Kind::Select: {
      Emitter em(params, st.sourceLength, columnsOf);
      em.select(*st.select);
      QStringList found = em.parameters();
      return SqlStatement{em.take(), true, QString(), found};
    }
    case ParsedStatement::Kind::Insert:
      return EmitInsert(*st.insert, params, st.sourceLength);
    case ParsedStatement::Kind::Update:
      return EmitUpdate(*st.update, params, st.sourceLength);
    case ParsedStatement::Kind::Delete:
      return EmitDelete(*st.del, params, st.sourceLength);
    case ParsedStatement::Kind::Definition:
      break;
  }
  Unsupported(QStringLiteral("not a data statement"));
}

}  // namespace mt::engine