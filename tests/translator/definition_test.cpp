// Data-definition statements become storage-layer commands with the Jet
// types, defaults and keys as declared.
#include <gtest/gtest.h>

#include "db/engine/translator.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

// Types, NOT NULL and plain defaults are checked through the engine's schema
// listing; what the listing does not show is checked here: compression,
// sizes, quoted defaults, and keys declared with a column or without a name.
TEST(Definition, CreateTableKeepsCompressionDefaultsAndKeys) {
  const TableDef t = std::get<CreateTable>(Translate(
      "CREATE TABLE [TTaskLog] ([TaskIDX] AUTOINCREMENT CONSTRAINT IDX PRIMARY KEY, "
      "[Memo1] Memo WITH COMPRESSION DEFAULT \"\", [Name] TEXT(50) WITH COMP NOT NULL UNIQUE, [Flag] BIT, "
      "[Neg] INT DEFAULT -1, [Rate] TEXT(100) DEFAULT \"5,100|10,100\", CONSTRAINT [Pair] UNIQUE ([Flag], [Neg]))")).table;
  ASSERT_EQ(t.columns.size(), 6u);
  EXPECT_EQ(QList<bool>({t.columns[1].compression, t.columns[2].compression, t.columns[3].compression}),
            QList<bool>({true, true, false}));
  EXPECT_EQ(t.columns[2].size, 50);
  EXPECT_FALSE(t.columns[3].defaultValue.has_value());
  EXPECT_EQ(t.columns[4].defaultValue->jetText, "-1");
  EXPECT_EQ(t.columns[5].defaultValue->jetText, "\"5,100|10,100\"");
  ASSERT_EQ(t.keys.size(), 3u);
  EXPECT_EQ(t.keys[0].name, "IDX");
  EXPECT_EQ(t.keys[0].kind, KeyKind::PrimaryKey);
  EXPECT_EQ(t.keys[1].kind, KeyKind::Unique);
  EXPECT_EQ(t.keys[1].columns, QStringList{"Name"});
  EXPECT_EQ(t.keys[2].columns, (QStringList{"Flag", "Neg"}));
  EXPECT_EQ(std::get<CreateTable>(Translate("CREATE TABLE x (a LONG PRIMARY KEY)")).table.keys.at(0).name, "PrimaryKey");
}

TEST(Definition, TypeSynonymsAndAlterAndDropForms) {
  const struct {
    const char* written;
    JetType type;
    int size;
  } cases[] = {
      {"VARCHAR(30)", JetType::Text, 30}, {"text", JetType::Text, 255},    {"CHAR(5)", JetType::Text, 5},
      {"LONGTEXT", JetType::Memo, 0},     {"int", JetType::Long, 0},       {"SMALLINT", JetType::Short, 0},
      {"YESNO", JetType::Bit, 0},         {"DATE", JetType::DateTime, 0},  {"TIME", JetType::DateTime, 0},
      {"REAL", JetType::Single, 0},       {"DOUBLE", JetType::Float, 0},   {"CURRENCY", JetType::Money, 0},
      {"COUNTER", JetType::AutoIncrement, 0}, {"AUTOINCREMENT(1,1)", JetType::AutoIncrement, 0},
  };
  for (const auto& c : cases) {
    const ColumnDef col =
        std::get<AddColumn>(Translate(QStringLiteral("ALTER TABLE t ADD COLUMN c %1").arg(c.written))).column;
    EXPECT_EQ(col.type, c.type) << c.written;
    if (c.type == JetType::Text) EXPECT_EQ(col.size, c.size) << c.written;
  }
  // The forms the engine tests do not run as statements.
  EXPECT_EQ(std::get<DropColumn>(Translate("ALTER TABLE TTaskList DROP COLUMN [Old Name]")).column, "Old Name");
  const RenameTable rename = std::get<RenameTable>(Translate("ALTER TABLE TFunctionPresets RENAME TO [TSiteCategories]"));
  EXPECT_EQ(QStringList({rename.from, rename.to}), QStringList({"TFunctionPresets", "TSiteCategories"}));
  EXPECT_EQ(std::get<DropTable>(Translate("DROP TABLE [TCityLocations];")).table, "TCityLocations");
  EXPECT_EQ(std::get<DropProcedure>(Translate("drop view [VTaskList]")).name, "VTaskList");
}

}  // namespace
}  // namespace mt::engine
