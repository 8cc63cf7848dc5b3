// Recordsets of the SQLCipher engine.
//
// Promises:
//  - All cursor types read the whole result at open: the rows are a snapshot,
//    so writing rows during a pass (Update, or other statements) never
//    disturbs the listing. RecordCount is the number of rows, except for
//    forward-only cursors, which report -1 as a server-side cursor does.
//  - Values follow the engine boundary: Null is an invalid QVariant, Yes/No
//    reads as bool, dates as QDateTime (civil, no time zone), Currency as
//    mt::Currency; computed columns too, by the type the translation gave them.
//  - With an optimistic lock, SetValue() + Update() writes the changed fields
//    of the current row to its table at once (the row is found by its rowid;
//    the recordset's columns must come from one table). MoveNext() with
//    pending changes updates first; Close() drops them. Save() writes what
//    is pending, else nothing: the rows are in the table already.
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "db/jetsql/translator.h"
#include "db/store/column_storage.h"
#include "db/engine.h"

namespace mt::engine {

struct ConnectionState;

class SqliteRecordset : public Recordset {
 public:
  // Runs the (already translated) SELECT and reads its rows.
  // resultTypes: the translation's types of computed columns (Currency,
  // dates), which SQLite declares none for.
  SqliteRecordset(std::shared_ptr<ConnectionState> state, const QString& sqliteSql, CursorType cursor,
                  LockType lock, const std::vector<TypedColumn>& resultTypes = {});

  bool IsOpen() const override { return open_; }
  bool Eof() const override;
  int32_t RecordCount() const override;
  int FieldCount() const override;
  QString FieldName(int index) const override;
  QVariant Value(int index) const override;
  QVariant Value(const QString& name) const override;
  void SetValue(const QString& name, const QVariant& value) override;
  void Update() override;
  void MoveNext() override;
  void Save() override;
  void Close() override;

 private:
  struct Field {
    QString name;
    ValueKind kind = ValueKind::Plain;
    JetType jetType = JetType::Memo;
    QString originTable;
    QString originColumn;  // empty: an expression, not updatable
  };

  void RequireOpen() const;
  void RequireRow() const;
  int IndexOf(const QString& name) const;  // throws for an unknown name
  void ChooseUpdateTable(const QString& sqliteSql);

  std::shared_ptr<ConnectionState> state_;
  CursorType cursor_;
  LockType lock_;
  bool open_ = true;
  std::vector<Field> fields_;
  QHash<QString, int> byName_;  // lower-case name -> first index
  std::vector<std::vector<QVariant>> rows_;
  std::vector<qint64> rowids_;  // parallel to rows_ when updatable
  size_t current_ = 0;
  QString updateTable_;         // the table Update() writes; empty when not updatable
  std::map<int, QVariant> pending_;  // field index -> new value
};

}  // namespace mt::engine
