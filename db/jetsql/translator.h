// Translation of one Jet-dialect statement into what the storage layer runs.
//
// Promises:
//  - Translate() never touches a database; it needs only the statement text.
//  - A statement outside the dialect throws DbError with dberr::kSyntax and a
//    description that names the offending token.
//  - Data statements (SELECT, INSERT, UPDATE, DELETE) come back as SQLite SQL
//    text that relies on the functions RegisterJetFunctions() installs.
//  - Data-definition statements come back as a command for the storage layer,
//    which alone knows the current tables (it may need to rebuild one).
#pragma once

#include <QString>
#include <QVariant>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "db/jetsql/schema_model.h"

struct sqlite3;

namespace mt::engine {

// The type of a value where it matters beyond SQLite's own: Currency (kept in
// SQL as a count of ten-thousandths) and dates (day serials, handed out as
// date-times).
enum class ValueType : uint8_t { Other, Money, Date };

struct TypedColumn {
  QString name;
  ValueType type = ValueType::Other;
};

// The columns of a table in order with their types, or of a view those of
// Currency or date type; nullopt when the name is unknown. With it the
// translation knows which columns hold Currency.
using TypedColumnsOf = std::function<std::optional<std::vector<TypedColumn>>(const QString& table)>;

struct SqlStatement {
  QString sql;          // SQLite text
  bool returnsRows;     // SELECT
  QString targetTable;  // INSERT/UPDATE/DELETE: the table written; empty for SELECT
  QStringList parameters = {};  // named parameters in the SQL, as bound: ":name" without ':'
  // The values of the positional parameters ?1, ?2, ...: an INSERT's text and
  // number literals (see BindableNumber), so that INSERTs differing only in
  // them share one SQL text. Whoever runs `sql` binds them.
  QVariantList values = {};
  bool oneRow = false;  // an INSERT of one row of VALUES
  // SELECT: the result columns of Currency or date type, by name (a Currency
  // column holds its count of ten-thousandths).
  std::vector<TypedColumn> resultTypes = {};
  // The tables whose column types (typesOf) the translation read.
  QStringList typedTables = {};
};

struct CreateTable { TableDef table; };
struct DropTable { QString table; };
struct AddColumn { QString table; ColumnDef column; };
struct DropColumn { QString table; QString column; };
struct AlterColumn { QString table; ColumnDef column; };  // new type/size/null/default of an existing column
struct AddConstraint { QString table; KeyDef key; };
struct DropConstraint { QString table; QString name; };
struct DropProcedure { QString name; };  // DROP PROCEDURE / DROP VIEW: a named query
struct RenameTable { QString from; QString to; };

using Command = std::variant<SqlStatement, CreateTable, DropTable, AddColumn, DropColumn,
                             AlterColumn, AddConstraint, DropConstraint, DropProcedure,
                             RenameTable>;

Command Translate(const QString& jetSql, const TypedColumnsOf* typesOf = nullptr);

// Translates the SELECT text of a view or stored query; parameters (bracketed
// names that are no column) are left as SQLite named parameters ":name".
SqlStatement TranslateQuery(const QString& jetSelect);

// The columns of a table or view by name, or nullopt when it is unknown.
using ColumnsOf = std::function<std::optional<QStringList>(const QString& table)>;

// As above, and a bare name that is no column of the tables in its scope (nor
// an alias of the select list) is a parameter too, as Jet treats it. A FROM
// item whose columns are unknown makes every bare name in its scope a column.
SqlStatement TranslateQuery(const QString& jetSelect, const ColumnsOf& columnsOf,
                            const TypedColumnsOf* typesOf = nullptr);

// Installs the SQLite functions the emitted SQL calls (Jet built-ins, Jet '+',
// case-insensitive LIKE, date conversion). Call once per sqlite3 handle.
void RegisterJetFunctions(sqlite3* db);

// Jet stores dates as days since 1899-12-30 (the fraction is the time of day).
// A date-time crosses the engine boundary as its civil fields: DateTimeToJet
// reads the date and time of `dt` as they stand (no time-zone conversion), and
// JetToDateTime marks them Qt::UTC, which has no daylight-saving
// gaps, so every serial has its date-time under any TZ.
double DateTimeToJet(const QDateTime& dt);
QDateTime JetToDateTime(double days);

}  // namespace mt::engine
