// Writes SQLite SQL for a parsed Jet statement.
//
// Promises:
//  - Every identifier is quoted ([name], or `name` when it holds a ']'), so
//    names that are SQLite keywords (Order, Range, Rank...) stay names, and an
//    unknown name is an error rather than SQLite's double-quote fallback to a
//    string. Every string literal is single-quoted.
//  - Jet semantics that SQLite lacks go through the functions of
//    jet_functions.h ('+', '&', '/', '\', Mod, LIKE, the built-ins); #dates#
//    become day serials; True is -1, also where a condition is used as a
//    value (SELECT a = b, SET f = (x > 0)).
//  - Text compares, groups and sorts ignoring case, as in Jet, wherever a
//    string literal takes part in a comparison and in GROUP BY and ORDER BY.
//  - The SQL needs only SQLite 3.15: RIGHT JOIN becomes a LEFT JOIN with the
//    sides swapped; UPDATE and DELETE over a join become correlated
//    subqueries on the changed table's rowid.
//  - Unknown functions and constructs SQLite cannot express throw
//    DbError(kSyntax) naming them.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "db/jetsql/jet_parser.h"
#include "db/jetsql/translator.h"

namespace mt::engine {

// SQL for a data statement (Select, Insert, Update or Delete). With
// columnsOf, bare names that no table in scope has become parameters.
// With typesOf, Currency columns are known: their values stay counts of
// ten-thousandths through Currency arithmetic and comparisons, become numbers
// of units elsewhere, and values written to them are converted.
// With slots (UPDATE and DELETE), text and number literals are bound rather
// than written: slots->numberAt gives the parameter number of each by where
// it stands in the statement (Expr::pos). A literal is written ?N only where
// the SQL would not differ with another value of the same traits
// (TextLiteralTraits): not in ORDER BY or GROUP BY terms (a number there
// names a column), nor as a Currency amount (written as its count of
// ten-thousandths); slots->written receives the numbers written.
struct LiteralSlots {
  QHash<int, int> numberAt;
  QSet<int> written;
};
SqlStatement EmitSqlite(const ParsedStatement& statement, const ColumnsOf* columnsOf = nullptr,
                        const TypedColumnsOf* typesOf = nullptr, LiteralSlots* slots = nullptr);

// What of a text literal the SQL written for it depends on: whether no other
// text equals it ignoring case (then an equality needs no collation) and
// whether, as a LIKE pattern, it is an equality ignoring case (no wildcard,
// and it cannot read as a number) or else selects a range (JetLikeFloor).
int TextLiteralTraits(QStringView text);

// Throws DbError(kSyntax) for a name holding a NUL character.
QString QuoteSqlIdentifier(const QString& name);
// A text holding NUL characters comes back as a parenthesised expression
// that joins them in with char(0): SQLite ends a statement at a NUL.
QString QuoteSqlString(const QString& text);

// The value an INSERT binds for a literal instead of writing it into the
// SQL, when a binding gives exactly what SQLite would read: a text (its
// value) without NUL characters; a whole number of at most 18 digits (its
// value); a decimal, digits with a point or an exponent (its characters as
// written, a text that the SQL reads as CAST(?N AS REAL): SQLite converts it
// with the routine it reads the literal with, so the value is the same to
// the last bit). None for any other literal.
std::optional<QVariant> BindableText(QStringView value);
std::optional<QVariant> BindableNumber(QStringView written);
// True for the value BindableNumber gives a decimal.
inline bool IsBoundDecimal(const QVariant& value) { return value.typeId() == QMetaType::QString; }

}  // namespace mt::engine
