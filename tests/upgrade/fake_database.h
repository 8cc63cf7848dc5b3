// An in-memory stand-in for the database behind the shared connection: it
// records the statements it is given, keeps a small catalogue, and can be
// told to reject chosen statements or catalogue operations.
#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "db/engine/engine.h"

namespace mt::testing {

struct FakeDatabase {
  std::map<QString, QStringList> tables;  // table -> columns
  std::map<QString, QString> views;
  std::map<QString, QString> procedures;
  std::map<QString, QString> descriptions;  // "table.column" -> text
  QStringList executed;                     // SQL that reached Execute
  QStringList catalogCalls;                 // "AppendView V", "DeleteProcedure P", ...
  QStringList rejectContaining;             // Execute rejects statements containing these
  QString failCatalogCall;                  // the catalogue call that fails, e.g. "RenameTable A"
  QStringList versionHistory;  // every value DBVersion was given, in order

  void Reject(const QString& sql) const {
    for (const QString& bad : rejectContaining) {
      if (sql.contains(bad)) throw DbError(dberr::kSyntax, "Syntax error near " + bad);
    }
  }
  void Call(const QString& call) {
    if (!failCatalogCall.isEmpty() && call == failCatalogCall) {
      throw DbError(dberr::kInvalidArg, QStringLiteral("Catalogue refused ") + call);
    }
    catalogCalls << call;
  }
};

class FakeCatalog final : public Catalog {
 public:
  explicit FakeCatalog(FakeDatabase& db) : db_(db) {}
  bool HasView(const QString& n) override { return db_.views.count(n) > 0; }
  bool HasProcedure(const QString& n) override { return db_.procedures.count(n) > 0; }
  void DeleteView(const QString& n) override { db_.Call("DeleteView " + n); db_.views.erase(n); }
  void DeleteProcedure(const QString& n) override {
    db_.Call("DeleteProcedure " + n);
    db_.procedures.erase(n);
  }
  void AppendView(const QString& n, const QString& sql) override {
    db_.Call("AppendView " + n);
    db_.views[n] = sql;
  }
  void AppendProcedure(const QString& n, const QString& sql) override {
    db_.Call("AppendProcedure " + n);
    db_.procedures[n] = sql;
  }
  bool HasTable(const QString& n) override { return db_.tables.count(n) > 0; }
  void RenameTable(const QString& from, const QString& to) override {
    db_.Call("RenameTable " + from);
    db_.tables[to] = db_.tables[from];
    db_.tables.erase(from);
  }
  bool HasColumn(const QString& t, const QString& c) override {
    return db_.tables.count(t) > 0 && db_.tables[t].contains(c);
  }
  void RenameColumn(const QString& t, const QString& from, const QString& to) override {
    db_.Call("RenameColumn " + t + "." + from);
    db_.tables[t].replace(db_.tables[t].indexOf(from), to);
  }
  void SetColumnDescription(const QString& t, const QString& c, const QString& text) override {
    db_.Call("SetColumnDescription " + t + "." + c);
    db_.descriptions[t + "." + c] = text;
  }

 private:
  FakeDatabase& db_;
};

class FakeConnection final : public Connection {
 public:
  explicit FakeConnection(FakeDatabase& db) : db_(db), catalog_(db) {}
  bool IsOpen() const override { return open_; }
  int32_t Execute(const QString& sql) override {
    db_.Reject(sql);
    db_.executed << sql;
    static const QRegularExpression stamp(
        QStringLiteral(R"re(^UPDATE \[TSettings\] SET Val1="(\d+)" WHERE \[ID\]="DBVersion"$)re"));
    const auto m = stamp.match(sql);
    if (m.hasMatch()) db_.versionHistory << m.captured(1);
    return 1;
  }
  std::unique_ptr<Recordset> OpenRecordset(const QString&, CursorType, LockType) override {
    throw DbError(dberr::kSyntax, QStringLiteral("no recordsets here"));
  }
  Catalog& GetCatalog() override { return catalog_; }
  void Close() override { open_ = false; }

 private:
  FakeDatabase& db_;
  FakeCatalog catalog_;
  bool open_ = true;
};

class FakeEngine final : public Engine {
 public:
  explicit FakeEngine(FakeDatabase& db) : db_(db) {}
  std::unique_ptr<Connection> Open(const QString&, const QString&) override {
    return std::make_unique<FakeConnection>(db_);
  }
  std::unique_ptr<Connection> Create(const QString&, const QString&) override {
    return std::make_unique<FakeConnection>(db_);
  }
  void Compact(const QString&, const QString&, const QString&) override {}

 private:
  FakeDatabase& db_;
};

}  // namespace mt::testing
