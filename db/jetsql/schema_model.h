// The engine's model of a Jet table: column types, defaults and keys as the
// Jet dialect declares them. The translator produces these from CREATE TABLE
// and ALTER TABLE statements; the storage layer keeps them in its catalogue
// tables and rebuilds SQLite tables from them.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace mt::engine {

// The canonical Jet column types (their names as the schema listing prints them).
enum class JetType {
  Text,           // TEXT(n), VARCHAR(n), CHAR(n); size in ColumnDef::size (255 when absent)
  Memo,           // MEMO, LONGTEXT
  Long,           // LONG, INT, INTEGER
  Short,          // SHORT, SMALLINT
  Byte,           // BYTE
  Bit,            // BIT, YESNO
  DateTime,       // DATETIME, DATE, TIME
  Single,         // SINGLE, REAL
  Float,          // FLOAT, DOUBLE
  Money,          // MONEY, CURRENCY
  AutoIncrement,  // AUTOINCREMENT, COUNTER
  // The types of files brought in from Jet (and accepted in definitions):
  LongBinary,     // LONGBINARY, IMAGE, OLEOBJECT: bytes of any length (OLE objects)
  Binary,         // BINARY(n), VARBINARY(n): up to n bytes; n in ColumnDef::size (510 when absent)
  Guid,           // GUID, UNIQUEIDENTIFIER: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
  Decimal,        // DECIMAL(p,s), DEC: exact numbers held as their decimal text;
                  // precision in ColumnDef::size, scale in ColumnDef::scale
};

struct ColumnDef;

// The form in which two names of tables, columns or keys are the same (names
// compare ignoring case): the name in lower case. Plain ASCII names, nearly
// all of them, are folded without Qt's Unicode case tables, and a name with
// nothing to fold is returned as it is.
QString NameKey(const QString& name);
// Whether two names are the same, ignoring case (as QString::compare does;
// names of different lengths are told apart without comparing them).
inline bool SameName(const QString& a, const QString& b) {
  return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// "TEXT(50)", "MEMO", "LONG", "BINARY(16)", ... as the schema listing prints it.
QString JetTypeName(JetType type, int size);
QString JetTypeName(const ColumnDef& column);

// A DEFAULT clause, kept as the Jet text it was declared with ("0", "\"\"",
// "True", "NULL", "Now()", "\"5,100|10,100\"") so the listing and a rebuild
// reproduce it.
struct DefaultDef {
  QString jetText;
};

struct ColumnDef {
  QString name;
  JetType type = JetType::Text;
  int size = 255;            // TEXT and BINARY: length; DECIMAL: precision
  int scale = 0;             // DECIMAL only
  bool compression = false;  // WITH COMPRESSION
  bool notNull = false;
  std::optional<DefaultDef> defaultValue;
};

enum class KeyKind { PrimaryKey, Unique };

struct KeyDef {
  QString name;  // "PrimaryKey", "IPKindName", ...
  KeyKind kind = KeyKind::PrimaryKey;
  QStringList columns;
};

struct TableDef {
  QString name;
  std::vector<ColumnDef> columns;
  std::vector<KeyDef> keys;
};

}  // namespace mt::engine
