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
  QVariant Value(const QString& name) const override {
    for (int i = 0; i < rows_.columns.size(); ++i)
      if (rows_.columns[i].compare(name, Qt::CaseInsensitive) == 0) return Value(i);
    throw DbError(dberr::kInvalidArg, QStringLiteral("Item cannot be found"));
  }
  // Assigned values show in the row; Update records the row as written.
  void SetValue(const QString& name, const QVariant& value) override {
    Check();
    for (int i = 0; i < rows_.columns.size(); ++i)
      if (rows_.columns[i].compare(name, Qt::CaseInsensitive) == 0) {
        rows_.rows[pos_][static_cast<size_t>(i)] = value;
        return;
      }
    throw DbError(dberr::kInvalidArg, QStringLiteral("Item cannot be found"));
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

class NoCatalog final : public Catalog {
 public:
  bool HasView(const QString&) override { return false; }
  bool HasProcedure(const QString&) override { return false; }
  void DeleteView(const QString&) override { Refuse(); }
  void DeleteProcedure(const QString&) override { Refuse(); }
  void AppendView(const QString&, const QString&) override { Refuse(); }
  void AppendProcedure(const QString&, const QString&) override { Refuse(); }
  bool HasTable(const QString&) override { return false; }
  void RenameTable(const QString&, const QString&) override { Refuse(); }
  bool HasColumn(const QString&, const QString&) override { return false; }
  void RenameColumn(const QString&, const QString&, const QString&) override { Refuse(); }
  void SetColumnDescription(const QString&, const QString&, const QString&) override { Refuse(); }

 private:
  static void Refuse() {
    throw DbError(dberr::kInvalidArg, QStringLiteral("No catalogue in the scripted engine"));
  }
};

class ScriptedConnection final : public Connection {
 public:
  ScriptedConnection(ScriptedDatabase& db, bool open) : db_(db), open_(open) {}
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
  bool open_;
  NoCatalog catalog_;
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
  return std::make_unique<ScriptedConnection>(db, !db.opensClosed);
}

std::unique_ptr<Connection> ScriptedEngine::Create(const QString&, const QString&) {
  throw DbError(dberr::kOpenFailed, QStringLiteral("The scripted engine creates no files"));
}

void ScriptedEngine::Compact(const QString&, const QString&, const QString&) {
  throw DbError(dberr::kOpenFailed, QStringLiteral("The scripted engine compacts nothing"));
}

}  // namespace mt::test
