// CREATE TABLE / INDEX / VIEW / PROCEDURE, ALTER TABLE and DROP: the data
// definition half of the parser (see jet_parser_internal.h), read straight
// into the storage layer's commands.
#include "db/jetsql/jet_parser_internal.h"

namespace mt::engine::jetparse {

namespace {

struct TypeName {
  const char* name;
  JetType type;
};

const TypeName kTypeNames[] = {
    {"TEXT", JetType::Text},          {"VARCHAR", JetType::Text},
    {"CHAR", JetType::Text},          {"CHARACTER", JetType::Text},
    {"NVARCHAR", JetType::Text},      {"STRING", JetType::Text},
    {"MEMO", JetType::Memo},          {"LONGTEXT", JetType::Memo},
    {"NOTE", JetType::Memo},          {"NTEXT", JetType::Memo},
    {"LONG", JetType::Long},          {"INT", JetType::Long},
    {"INTEGER", JetType::Long},       {"INTEGER4", JetType::Long},
    {"SHORT", JetType::Short},        {"SMALLINT", JetType::Short},
    {"INTEGER2", JetType::Short},     {"BYTE", JetType::Byte},
    {"TINYINT", JetType::Byte},       {"INTEGER1", JetType::Byte},
    {"BIT", JetType::Bit},            {"YESNO", JetType::Bit},
    {"LOGICAL", JetType::Bit},        {"BOOLEAN", JetType::Bit},
    {"DATETIME", JetType::DateTime},  {"DATE", JetType::DateTime},
    {"TIME", JetType::DateTime},      {"TIMESTAMP", JetType::DateTime},
    {"SINGLE", JetType::Single},      {"REAL", JetType::Single},
    {"FLOAT4", JetType::Single},      {"FLOAT", JetType::Float},
    {"DOUBLE", JetType::Float},       {"FLOAT8", JetType::Float},
    {"NUMBER", JetType::Float},       {"MONEY", JetType::Money},
    {"CURRENCY", JetType::Money},     {"AUTOINCREMENT", JetType::AutoIncrement},
    {"COUNTER", JetType::AutoIncrement},
    {"LONGBINARY", JetType::LongBinary}, {"IMAGE", JetType::LongBinary},
    {"OLEOBJECT", JetType::LongBinary},  {"GENERAL", JetType::LongBinary},
    {"BINARY", JetType::Binary},         {"VARBINARY", JetType::Binary},
    {"GUID", JetType::Guid},             {"UNIQUEIDENTIFIER", JetType::Guid},
    {"DECIMAL", JetType::Decimal},       {"DEC", JetType::Decimal},
    {"NUMERIC", JetType::Decimal},
};

bool JetTypeFromName(QStringView name, JetType* type) {
  for (const TypeName& t : kTypeNames) {
    if (WordEquals(name, t.name)) {
      *type = t.type;
      return true;
    }
  }
  return false;
}

}  // namespace

// --- data definition ---

void Parser::parseColumnType(ColumnDef& c) {
  const Token& t = cur();
  if (t.kind != TokenKind::Word || !JetTypeFromName(t_.raw(t), &c.type))
    fail(QStringLiteral("a column type"));
  const bool isText = c.type == JetType::Text;
  const bool isCounter = c.type == JetType::AutoIncrement;
  ++p_;
  c.size = isText ? 255 : 0;
  if (c.type == JetType::Binary || c.type == JetType::Decimal) {
    parseBinaryOrDecimalSize(c);
    return;
  }
  if (isText || isCounter) {
    if (acceptOp("(")) {
      const Token& n = cur();
      bool ok = false;
      int v = n.kind == TokenKind::Number ? t_.raw(n).toInt(&ok) : 0;
      if (!ok) fail(QStringLiteral("a size"));
      ++p_;
      if (isText) {
        if (v < 1 || v > 255) failAt(n, QStringLiteral("a text size must be 1 to 255"));
        c.size = v;
      } else if (acceptOp(",")) {  // COUNTER(seed, increment)
        if (cur().kind != TokenKind::Number) fail(QStringLiteral("an increment"));
        ++p_;
      }
      expectOp(")");
    }
  }
}

// BINARY [(n)], n 1 to 510 (510 when absent); DECIMAL [(p [, s])],
// p 1 to 28, s 0 to p (18 and 0 when absent).
void Parser::parseBinaryOrDecimalSize(ColumnDef& c) {
  const bool isBinary = c.type == JetType::Binary;
  c.size = isBinary ? 510 : 18;
  c.scale = 0;
  if (!acceptOp("(")) return;
  auto number = [this](const QString& what, int lo, int hi) {
    const Token& n = cur();
    bool ok = false;
    int v = n.kind == TokenKind::Number ? t_.raw(n).toInt(&ok) : 0;
    if (!ok) fail(what);
    if (v < lo || v > hi) failAt(n, QStringLiteral("%1 must be %2 to %3").arg(what).arg(lo).arg(hi));
    ++p_;
    return v;
  };
  if (isBinary) {
    c.size = number(QStringLiteral("a binary size"), 1, 510);
  } else {
    c.size = number(QStringLiteral("a precision"), 1, 28);
    if (acceptOp(",")) c.scale = number(QStringLiteral("a scale"), 0, c.size);
  }
  expectOp(")");
}

// A column definition with its attributes. Column-level keys go to *keys.
ColumnDef Parser::parseColumnDef(std::vector<KeyDef>* keys) {
  ColumnDef c;
  c.name = parseName("a column name");
  parseColumnType(c);
  for (;;) {
    if (isWord("WITH")) {
      ++p_;
      if (!acceptWord("COMPRESSION") && !acceptWord("COMP")) fail(QStringLiteral("COMPRESSION"));
      c.compression = true;
    } else if (isWord("NOT") && peekWord(1, "NULL")) {
      p_ += 2;
      c.notNull = true;
    } else if (acceptWord("NULL")) {
      c.notNull = false;
    } else if (acceptWord("DEFAULT")) {
      size_t first = p_;
      ExprPtr e = parseConcat();
      c.defaultValue = DefaultDef{t_.slice(first, p_ - 1)};
    } else if (isWord("CONSTRAINT") || isWord("PRIMARY") || isWord("UNIQUE")) {
      const Token& at = cur();
      KeyDef k;
      if (acceptWord("CONSTRAINT")) {
        k.name = parseName("a constraint name");
        if (isWord("NOT") && peekWord(1, "NULL")) {  // CONSTRAINT n NOT NULL
          p_ += 2;
          c.notNull = true;
          continue;
        }
      }
      if (acceptWord("PRIMARY")) {
        expectWord("KEY");
        k.kind = KeyKind::PrimaryKey;
        if (k.name.isEmpty()) k.name = QStringLiteral("PrimaryKey");
      } else if (acceptWord("UNIQUE")) {
        k.kind = KeyKind::Unique;
        if (k.name.isEmpty()) k.name = c.name;
      } else {
        fail(QStringLiteral("PRIMARY KEY or UNIQUE"));
      }
      if (!keys) failAt(at, QStringLiteral("a key cannot be declared here; use ADD CONSTRAINT"));
      k.columns.append(c.name);
      keys->push_back(std::move(k));
    } else if (isWord("REFERENCES")) {
      failAt(cur(), QStringLiteral("foreign keys are not supported"));
    } else {
      return c;
    }
  }
}

// CONSTRAINT n PRIMARY KEY (a, b) | CONSTRAINT n UNIQUE (c) | PRIMARY KEY (...)
KeyDef Parser::parseTableConstraint() {
  KeyDef k;
  if (acceptWord("CONSTRAINT")) k.name = parseName("a constraint name");
  if (acceptWord("PRIMARY")) {
    expectWord("KEY");
    k.kind = KeyKind::PrimaryKey;
  } else if (acceptWord("UNIQUE")) {
    k.kind = KeyKind::Unique;
  } else if (isWord("FOREIGN")) {
    failAt(cur(), QStringLiteral("foreign keys are not supported"));
  } else {
    fail(QStringLiteral("PRIMARY KEY or UNIQUE"));
  }
  parseNameList(&k.columns, "a column name");
  if (k.name.isEmpty())
    k.name = k.kind == KeyKind::PrimaryKey ? QStringLiteral("PrimaryKey") : k.columns.join(u'_');
  return k;
}

bool Parser::atTableConstraint() const {
  return isWord("CONSTRAINT") || (isWord("PRIMARY") && peekWord(1, "KEY")) ||
         (isWord("UNIQUE") && opIs(peek(), "(")) || (isWord("FOREIGN") && peekWord(1, "KEY"));
}

Command Parser::parseCreate() {
  if (acceptWord("TABLE")) {
    CreateTable ct;
    ct.table.name = parseName("a table name");
    expectOp("(");
    do {
      if (atTableConstraint()) ct.table.keys.push_back(parseTableConstraint());
      else ct.table.columns.push_back(parseColumnDef(&ct.table.keys));
    } while (acceptOp(","));
    expectOp(")");
    if (ct.table.columns.empty()) failAt(cur(), QStringLiteral("a table needs a column"));
    return ct;
  }
  if (isWord("VIEW") || isWord("PROCEDURE") || isWord("INDEX") || isWord("UNIQUE"))
    failAt(cur(), QStringLiteral("this CREATE statement is not run as SQL"));
  fail(QStringLiteral("TABLE"));
}

Command Parser::parseAlter() {
  expectWord("TABLE");
  QString table = parseName("a table name");
  if (acceptWord("ADD")) {
    if (atTableConstraint()) return AddConstraint{table, parseTableConstraint()};
    acceptWord("COLUMN");
    return AddColumn{table, parseColumnDef(nullptr)};
  }
  if (acceptWord("DROP")) {
    if (acceptWord("CONSTRAINT")) return DropConstraint{table, parseName("a constraint name")};
    acceptWord("COLUMN");
    return DropColumn{table, parseName("a column name")};
  }
  if (acceptWord("ALTER")) {
    acceptWord("COLUMN");
    return AlterColumn{table, parseColumnDef(nullptr)};
  }
  if (acceptWord("RENAME")) {
    if (isWord("COLUMN")) failAt(cur(), QStringLiteral("RENAME COLUMN is carried out through the catalogue"));
    expectWord("TO");
    return RenameTable{table, parseName("a table name")};
  }
  fail(QStringLiteral("ADD, DROP, ALTER or RENAME"));
}

Command Parser::parseDrop() {
  if (acceptWord("TABLE")) return DropTable{parseName("a table name")};
  if (acceptWord("PROCEDURE") || acceptWord("VIEW")) return DropProcedure{parseName("a query name")};
  fail(QStringLiteral("TABLE, VIEW or PROCEDURE"));
}

}  // namespace mt::engine::jetparse
