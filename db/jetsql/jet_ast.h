// The syntax tree of one Jet-dialect data statement (SELECT, INSERT, UPDATE,
// DELETE), as the parser builds it and the SQLite emitter walks it.
//
// Promises:
//  - Nodes own their children; a tree is freed by destroying its root.
//  - Every expression knows its depth (a leaf is 1), so walkers may recurse:
//    the parser refuses trees deeper than kMaxTreeDepth.
//  - Literals are already decoded: strings without quotes, #dates# as day
//    numbers, True/False as -1/0.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace mt::engine {

constexpr int kMaxTreeDepth = 200;

struct Select;

enum class ExprKind {
  Null,
  Number,    // text: the literal as written (digits, '.', exponent)
  String,    // text: the value
  Date,      // number: days since 1899-12-30
  Bool,      // number: -1 or 0
  Column,    // qualifier (may be empty) . text
  Star,      // qualifier (may be empty) . *
  Unary,     // op, args[0]
  Binary,    // op, args[0], args[1]
  Call,      // text: the function's name in upper case (no '$'); args; distinct
  Between,   // args: value, low, high; negated
  In,        // args[0] value, args[1..] list, or select; negated
  IsNull,    // args[0]; negated = IS NOT NULL
  Like,      // args: value, pattern; negated
  Exists,    // select; negated
  Subquery,  // select (a scalar subquery)
};

enum class Op {
  // unary
  Neg,
  Plus,
  Not,
  // binary
  Pow,
  Mul,
  Div,
  IntDiv,
  Mod,
  Add,
  Sub,
  Concat,
  Eq,
  Ne,
  Lt,
  Le,
  Gt,
  Ge,
  And,
  Or,
  Xor,
  Eqv,
  Imp,
};

struct Expr {
  explicit Expr(ExprKind k) : kind(k) {}
  ExprKind kind;
  Op op = Op::Add;
  int depth = 1;
  bool negated = false;
  bool distinct = false;
  double number = 0;
  int pos = -1;  // Number, String: where the literal stands in the statement text
  QString text;
  QString qualifier;
  std::vector<std::unique_ptr<Expr>> args;
  std::unique_ptr<Select> select;
};
using ExprPtr = std::unique_ptr<Expr>;

enum class JoinKind { Inner, Left, Right, Cross };

// One item of a FROM list: a table, a derived table, or a join of two items.
struct TableRef {
  enum class Kind { Table, Subquery, Join };
  Kind kind = Kind::Table;
  int depth = 1;
  QString name;   // Table
  QString alias;  // Table, Subquery
  std::unique_ptr<Select> select;  // Subquery
  JoinKind join = JoinKind::Inner;  // Join
  std::unique_ptr<TableRef> left, right;
  ExprPtr on;
};
using TableRefPtr = std::unique_ptr<TableRef>;

struct SelectItem {
  ExprPtr expr;
  QString alias;
};

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
};

struct Select {
  int depth = 1;       // 1 + the deepest expression or table reference inside
  long long top = -1;  // TOP n; -1 when absent
  bool topPercent = false;
  bool distinct = false;
  bool distinctRow = false;  // DISTINCTROW: one row per record of the tables shown
  std::vector<SelectItem> items;
  std::vector<TableRefPtr> from;  // comma-separated items
  ExprPtr where;
  std::vector<ExprPtr> groupBy;
  ExprPtr having;
  // UNION [ALL] members; each has no ORDER BY of its own.
  std::vector<std::pair<bool, std::unique_ptr<Select>>> unions;  // (all, member)
  std::vector<OrderItem> orderBy;                                 // applies to the whole
};

struct InsertStmt {
  QString table;
  QStringList columns;  // empty: all columns in table order
  std::vector<std::vector<ExprPtr>> rows;  // VALUES rows
  std::unique_ptr<Select> select;          // or INSERT ... SELECT
};

struct Assignment {
  QString qualifier;
  QString column;
  ExprPtr value;
};

struct UpdateStmt {
  TableRefPtr target;  // a table, or a join whose tables provide values
  std::vector<Assignment> sets;
  ExprPtr where;
};

struct DeleteStmt {
  QString qualifier;  // DELETE t.* FROM ...: the table the rows come from
  std::vector<TableRefPtr> from;
  ExprPtr where;
};

}  // namespace mt::engine
