#include "db/store/jet_catalog.h"

#include "db/store/sqlcipher_connection.h"
#include "db/store/table_sql.h"

namespace mt::engine {

ConnectionState& JetCatalog::Open() {
  if (!state_->db.IsOpen()) throw DbError(dberr::kClosed, QStringLiteral("The connection is closed."));
  return *state_;
}

bool JetCatalog::HasView(const QString& name) {
  try {
    auto q = Open().catalog.FindQuery(name);
    return q && q->kind == QueryKind::View;
  } catch (const DbError&) {
    return false;
  }
}

bool JetCatalog::HasProcedure(const QString& name) {
  try {
    auto q = Open().catalog.FindQuery(name);
    return q && q->kind == QueryKind::Procedure;
  } catch (const DbError&) {
    return false;
  }
}

void JetCatalog::DeleteView(const QString& name) { Open().editor.DeleteQuery(name, QueryKind::View); }

void JetCatalog::DeleteProcedure(const QString& name) {
  Open().editor.DeleteQuery(name, QueryKind::Procedure);
}

void JetCatalog::AppendView(const QString& name, const QString& sql) {
  Open().editor.AppendQuery(name, QueryKind::View, sql);
}

void JetCatalog::AppendProcedure(const QString& name, const QString& sql) {
  Open().editor.AppendQuery(name, QueryKind::Procedure, sql);
}

bool JetCatalog::HasTable(const QString& name) {
  try {
    return Open().catalog.FindTable(name) != nullptr;
  } catch (const DbError&) {
    return false;
  }
}

void JetCatalog::RenameTable(const QString& from, const QString& to) {
  Open().editor.RenameTable(from, to);
}

bool JetCatalog::HasColumn(const QString& table, const QString& column) {
  try {
    const TableInfo* info = Open().catalog.FindTable(table);
    return info && FindColumn(info->def, column) >= 0;
  } catch (const DbError&) {
    return false;
  }
}

void JetCatalog::RenameColumn(const QString& table, const QString& from, const QString& to) {
  Open().editor.RenameColumn(table, from, to);
}

void JetCatalog::SetColumnDescription(const QString& table, const QString& column, const QString& text) {
  Open().editor.SetColumnDescription(table, column, text);
}

}  // namespace mt::engine
