// INSERT, UPDATE and DELETE for SQLite: the changed table's rows chosen
// through a join become a rowid subquery (SQLite 3.15 has no UPDATE ... FROM),
// and literal values of an INSERT are bound rather than written.
#include "db/jetsql/sqlite_emitter_internal.h"

namespace mt::engine::sqlemit {

namespace {

const QString kInnerAlias = QStringLiteral("[jet_t]");

// UPDATE or DELETE whose rows are chosen through a join or a list of tables:
// the rows are those whose rowid the join yields, the changed table being
// [jet_t] inside the subquery.
void RowidFilter(Emitter& em, const std::vector<const TableRef*>& from, const TableRef& target,
                 const Expr* where) {
  QString& out = em.out();
  out += QStringLiteral(" WHERE rowid IN (SELECT ");
  out += kInnerAlias;
  out += QStringLiteral(".rowid FROM ");
  em.rewrite(RefName(target), kInnerAlias);
  for (size_t i = 0; i < from.size(); ++i) {
    if (i) out += QStringLiteral(", ");
    em.tableRef(*from[i]);
  }
  if (where) {
    out += QStringLiteral(" WHERE ");
    em.cond(*where);
  }
  em.popRewrite();
  out += u')';
}

std::optional<QVariant> BoundLiteral(const Expr& e) {
  if (e.kind == ExprKind::String) return BindableText(e.text);
  if (e.kind == ExprKind::Number) return BindableNumber(e.text);
  return std::nullopt;
}

}  // namespace

SqlStatement EmitUpdate(const UpdateStmt& up, const QStringList* params, int sizeHint,
                        const TypedColumnsOf* typesOf, LiteralSlots* slots) {
  Emitter em(params, sizeHint, nullptr, typesOf);
  em.bindLiterals(slots);
  QString& out = em.out();
  std::vector<const TableRef*> leaves;
  CollectLeaves(*up.target, &leaves);
  QString targetRef;
  for (const Assignment& a : up.sets) {
    if (a.qualifier.isEmpty()) continue;
    if (targetRef.isEmpty()) targetRef = a.qualifier;
    else if (targetRef.compare(a.qualifier, Qt::CaseInsensitive) != 0)
      Unsupported(QStringLiteral("an UPDATE changes one table only"));
  }
  const TableRef* target = leaves.front();
  if (!targetRef.isEmpty()) {
    target = nullptr;
    for (const TableRef* l : leaves)
      if (RefName(*l).compare(targetRef, Qt::CaseInsensitive) == 0) target = l;
    if (!target) Unsupported(QStringLiteral("\"%1\" is not a table of the UPDATE").arg(targetRef));
  }
  if (target->kind != TableRef::Kind::Table) Unsupported(QStringLiteral("cannot update a subquery"));
  const QString table = QuoteSqlIdentifier(target->name);
  const bool joined = up.target->kind == TableRef::Kind::Join;
  em.pushTypeScope(leaves);

  out += QStringLiteral("UPDATE ");
  out += table;
  out += QStringLiteral(" SET ");
  em.rewrite(RefName(*target), table);
  for (size_t i = 0; i < up.sets.size(); ++i) {
    const Assignment& a = up.sets[i];
    if (i) out += QStringLiteral(", ");
    out += QuoteSqlIdentifier(a.column);
    out += QStringLiteral(" = ");
    // A Currency column takes its value as a count of ten-thousandths.
    const bool toMoney = em.columnTypeIn(target->name, a.column) == ValueType::Money;
    if (joined && RefersBeyond(*a.value, RefName(*target))) {
      // The value comes from the joined row of this target row.
      out += QStringLiteral("(SELECT ");
      em.rewrite(RefName(*target), kInnerAlias);
      toMoney ? em.money(*a.value) : em.expr(*a.value);
      out += QStringLiteral(" FROM ");
      em.tableRef(*up.target);
      out += QStringLiteral(" WHERE ");
      out += kInnerAlias;
      out += QStringLiteral(".rowid = ");
      out += table;
      out += QStringLiteral(".rowid");
      if (up.where) {
        out += QStringLiteral(" AND (");
        em.cond(*up.where);
        out += u')';
      }
      em.popRewrite();
      out += QStringLiteral(" LIMIT 1)");
    } else {
      toMoney ? em.money(*a.value) : em.expr(*a.value);
    }
  }
  if (joined) {
    RowidFilter(em, {up.target.get()}, *target, up.where.get());
  } else if (up.where) {
    out += QStringLiteral(" WHERE ");
    em.cond(*up.where);
  }
  SqlStatement statement{em.take(), false, target->name, em.parameters()};
  statement.typedTables = em.typedTables();
  return statement;
}

SqlStatement EmitDelete(const DeleteStmt& del, const QStringList* params, int sizeHint,
                        const TypedColumnsOf* typesOf, LiteralSlots* slots) {
  Emitter em(params, sizeHint, nullptr, typesOf);
  em.bindLiterals(slots);
  QString& out = em.out();
  std::vector<const TableRef*> leaves;
  for (const TableRefPtr& r : del.from) CollectLeaves(*r, &leaves);
  em.pushTypeScope(leaves);
  const TableRef* target = nullptr;
  if (!del.qualifier.isEmpty()) {
    for (const TableRef* l : leaves)
      if (RefName(*l).compare(del.qualifier, Qt::CaseInsensitive) == 0) target = l;
    if (!target) Unsupported(QStringLiteral("\"%1\" is not a table of the DELETE").arg(del.qualifier));
  } else {
    if (leaves.size() != 1)
      Unsupported(QStringLiteral("DELETE over several tables must name its table (DELETE t.* FROM ...)"));
    target = leaves.front();
  }
  if (target->kind != TableRef::Kind::Table) Unsupported(QStringLiteral("cannot delete from a subquery"));
  const QString table = QuoteSqlIdentifier(target->name);
  out += QStringLiteral("DELETE FROM ");
  out += table;
  if (leaves.size() == 1 && del.from.front()->kind == TableRef::Kind::Table) {
    if (del.where) {
      em.rewrite(RefName(*target), table);
      out += QStringLiteral(" WHERE ");
      em.cond(*del.where);
    }
  } else {
    std::vector<const TableRef*> from;
    for (const TableRefPtr& r : del.from) from.push_back(r.get());
    RowidFilter(em, from, *target, del.where.get());
  }
  SqlStatement statement{em.take(), false, target->name, em.parameters()};
  statement.typedTables = em.typedTables();
  return statement;
}

SqlStatement EmitInsert(const InsertStmt& ins, const QStringList* params, int sizeHint,
                        const TypedColumnsOf* typesOf) {
  Emitter em(params, sizeHint, nullptr, typesOf);
  // The types of the columns written, in the order of the values (empty when
  // the table's columns are not known).
  std::vector<ValueType> targets;
  if (const auto columns = em.typedColumns(ins.table)) {
    if (ins.columns.isEmpty()) {
      for (const TypedColumn& c : *columns) targets.push_back(c.type);
    } else {
      for (const QString& name : ins.columns) targets.push_back(em.columnTypeIn(ins.table, name));
    }
  }
  const auto toMoney = [&](size_t i) { return i < targets.size() && targets[i] == ValueType::Money; };
  QVariantList values;
  QString& out = em.out();
  out += QStringLiteral("INSERT INTO ");
  out += QuoteSqlIdentifier(ins.table);
  if (!ins.columns.isEmpty()) {
    out += QStringLiteral(" (");
    for (qsizetype i = 0; i < ins.columns.size(); ++i) {
      if (i) out += QStringLiteral(", ");
      out += QuoteSqlIdentifier(ins.columns[i]);
    }
    out += u')';
  }
  if (ins.select) {
    out += u' ';
    std::vector<ValueType> wants;
    for (size_t i = 0; i < targets.size(); ++i) wants.push_back(toMoney(i) ? ValueType::Money : ValueType::Other);
    em.setItemWants(std::move(wants));
    em.select(*ins.select);
  } else {
    // The literals of a single row go as bound values: the scripts insert
    // thousands of rows that differ only in them, and SQLite then compiles
    // the statement once. Only values a binding gives exactly as the literal
    // would (see BindableNumber).
    const bool bindLiterals = !params && ins.rows.size() == 1;
    out += QStringLiteral(" VALUES ");
    for (size_t r = 0; r < ins.rows.size(); ++r) {
      if (r) out += QStringLiteral(", ");
      out += u'(';
      for (size_t i = 0; i < ins.rows[r].size(); ++i) {
        if (i) out += QStringLiteral(", ");
        const Expr& value = *ins.rows[r][i];
        if (std::optional<QVariant> bound = bindLiterals ? BoundLiteral(value) : std::nullopt) {
          values.push_back(*bound);
          const QString parameter = u'?' + QString::number(values.size());
          if (toMoney(i))  // a decimal's text reads exactly
            out += QLatin1String(kSqlToCurrency) + u'(' + parameter + u')';
          else if (value.kind == ExprKind::Number && IsBoundDecimal(*bound))
            out += QStringLiteral("CAST(") + parameter + QStringLiteral(" AS REAL)");
          else
            out += parameter;
        } else if (toMoney(i)) {
          em.money(value);
        } else {
          em.expr(value);
        }
      }
      out += u')';
    }
  }
  SqlStatement statement{em.take(), false, ins.table, em.parameters(), values, !ins.select && ins.rows.size() == 1};
  statement.typedTables = em.typedTables();
  return statement;
}

}  // namespace mt::engine::sqlemit
