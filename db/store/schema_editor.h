// Every change to the structure of the database: the data-definition commands
// the translator produces and the catalogue operations (named queries, table
// and column renames, column descriptions).
//
// Promises:
//  - Each operation is atomic: it runs inside one savepoint, and when it fails
//    the SQLite schema, the data and the catalogue are exactly as before.
//    Inside the caller's transaction (SqliteDb::BeginTransaction), a change
//    that cannot fail halfway once its checks have passed (add, drop or
//    rename a column, drop a key) runs without a savepoint: should it fail
//    even so (no space, an I/O error) after it changed something, the
//    transaction is lost (SqliteDb::LoseTransaction) and takes no further
//    change until it is rolled back.
//  - Changes SQLite cannot make in place (drop, rename or retype a column,
//    add or drop a key, add a column with a non-constant default or an
//    AUTOINCREMENT) go through RebuildTable(), which keeps the rows (and their
//    rowids), keys, defaults, Jet types, column order and descriptions.
//  - Jet rules kept: a name is used by one table or named query only; a column
//    that belongs to a key cannot be dropped (drop the key first); the last
//    column of a table cannot be dropped.
//  - Choices where Jet is silent or unlike SQLite (also in the README):
//      * ADD COLUMN ... NOT NULL without a DEFAULT on a table that has rows
//        fills the existing rows with 0, "" or False; on an empty table it
//        simply adds the column.
//      * ADD COLUMN with a DEFAULT (constant or Now()) gives existing rows the
//        default, as SQLite does for constant defaults.
//      * ALTER COLUMN takes type, size, NOT NULL and WITH COMPRESSION from the
//        new definition; a definition without DEFAULT keeps the old default.
//        Values are converted (text <-> numbers, dates, Yes/No); a value that
//        does not convert fails the statement.
//      * TEXT(n) sizes are recorded, not enforced.
//  - A view whose query SQLite can run without parameters also exists as an
//    SQLite view of the same name (recreated after structural changes);
//    parameterised queries and procedures are kept as text only.
#pragma once

#include <QString>

#include "db/store/catalog_store.h"
#include "db/jetsql/translator.h"

namespace mt::engine {

class SqliteDb;

class SchemaEditor {
 public:
  SchemaEditor(SqliteDb& db, CatalogStore& catalog)
      : db_(db), catalog_(catalog), typesOf_([this](const QString& name) { return ColumnTypes(name); }) {}

  // Runs a data-definition command (anything but SqlStatement). waitForNext:
  // a column drop whose rebuild may wait for the caller's next command (see
  // DropColumn).
  void Apply(const Command& command, bool waitForNext = false);

  void CreateTable(const TableDef& table);
  void DropTable(const QString& table);
  void AddColumn(const QString& table, const ColumnDef& column);
  // wait: the caller's next command drops a column of the same table; inside
  // the caller's transaction the rebuild then waits for it (the catalogue
  // already holds the change), and the two drops make one rebuild.
  void DropColumn(const QString& table, const QString& column, bool wait = false);
  // Makes the rebuild that waits, if one does; every other operation (and
  // whoever reads or writes the tables, commits or lists the catalogue)
  // comes after it. A failure loses the caller's transaction.
  void Settle();
  // Forgets the rebuild that waits (its transaction is being rolled back).
  void Discard();
  void AlterColumn(const QString& table, const ColumnDef& column);
  void AddConstraint(const QString& table, const KeyDef& key);
  void DropConstraint(const QString& table, const QString& name);
  void RenameTable(const QString& from, const QString& to);
  void RenameColumn(const QString& table, const QString& from, const QString& to);
  void SetColumnDescription(const QString& table, const QString& column, const QString& text);
  // Rewrites the values of the named columns, which hold values of type
  // `storedAs`, into each column's own type (a rebuild: the declared types
  // become those of the columns' Jet types); the views over them are made
  // again from their Jet text.
  void RestoreColumns(const QString& table, const QStringList& columns, JetType storedAs);

  // Stores a named query; a text the engine cannot read (or a view that is
  // no SELECT) is refused with DbError(kSyntax) and nothing is stored.
  void AppendQuery(const QString& name, QueryKind kind, const QString& jetSql);
  // Deletes the named query; with a kind, only a query of that kind.
  void DeleteQuery(const QString& name, std::optional<QueryKind> kind);

  // The columns of a table with their types, or the Currency and date
  // columns of a stored view (from its translation), for the translator.
  std::optional<std::vector<TypedColumn>> ColumnTypes(const QString& name);
  const TypedColumnsOf& TypesOf() const { return typesOf_; }

  // Changes with every structural change attempted; what was derived from the
  // schema before (prepared statements) is stale when it moved.
  uint64_t generation() const { return generation_; }

 private:
  // How a change is undone when it fails.
  enum class Undo {
    kSavepoint,    // by a savepoint of its own
    kTransaction,  // inside the caller's transaction, by the caller's
                   // rollback: the change can fail halfway only where the file
                   // takes no more changes (a failure that changed nothing
                   // keeps the transaction). It spares the statement journal,
                   // into which SQLite copies every page that a savepoint's
                   // change rewrites (a whole table for a rebuild).
  };
  template <typename Fn>
  void Atomically(Fn&& fn, Undo undo = Undo::kSavepoint);
  const TableInfo& RequireTable(const QString& name);
  void RequireFreeName(const QString& name);
  // The stored views whose Jet text mentions one of the names.
  std::vector<NamedQuery> ViewsMentioning(const QStringList& names);
  // Brings the SQLite views whose Jet text mentions one of the tables in line
  // with the schema as it now is, looking only at those that also mention one
  // of the changed names (the tables or columns the change made, removed or
  // renamed): made again where their translation changed or they no longer
  // resolve, dropped where they can no longer be views, made where they now
  // can be.
  void RefreshViews(const QStringList& tables, const QStringList& changed);
  // The SQLite SELECT of a stored view, or none when its text does not
  // translate.
  std::optional<QString> TranslateView(const NamedQuery& query);
  // Makes the SQLite view unless it would have parameters or SQLite refuses
  // it; then the query stays text only. probe: first ask whether the SELECT
  // compiles without parameters (unneeded for a text that was a view before).
  void CreateSqliteView(const NamedQuery& query);
  void CreateSqliteView(const NamedQuery& query, const QString& sql, bool probe);

  // A rebuild that waits: the table as SQLite holds it, as the catalogue
  // has it, each column's value over the held table's row, and the names the
  // views are refreshed for.
  struct WaitingRebuild {
    TableInfo held, next;
    std::vector<QString> sources;
    QStringList changed;
  };
  std::optional<WaitingRebuild> waiting_;

  SqliteDb& db_;
  CatalogStore& catalog_;
  TypedColumnsOf typesOf_;
  int viewTypeDepth_ = 0;  // views read through views, against cycles
  uint64_t generation_ = 0;
};

}  // namespace mt::engine
