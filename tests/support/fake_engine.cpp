#include "support/fake_engine.h"

namespace mt::test {

namespace {

class ScriptedRecordset final : public Recordset {
 public:
  ScriptedRecordset(ScriptedDatabase& db, ScriptedRows rows, bool countKnown)
      : db_(db), rows_(std::move(rows)), countKnown_(countKnown) {}
  bool IsOpen() const override { return open_; }
  bool Eof() const override { return pos_ >= rows_.rows.size(); }
  int32_t RecordCount() const override {
    return countKnown_ ? static_cast<int32_t>(rows_.rows.size()) : -1;
  }
  int FieldCount() const override { return static_cast<int>(rows_.columns.size()); }
  QString FieldName(int index) const override { return rows_.columns.value(index); }
  QVariant Value(int index) const override {
    Check();
    if (index < 0 || index >= static_cast<int>(rows_.rows[pos_].size()))
      throw DbError(dberr::kInvalidArg, QStringLiteral("Item cannot be found"));
    return rows_.rows[pos_][static_cast<size_t>(index)];
  }
  QVariant Value(const QString& name) const override { return Value(Index(name)); }
  // Assigned values show in the row; Update records the row as written.
  void SetValue(const QString& name, const QVariant& value) override {
    Check();
    rows_.rows[pos_][static_cast<size_t>(Index(name))] = value;
  }
  void Update() override {
    Check();
    db_.updated.push_back(rows_.rows[pos_]);
  }
  void MoveNext() override {
    Check();
    ++pos_;
  }
  void Save() override {
    if (!open_) throw DbError(dberr::kClosed, QStringLiteral("Recordset closed"));
    ++db_.saves;
    if (db_.saveError) throw *db_.saveError;
  }
  void Close() override { open_ = false; }

 private:
  int Index(const QString& name) const {
    for (int i = 0; i < rows_.columns.size(); ++i)
      if (rows_.columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    throw DbError(dberr::kInvalidArg, QStringLiteral("Item cannot be found"));
  }
  void Check() const {
    if (!open_) throw DbError(dberr::kClosed, QStringLiteral("Recordset closed"));
    if (Eof()) throw DbError(dberr::kInvalidArg, QStringLiteral("EOF"));
  }
  ScriptedDatabase& db_;
  ScriptedRows rows_;
  bool countKnown_;
  size_t pos_ = 0;
  bool open_ = true;
};

class ScriptedCatalog final : public Catalog {
 public:
  explicit ScriptedCatalog(ScriptedDatabase& db) : db_(db) {}
  bool HasView(const QString& n) override { return db_.views.count(n) > 0; }
  bool HasProcedure(const QString& n) override { return db_.procedures.count(n) > 0; }
  void DeleteView(const QString& n) override {
    Change("DeleteView " + n);
    db_.views.erase(n);
  }
  void DeleteProcedure(const QString& n) override {
    Change("DeleteProcedure " + n);
    db_.procedures.erase(n);
  }
  void AppendView(const QString& n, const QString& sql) override {
    Change("AppendView " + n);
    db_.views[n] = sql;
  }
  void AppendProcedure(const QString& n, const QString& sql) override {
    Change("AppendProcedure " + n);
    db_.procedures[n] = sql;
  }
  bool HasTable(const QString& n) override { return db_.tables.count(n) > 0; }
  void RenameTable(const QString& from, const QString& to) override {
    Change("RenameTable " + from);
    db_.tables[to] = db_.tables[from];
    db_.tables.erase(from);
  }
  bool HasColumn(const QString& t, const QString& c) override { return HasTable(t) && db_.tables[t].contains(c); }
  void RenameColumn(const QString& t, const QString& from, const QString& to) override {
    Change("RenameColumn " + t + "." + from);
    db_.tables[t].replace(db_.tables[t].indexOf(from), to);
  }
  void SetColumnDescription(const QString& t, const QString& c, const QString& text) override {
    Change("SetColumnDescription " + t + "." + c);
    db_.descriptions[t + "." + c] = text;
  }

 private:
  void Change(const QString& call) {
    if (call == db_.failCatalogCall) throw DbError(dberr::kInvalidArg, "Catalogue refused " + call);
    db_.catalogCalls << call;
  }
  ScriptedDatabase& db_;
};

class ScriptedConnection final : public Connection {
 public:
  explicit ScriptedConnection(ScriptedDatabase& db) : db_(db), catalog_(db) {}
  bool IsOpen() const override { return open_; }
  int32_t Execute(const QString& sql) override {
    CheckOpen();
    db_.executed.push_back(sql);
    if (auto it = db_.failing.find(sql); it != db_.failing.end()) throw it->second;
    return db_.onExecute ? db_.onExecute(sql) : 0;
  }
  std::unique_ptr<Recordset> OpenRecordset(const QString& sql, CursorType cursor,
                                           LockType) override {
    CheckOpen();
    if (auto it = db_.failing.find(sql); it != db_.failing.end()) throw it->second;
    auto it = db_.queries.find(sql);
    if (it == db_.queries.end())
      throw DbError(dberr::kNotFound, QStringLiteral("No scripted answer for: ") + sql);
    return std::make_unique<ScriptedRecordset>(db_, it->second, cursor != CursorType::ForwardOnly);
  }
  Catalog& GetCatalog() override { return catalog_; }
  QString Damage(bool) override { return db_.damage; }
  void Close() override {
    if (open_) ++db_.closes;
    open_ = false;
  }

 private:
  void CheckOpen() const {
    if (!open_)
      throw DbError(dberr::kClosed,
                    QStringLiteral("Operation is not allowed when the object is closed."));
  }
  ScriptedDatabase& db_;
  bool open_ = true;
  ScriptedCatalog catalog_;
};

}  // namespace

QString SettingQuery(const QString& id) {
  return QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE '") + id + QLatin1Char('\'');
}

void ScriptedDatabase::SetSetting(const QString& id, const QVariant& val1) {
  queries[SettingQuery(id)] = ScriptedRows{{QStringLiteral("Val1")}, {{val1}}};
}

void ScriptedDatabase::RemoveSetting(const QString& id) { queries.erase(SettingQuery(id)); }

std::unique_ptr<Connection> ScriptedEngine::Open(const QString& path, const QString& password) {
  opened_.push_back(path);
  auto it = databases_.find(path);
  if (it == databases_.end())
    throw DbError(dberr::kOpenFailed, QStringLiteral("Could not find file '") + path +
                                          QStringLiteral("'."));
  ScriptedDatabase& db = it->second;
  db.passwords.push_back(password);
  if (db.openError) throw *db.openError;
  ++db.opens;
  return std::make_unique<ScriptedConnection>(db);
}

}  // namespace mt::test
