// The SQLite emitter's inside, shared by its files: sqlite_emitter.cpp writes
// expressions, conditions, function calls and queries; sqlite_emitter_changes.cpp
// writes INSERT, UPDATE and DELETE with them; sqlite_emitter_types.cpp types
// expressions; sqlite_emitter_distinctrow.cpp reads DISTINCTROW. Only those
// files include this header.
//
// Promises: an Emitter appends to one output text; names are quoted through
// QuoteSqlIdentifier, qualifiers can be rewritten (rewrite/popRewrite) so a
// changed table can be named inside its own subquery.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "db/engine.h"
#include "db/jetsql/jet_functions.h"
#include "db/jetsql/sqlite_emitter.h"

namespace mt::engine::sqlemit {

// The bits of TextLiteralTraits.
constexpr int kOneCaseOnly = 1;
constexpr int kLikeEquality = 2;
constexpr int kLikeRange = 4;
constexpr int kKeyFolded = 8;
[[noreturn]] void Unsupported(const QString& what);
// The alias under which a FROM item is referenced: its alias, else its name.
const QString& RefName(const TableRef& r);
// The tables of a FROM item, joins taken apart, left to right.
void CollectLeaves(const TableRef& r, std::vector<const TableRef*>* out);
// True when the expression refers to a column not qualified with `target`.
bool RefersBeyond(const Expr& e, const QString& target);
// True when one of the expression's operands is a string literal.
bool AnyString(const Expr& e);
// True for the expressions SQLite evaluates to 1 or 0 (comparisons, LIKE,
// IN, NOT, AND/OR, ...), where Jet wants True as -1.
bool IsCondition(const Expr& e);

class Emitter {
 public:
  explicit Emitter(const QStringList* parameters = nullptr, int sizeHint = 0,
                   const ColumnsOf* columnsOf = nullptr, const TypedColumnsOf* typesOf = nullptr)
      : params_(parameters), columnsOf_(columnsOf), typesOf_(typesOf) {
    out_.reserve(sizeHint + sizeHint / 4 + 32);
  }

  QString take() { return std::move(out_); }
  // Binds the literals slots names (see EmitSqlite).
  void bindLiterals(LiteralSlots* slots) { slots_ = slots; }
  // The tables whose column types were read.
  QStringList typedTables() const {
    QStringList names;
    for (const auto& [name, columns] : typeCache_) names << name;
    return names;
  }
  // The parameters the SQL names, in order of first use.
  const QStringList& parameters() const { return found_; }
  QString& out() { return out_; }

  // Makes the qualifier `from` come out as `to` (already quoted).
  void rewrite(const QString& from, const QString& to) { rewrites_.push_back({from, to}); }
  void popRewrite() { rewrites_.pop_back(); }

  void expr(const Expr& e);
  void cond(const Expr& e);
  // An expression in Currency form (a count of ten-thousandths), converting
  // one of another type.
  void money(const Expr& e);
  // What an expression holds: Currency, a date or anything else.
  ValueType typeOf(const Expr& e);
  // The columns of a table or view with their types (cached; nullopt when
  // unknown or no types were given).
  std::optional<std::vector<TypedColumn>> typedColumns(const QString& table);
  ValueType columnTypeIn(const QString& table, const QString& column);
  // The tables whose columns an UPDATE or DELETE reads.
  void pushTypeScope(const std::vector<const TableRef*>& leaves);
  // The target types of the next top-level select list (INSERT ... SELECT).
  void setItemWants(std::vector<ValueType> wants) { itemWants_ = std::move(wants); }
  const std::vector<TypedColumn>& resultTypes() const { return resultTypes_; }
  void select(const Select& s);
  void from(const std::vector<TableRefPtr>& items);
  void tableRef(const TableRef& r);

 private:
  void binary(const char* op, const Expr& e) {
    out_ += u'(';
    expr(*e.args[0]);
    out_ += QLatin1String(op);
    expr(*e.args[1]);
    out_ += u')';
  }
  // A comparison; text compares as Jet compares it, ignoring case, when a
  // string literal takes part (the collation goes on the left operand, which
  // SQLite then applies to the whole comparison). An equality with texts
  // that have one case only is the same with or without it: it is left to
  // SQLite's own comparison, which can find the row through an index.
  void compare(const char* op, const Expr& e, bool equality = false) {
    // Currency compares as counts of ten-thousandths, exactly.
    if (typeOf(*e.args[0]) == ValueType::Money || typeOf(*e.args[1]) == ValueType::Money) {
      out_ += u'(';
      money(*e.args[0]);
      out_ += QLatin1String(op);
      money(*e.args[1]);
      out_ += u')';
      return;
    }
    out_ += u'(';
    expr(*e.args[0]);
    const bool text = e.args[0]->kind == ExprKind::String || e.args[1]->kind == ExprKind::String;
    bool caseless = equality;
    for (const auto& a : e.args)
      if (a->kind == ExprKind::String) caseless = caseless && (TextLiteralTraits(a->text) & kOneCaseOnly);
    if (text && !caseless) textCollation();
    out_ += QLatin1String(op);
    expr(*e.args[1]);
    // A column's equality ignoring case with a key-folded text holds only
    // where their key folds are equal: said too, for a lookup index.
    if (equality && text && !caseless) {
      const Expr& a = *e.args[0];
      const Expr& b = *e.args[1];
      if (a.kind == ExprKind::Column && b.kind == ExprKind::String && (TextLiteralTraits(b.text) & kKeyFolded))
        keyFoldTerm(a, " = ", b);
      else if (b.kind == ExprKind::Column && a.kind == ExprKind::String && (TextLiteralTraits(a.text) & kKeyFolded))
        keyFoldTerm(b, " = ", a);
    }
    out_ += u')';
  }
  // The key fold of an operand (see kSqlKeyFoldOpen), or of `fn`(operand).
  void keyFold(const Expr& e, const char* fn = nullptr) {
    out_ += QLatin1String(kSqlKeyFoldOpen);
    if (fn) out_ += QLatin1String(fn) + u'(';
    expr(e);
    if (fn) out_ += u')';
    out_ += QLatin1String(kSqlKeyFoldClose);
  }
  // " AND " the key folds of a column and of a text (or of `fn`(text)) compared by `op`.
  void keyFoldTerm(const Expr& column, const char* op, const Expr& text, const char* fn = nullptr) {
    out_ += QStringLiteral(" AND ");
    keyFold(column);
    out_ += QLatin1String(op);
    keyFold(text, fn);
  }
  void textCollation() {
    out_ += QStringLiteral(" COLLATE ");
    out_ += QLatin1String(kSqlTextCollation);
  }
  void call(const char* fn, const Expr& e) {
    out_ += QLatin1String(fn);
    out_ += u'(';
    for (size_t i = 0; i < e.args.size(); ++i) {
      if (i) out_ += QStringLiteral(", ");
      expr(*e.args[i]);
    }
    out_ += u')';
  }
  void qualifier(const QString& q) {
    for (auto it = rewrites_.rbegin(); it != rewrites_.rend(); ++it) {
      if (it->first.compare(q, Qt::CaseInsensitive) == 0) {
        out_ += it->second;
        out_ += u'.';
        return;
      }
    }
    out_ += QuoteSqlIdentifier(q);
    out_ += u'.';
  }
  void column(const Expr& e);
  void parameter(const QString& name);
  // Writes ?N for a literal slots_ binds; false when it is to be written.
  bool boundLiteral(const Expr& e);
  // Literals are written, not bound, while one lives.
  struct Written {
    explicit Written(Emitter& em) : em_(em) { ++em_.writtenDepth_; }
    ~Written() { --em_.writtenDepth_; }
    Emitter& em_;
  };
  void function(const Expr& e);
  void selectCore(const Select& s, bool top, const std::vector<ValueType>& wants);
  // The GROUP BY terms that make a DISTINCTROW select one row per record of
  // the tables it shows; nullopt where DISTINCTROW changes nothing.
  std::optional<QStringList> distinctRowGroups(const Select& s);
  // Whether the table (as far as the schema was given) has that column.
  bool hasColumn(const QString& table, const QString& column);
  void moneyBody(const Expr& e);
  void operand(const Expr& e, bool asMoney) { asMoney ? money(e) : expr(e); }
  // IIf and Nz (arguments already checked), their value operands in Currency
  // form or as plain values.
  void iifCall(const Expr& e, bool asMoney);
  void nzCall(const Expr& e, bool asMoney);
  ValueType columnType(const Expr& e);
  // The names and types of a select list's columns, read in its own scope.
  std::vector<TypedColumn> itemTypes(const Select& s);
  void starTypes(const Expr& star, std::vector<TypedColumn>* out);

  // Type resolution: the FROM items of each nested SELECT, innermost last,
  // with their columns' types (nullopt: unknown).
  struct TypeLeaf {
    QString ref;
    std::optional<std::vector<TypedColumn>> columns;
  };
  void pushTypeScopeOf(const Select& s);

  // Name resolution for views and stored queries: the columns visible in
  // each nested SELECT, innermost last. nullopt stands for a FROM item whose
  // columns are unknown.
  struct Scope {
    std::vector<std::optional<QStringList>> tables;
    QStringList aliases;
  };
  void pushScope(const Select& s);
  void popScope() {
    if (columnsOf_) scopes_.pop_back();
  }
  bool resolves(const QString& name) const;
  std::optional<QStringList> columnsOfTable(const QString& table);

  QString out_;
  const QStringList* params_;
  const ColumnsOf* columnsOf_;
  std::vector<Scope> scopes_;
  std::vector<std::pair<QString, std::optional<QStringList>>> tableCache_;
  QStringList found_;
  std::vector<std::pair<QString, QString>> rewrites_;
  const TypedColumnsOf* typesOf_;
  std::vector<std::vector<TypeLeaf>> typeScopes_;
  std::vector<std::pair<QString, std::optional<std::vector<TypedColumn>>>> typeCache_;
  std::vector<ValueType> itemWants_;
  std::vector<TypedColumn> resultTypes_;
  int selectDepth_ = 0;
  LiteralSlots* slots_ = nullptr;
  int writtenDepth_ = 0;
};

SqlStatement EmitInsert(const InsertStmt& ins, const QStringList* params, int sizeHint,
                        const TypedColumnsOf* typesOf);
SqlStatement EmitUpdate(const UpdateStmt& up, const QStringList* params, int sizeHint,
                        const TypedColumnsOf* typesOf, LiteralSlots* slots);
SqlStatement EmitDelete(const DeleteStmt& del, const QStringList* params, int sizeHint,
                        const TypedColumnsOf* typesOf, LiteralSlots* slots);

}  // namespace mt::engine::sqlemit
