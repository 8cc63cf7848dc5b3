// Data-definition statements become storage-layer commands with the Jet
// types, defaults and keys as declared.
#include <gtest/gtest.h>

#include "db/engine/translator.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

template <typename T>
T As(const Command& c) {
  const T* v = std::get_if<T>(&c);
  EXPECT_NE(v, nullptr) << "command holds alternative " << c.index();
  return v ? *v : T{};
}

TEST(Definition, CreateTableKeepsTypesDefaultsAndKeys) {
  const TableDef t = As<CreateTable>(Translate(
      "CREATE TABLE [TTaskLog] ([TaskIDX] LONG NOT NULL, [LogDate] DATETIME DEFAULT Now(), "
      "Rank Long DEFAULT 0, [Memo1] Memo WITH COMPRESSION DEFAULT \"\", "
      "[Name] TEXT(50) WITH COMP NOT NULL, [Flag] BIT DEFAULT True, [Neg] INT DEFAULT -1, "
      "[Rate] TEXT(100) WITH COMPRESSION DEFAULT \"5,100|10,100\", "
      "CONSTRAINT [PrimaryKey] PRIMARY KEY ([TaskIDX], [LogDate]))")).table;
  // Types, NOT NULL and plain defaults are checked through the engine's
  // schema listing; what the listing does not show is checked here.
  EXPECT_EQ(t.name, "TTaskLog");
  ASSERT_EQ(t.columns.size(), 8u);
  EXPECT_EQ(t.columns[2].name, "Rank");
  EXPECT_FALSE(t.columns[0].defaultValue.has_value());
  EXPECT_TRUE(t.columns[3].compression);
  EXPECT_TRUE(t.columns[4].compression);
  EXPECT_FALSE(t.columns[5].compression);
  EXPECT_EQ(t.columns[4].size, 50);
  EXPECT_EQ(t.columns[6].defaultValue->jetText, "-1");
  EXPECT_EQ(t.columns[7].defaultValue->jetText, "\"5,100|10,100\"");
  ASSERT_EQ(t.keys.size(), 1u);
  EXPECT_EQ(t.keys[0].name, "PrimaryKey");
  EXPECT_EQ(t.keys[0].kind, KeyKind::PrimaryKey);
  EXPECT_EQ(t.keys[0].columns, (QStringList{"TaskIDX", "LogDate"}));
}

TEST(Definition, TypeSynonymsMapToCanonicalTypes) {
  const struct {
    const char* written;
    JetType type;
    int size;
  } cases[] = {
      {"TEXT(20)", JetType::Text, 20},  {"VARCHAR(30)", JetType::Text, 30},
      {"text", JetType::Text, 255},     {"CHAR(5)", JetType::Text, 5},
      {"LONGTEXT", JetType::Memo, 0},   {"Memo", JetType::Memo, 0},
      {"INTEGER", JetType::Long, 0},    {"int", JetType::Long, 0},
      {"SMALLINT", JetType::Short, 0},  {"Short", JetType::Short, 0},
      {"BYTE", JetType::Byte, 0},       {"YESNO", JetType::Bit, 0},
      {"DATE", JetType::DateTime, 0},   {"TIME", JetType::DateTime, 0},
      {"REAL", JetType::Single, 0},     {"SINGLE", JetType::Single, 0},
      {"DOUBLE", JetType::Float, 0},    {"FLOAT", JetType::Float, 0},
      {"CURRENCY", JetType::Money, 0},  {"money", JetType::Money, 0},
      {"COUNTER", JetType::AutoIncrement, 0}, {"AUTOINCREMENT(1,1)", JetType::AutoIncrement, 0},
  };
  for (const auto& c : cases) {
    const ColumnDef col =
        As<AddColumn>(Translate(QStringLiteral("ALTER TABLE t ADD COLUMN c %1").arg(c.written))).column;
    EXPECT_EQ(col.type, c.type) << c.written;
    if (c.type == JetType::Text) EXPECT_EQ(col.size, c.size) << c.written;
  }
}

TEST(Definition, ColumnLevelKeysAndUnnamedKeys) {
  const TableDef t = As<CreateTable>(Translate(
      "CREATE TABLE TUserIdIPs (IDX AUTOINCREMENT CONSTRAINT IDX PRIMARY KEY, "
      "UserId TEXT(50) NOT NULL UNIQUE, Pwd TEXT(50), CONSTRAINT [IPKindName] UNIQUE ([Pwd]))")).table;
  ASSERT_EQ(t.keys.size(), 3u);
  EXPECT_EQ(t.keys[0].name, "IDX");
  EXPECT_EQ(t.keys[0].columns, QStringList{"IDX"});
  EXPECT_EQ(t.keys[1].kind, KeyKind::Unique);
  EXPECT_EQ(t.keys[1].columns, QStringList{"UserId"});
  EXPECT_EQ(t.keys[2].name, "IPKindName");

  const TableDef bare = As<CreateTable>(Translate("CREATE TABLE x (a LONG PRIMARY KEY, b LONG)")).table;
  ASSERT_EQ(bare.keys.size(), 1u);
  EXPECT_EQ(bare.keys[0].name, "PrimaryKey");
}

TEST(Definition, AlterTableForms) {
  AddColumn add = As<AddColumn>(Translate("ALTER TABLE [TTaskList] ADD [IsReady] BIT NOT NULL DEFAULT False"));
  EXPECT_EQ(add.table, "TTaskList");
  EXPECT_EQ(add.column.name, "IsReady");
  EXPECT_EQ(add.column.defaultValue->jetText, "False");

  DropColumn drop = As<DropColumn>(Translate("ALTER TABLE TTaskList DROP COLUMN [Old Name]"));
  EXPECT_EQ(drop.column, "Old Name");

  AlterColumn alter = As<AlterColumn>(Translate("ALTER TABLE TSettings ALTER COLUMN [ID] MEMO WITH COMPRESSION DEFAULT \"\""));
  EXPECT_EQ(alter.column.type, JetType::Memo);
  EXPECT_TRUE(alter.column.compression);

  AddConstraint key = As<AddConstraint>(
      Translate("ALTER TABLE TTaskLogDay ADD CONSTRAINT [PrimaryKey] PRIMARY KEY ([TaskIDX], [LogDate], [ActionType])"));
  EXPECT_EQ(key.key.columns.size(), 3);
  EXPECT_EQ(As<DropConstraint>(Translate("ALTER TABLE TTaskLogDay DROP CONSTRAINT PrimaryKey")).name, "PrimaryKey");

  RenameTable rename = As<RenameTable>(Translate("ALTER TABLE TFunctionPresets RENAME TO [TSiteCategories]"));
  EXPECT_EQ(rename.from, "TFunctionPresets");
  EXPECT_EQ(rename.to, "TSiteCategories");

  EXPECT_EQ(As<DropTable>(Translate("DROP TABLE [TCityLocations];")).table, "TCityLocations");
  EXPECT_EQ(As<DropProcedure>(Translate("DROP PROCEDURE PSumLogByDay")).name, "PSumLogByDay");
  EXPECT_EQ(As<DropProcedure>(Translate("drop view [VTaskList]")).name, "VTaskList");
}

}  // namespace
}  // namespace mt::engine
