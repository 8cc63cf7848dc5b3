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
        if (SameName(t.name, f.name))
          f.kind = t.type == ValueType::Money ? ValueKind::Money : t.type == ValueType::Date ? ValueKind::Date : f.kind;
    }
    f.jetType = declared ? JetTypeFromDeclared(QString::fromUtf8(declared)) : JetType::Memo;
    if (const char* t = sqlite3_column_table_name(stmt.get(), i)) f.originTable = QString::fromUtf8(t);
    if (const char* c = sqlite3_column_origin_name(stmt.get(), i)) f.originColumn = QString::fromUtf8(c);
    fields_.push_back(f);
  }
  // The first field of a name wins, as in a Jet recordset.
  for (int i = n - 1; i >= 0; --i) byName_.insert(fields_[i].name.toLower(), i);

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
        updatable_ = true;
      } else {
        updateTable_.clear();
      }
    }
  }
  live_ = std::move(stmt);
  atEnd_ = !Advance();
  if (live_) db.Watch(this);
}

SqliteRecordset::~SqliteRecordset() { FinishLive(); }

SqliteRecordset::Row SqliteRecordset::ReadRow(sqlite3_stmt* from) const {
  const int skip = updatable_ ? 1 : 0;
  Row row;
  if (updatable_) row.rowid = sqlite3_column_int64(from, 0);
  row.values.reserve(fields_.size());
  for (size_t i = 0; i < fields_.size(); ++i) row.values.push_back(ReadColumn(from, int(i) + skip, fields_[i].kind));
  return row;
}

bool SqliteRecordset::StepLive() {
  bool row = false;
  try {
    row = live_.Step();
  } catch (...) {
    FinishLive();
    throw;
  }
  if (row) ++rowsRead_;
  else FinishLive();
  return row;
}

void SqliteRecordset::FinishLive() {
  if (!live_) return;
  live_ = Stmt();
  state_->db.Unwatch(this);
}

bool SqliteRecordset::Advance() {
  if (!ahead_.empty()) {
    current_ = std::move(ahead_.front());
    ahead_.pop_front();
    return true;
  }
  if (spilled_) {
    if (spilled_->Next()) {
      current_ = ReadRow(spilled_->row());
      return true;
    }
    spilled_.reset();
  }
  if (live_ && StepLive()) {
    current_ = ReadRow(live_.get());
    return true;
  }
  if (failedAhead_) {
    const DbError e = *failedAhead_;
    failedAhead_.reset();
    throw e;
  }
  return false;
}

void SqliteRecordset::BeforeChange() {
  // What stays in memory; the rest goes to disk.
  constexpr qint64 kAheadBytes = 1 << 20;
  qint64 bytes = 0;
  try {
    while (live_ && StepLive()) {
      sqlite3_stmt* row = live_.get();
      if (!spilled_ && bytes < kAheadBytes) {
        for (int i = 0; i < sqlite3_column_count(row); ++i) bytes += 16 + sqlite3_column_bytes(row, i);
        ahead_.push_back(ReadRow(row));
      } else {
        if (!spilled_) spilled_ = std::make_unique<SpilledRows>(sqlite3_column_count(row));
        spilled_->Add(row);
      }
    }
  } catch (const DbError& e) {
    // The rows before it are kept; the cursor meets the failure after them.
    FinishLive();
    failedAhead_ = e;
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
  if (atEnd_)
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
  return atEnd_;
}

int32_t SqliteRecordset::RecordCount() const {
  RequireOpen();
  if (cursor_ == CursorType::ForwardOnly) return -1;
  // Counting reads the rest ahead, as a change would.
  const_cast<SqliteRecordset*>(this)->BeforeChange();
  return int32_t(rowsRead_);
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
  return current_.values[index];
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
  // Both statements come from the connection's cache: a migration updates
  // thousands of rows of a table with a hundred columns through one
  // recordset, and preparing them for each row was a third of its time.
  Stmt& stmt = state_->Prepared(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                    .arg(QuoteIdent(updateTable_), sets.join(QStringLiteral(", ")))
                                    .arg(values.size() + 1));
  for (size_t i = 0; i < values.size(); ++i) stmt.Bind(int(i) + 1, values[i]);
  stmt.Bind(int(values.size()) + 1, int64_t(current_.rowid));
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
  Stmt& back = state_->Prepared(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1")
                                    .arg(cols.join(QStringLiteral(", ")), QuoteIdent(updateTable_)));
  back.Bind(1, int64_t(current_.rowid));
  if (back.Step())
    for (size_t j = 0; j < indexes.size(); ++j)
      current_.values[indexes[j]] = ReadColumn(back.get(), int(j), fields_[indexes[j]].kind);
  back.Reset();
}

void SqliteRecordset::MoveNext() {
  RequireRow();
  if (!pending_.empty()) Update();
  try {
    atEnd_ = !Advance();
  } catch (...) {
    atEnd_ = true;
    throw;
  }
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
  FinishLive();
  ahead_.clear();
  spilled_.reset();
  failedAhead_.reset();
  current_ = Row();
  atEnd_ = true;
  open_ = false;
}

}  // namespace mt::engine
