// The Catalog of a SQLCipher connection: named queries, table and column
// lookups, renames and descriptions over the engine's catalogue.
//
// Promises:
//  - Lookups of unknown names (and lookups on a closed connection) answer
//    false; they never throw.
//  - AppendView/AppendProcedure fail when the name is already used by a view,
//    a procedure or a table (callers delete first: one name space), and
//    refuse a query text the engine cannot read (kSyntax): a view must be a
//    SELECT, a procedure a data statement.
//  - Delete*, Rename* and SetColumnDescription throw DbError(kNotFound) for
//    an unknown object; each change is stored in the file at once.
#pragma once

#include <memory>

#include "db/engine.h"

namespace mt::engine {

struct ConnectionState;

class JetCatalog : public Catalog {
 public:
  explicit JetCatalog(std::shared_ptr<ConnectionState> state) : state_(std::move(state)) {}

  bool HasView(const QString& name) override;
  bool HasProcedure(const QString& name) override;
  void DeleteView(const QString& name) override;
  void DeleteProcedure(const QString& name) override;
  void AppendView(const QString& name, const QString& sql) override;
  void AppendProcedure(const QString& name, const QString& sql) override;
  bool HasTable(const QString& name) override;
  void RenameTable(const QString& from, const QString& to) override;
  bool HasColumn(const QString& table, const QString& column) override;
  void RenameColumn(const QString& table, const QString& from, const QString& to) override;
  void SetColumnDescription(const QString& table, const QString& column, const QString& text) override;

 private:
  ConnectionState& Open();
  std::shared_ptr<ConnectionState> state_;
};

}  // namespace mt::engine
