#include "db/store/sqlite_recordset.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <set>

#include "db/store/catalog_guard.h"
#include "db/store/sqlcipher_connection.h"
#include "db/store/sqlite_db.h"

namespace mt::engine {
namespace {

// What the engine reports when the row behind an optimistic update is gone.
constexpr int32_t kRowNotFound = -2147217864;

const QString kRowidAlias = QStringLiteral("_mt_rowid");

// The SELECT with the rowid of `qualifier` as its first column, or an empty
// text when the statement is not a plain SELECT.
QString WithRowid(const QString& sql, const QString& qualifier) {
  static const QRegularExpression head(QStringLiteral("^\\s*SELECT\\s+(?!DISTINCT\\b)"),
                                       QRegularExpression::CaseInsensitiveOption);
  auto m = head.match(sql);
  if (!m.hasMatch()) return QString();
  return sql.left(m.capturedEnd()) + qualifier + QStringLiteral(".rowid AS ") + kRowidAlias +
         QStringLiteral(", ") + sql.mid(m.capturedEnd());
}

// The alias under which `table` appears in the FROM clause, if any.
QString AliasOf(const QString& sql, const QString& table) {
  QRegularExpression re(
      QStringLiteral("(?:FROM|JOIN)[\\s(]+[\\[\"`]?%1[\\]\"`]?\\s+(?:AS\\s+)?[\\[\"`]?(\\w+)")
          .arg(QRegularExpression::escape(table)),
      QRegularExpression::CaseInsensitiveOption);
  auto m = re.match(sql);
  if (!m.hasMatch()) return QString();
  QString alias = m.captured(1);
  static const QStringList keywords = {"WHERE", "INNER", "LEFT", "RIGHT", "JOIN", "ON", "GROUP",
                                       "ORDER", "LIMIT", "UNION", "HAVING", "CROSS", "NATURAL"};
  if (keywords.contains(alias.toUpper())) return QString();
  return alias;
}

}  // namespace

SqliteRecordset::SqliteRecordset(std::shared_ptr<ConnectionState> state, const QString& sqliteSql,
                                 CursorType cursor, LockType lock,
                                 const std::vector<TypedColumn>& resultTypes)
    : state_(std::move(state)), cursor_(cursor), lock_(lock) {
  SqliteDb& db = state_->db;
  Stmt stmt = db.Prepare(sqliteSql);
  const int n = stmt.ColumnCount();
  for (int i = 0; i < n; ++i) {
    Field f;
    f.name = QString::fromUtf8(sqlite3_column_name(stmt.get(), i));
    const char* declared = sqlite3_column_decltype(stmt.get(), i);
    f.kind = ValueKindFromDeclared(declared);
    if (!declared) {
      // A computed column: the type the translation gave it.
      for (const TypedColumn& t : resultTypes)
        if (t.name.compare(f.name, Qt::CaseInsensitive) == 0)
          f.kind = t.type == ValueType::Money ? ValueKind::Money : t.type == ValueType::Date ? ValueKind::Date : f.kind;
    }
    f.jetType = declared ? JetTypeFromDeclared(QString::fromUtf8(declared)) : JetType::Memo;
    if (const char* t = sqlite3_column_table_name(stmt.get(), i)) f.originTable = QString::fromUtf8(t);
    if (const char* c = sqlite3_column_origin_name(stmt.get(), i)) f.originColumn = QString::fromUtf8(c);
    fields_.push_back(f);
  }
  // The first field of a name wins, as in a Jet recordset.
  for (int i = n - 1; i >= 0; --i) byName_.insert(fields_[i].name.toLower(), i);

  int skip = 0;
  if (lock_ == LockType::Optimistic) {
    ChooseUpdateTable(sqliteSql);
    if (!updateTable_.isEmpty()) {
      QString qualified = WithRowid(sqliteSql, QuoteIdent(updateTable_));
      Stmt withRowid;
      try {
        if (!qualified.isEmpty()) withRowid = db.Prepare(qualified);
      } catch (const DbError&) {
        QString alias = AliasOf(sqliteSql, updateTable_);
        if (!alias.isEmpty()) {
          try {
            withRowid = db.Prepare(WithRowid(sqliteSql, QuoteIdent(alias)));
          } catch (const DbError&) {
          }
        }
      }
      if (withRowid) {
        stmt = std::move(withRowid);
        skip = 1;
      } else {
        updateTable_.clear();
      }
    }
  }
  while (stmt.Step()) {
    std::vector<QVariant> row;
    row.reserve(n);
    for (int i = 0; i < n; ++i) row.push_back(ReadColumn(stmt.get(), i + skip, fields_[i].kind));
    rows_.push_back(std::move(row));
    if (skip) rowids_.push_back(stmt.Int(0));
  }
}

void SqliteRecordset::ChooseUpdateTable(const QString& sqliteSql) {
  // Rows of a grouped or combined result are no rows of a table.
  static const QRegularExpression combined(QStringLiteral("\\b(GROUP\\s+BY|UNION|INTERSECT|EXCEPT)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
  if (combined.match(sqliteSql).hasMatch()) return;
  std::set<QString> tables;
  for (const Field& f : fields_)
    if (!f.originTable.isEmpty()) tables.insert(f.originTable.toLower());
  if (tables.size() != 1) return;
  for (const Field& f : fields_)
    if (!f.originTable.isEmpty()) {
      updateTable_ = f.originTable;
      return;
    }
}

void SqliteRecordset::RequireOpen() const {
  if (!open_) throw DbError(dberr::kClosed, QStringLiteral("Operation is not allowed when the object is closed."));
}

void SqliteRecordset::RequireRow() const {
  RequireOpen();
  if (current_ >= rows_.size())
    throw DbError(dberr::kInvalidArg,
                  QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
}

int SqliteRecordset::IndexOf(const QString& name) const {
  auto it = byName_.find(name.toLower());
  if (it == byName_.end())
    throw DbError(dberr::kInvalidArg,
                  QStringLiteral("Item '%1' cannot be found in the collection corresponding to the "
                                 "requested name or ordinal.").arg(name));
  return it.value();
}

bool SqliteRecordset::Eof() const {
  RequireOpen();
  return current_ >= rows_.size();
}

int32_t SqliteRecordset::RecordCount() const {
  RequireOpen();
  if (cursor_ == CursorType::ForwardOnly) return -1;
  return int32_t(rows_.size());
}

int SqliteRecordset::FieldCount() const {
  RequireOpen();
  return int(fields_.size());
}

QString SqliteRecordset::FieldName(int index) const {
  RequireOpen();
  if (index < 0 || index >= int(fields_.size()))
    throw DbError(dberr::kInvalidArg, QStringLiteral("Field index %1 is out of range.").arg(index));
  return fields_[index].name;
}

QVariant SqliteRecordset::Value(int index) const {
  RequireRow();
  if (index < 0 || index >= int(fields_.size()))
    throw DbError(dberr::kInvalidArg, QStringLiteral("Field index %1 is out of range.").arg(index));
  auto p = pending_.find(index);
  if (p != pending_.end()) return p->second;
  return rows_[current_][index];
}

QVariant SqliteRecordset::Value(const QString& name) const { return Value(IndexOf(name)); }

void SqliteRecordset::SetValue(const QString& name, const QVariant& value) {
  RequireRow();
  const int index = IndexOf(name);
  if (lock_ != LockType::Optimistic)
    throw DbError(dberr::kInvalidArg,
                  QStringLiteral("The recordset is read-only: field '%1' cannot be set.").arg(name));
  const Field& f = fields_[index];
  if (updateTable_.isEmpty() || f.originColumn.isEmpty() ||
      f.originTable.compare(updateTable_, Qt::CaseInsensitive) != 0)
    throw DbError(dberr::kInvalidArg, QStringLiteral("Field '%1' cannot be updated.").arg(name));
  pending_[index] = value;
}

void SqliteRecordset::Update() {
  RequireRow();
  if (pending_.empty()) return;
  std::map<int, QVariant> changes;
  changes.swap(pending_);
  if (!state_->db.IsOpen())
    throw DbError(dberr::kClosed, QStringLiteral("The connection of the recordset is closed."));
  if (IsEngineObjectName(updateTable_)) throw DbError(dberr::kInvalidArg, CatalogRefusal(updateTable_));
  SqliteDb& db = state_->db;

  QStringList sets;
  std::vector<QVariant> values;
  std::set<QString> done;
  for (const auto& [index, value] : changes) {
    const Field& f = fields_[index];
    if (!done.insert(f.originColumn.toLower()).second) continue;
    sets << QuoteIdent(f.originColumn) + QStringLiteral(" = ?%1").arg(values.size() + 1);
    values.push_back(ToStoredValue(value, f.jetType));
  }
  Stmt stmt = db.Prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                             .arg(QuoteIdent(updateTable_), sets.join(QStringLiteral(", ")))
                             .arg(values.size() + 1));
  for (size_t i = 0; i < values.size(); ++i) stmt.Bind(int(i) + 1, values[i]);
  stmt.Bind(int(values.size()) + 1, int64_t(rowids_[current_]));
  stmt.Run();
  if (sqlite3_changes(db.handle()) == 0)
    throw DbError(kRowNotFound, QStringLiteral("Row cannot be located for updating. Some values may "
                                               "have been changed since it was last read."));

  // Read the row back so the recordset shows what the table now holds
  // (conversions, Yes/No normalisation).
  QStringList cols;
  std::vector<int> indexes;
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].originColumn.isEmpty() ||
        fields_[i].originTable.compare(updateTable_, Qt::CaseInsensitive) != 0)
      continue;
    cols << QuoteIdent(fields_[i].originColumn);
    indexes.push_back(int(i));
  }
  Stmt back = db.Prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1")
                             .arg(cols.join(QStringLiteral(", ")), QuoteIdent(updateTable_)));
  back.Bind(1, int64_t(rowids_[current_]));
  if (back.Step())
    for (size_t j = 0; j < indexes.size(); ++j)
      rows_[current_][indexes[j]] = ReadColumn(back.get(), int(j), fields_[indexes[j]].kind);
}

void SqliteRecordset::MoveNext() {
  RequireRow();
  if (!pending_.empty()) Update();
  ++current_;
}

void SqliteRecordset::Save() {
  RequireOpen();
  if (!state_->db.IsOpen())
    throw DbError(dberr::kClosed, QStringLiteral("The connection of the recordset is closed."));
  if (!pending_.empty()) Update();
}

void SqliteRecordset::Close() {
  if (!open_) return;
  pending_.clear();
  rows_.clear();
  rowids_.clear();
  open_ = false;
}

}  // namespace mt::engine
