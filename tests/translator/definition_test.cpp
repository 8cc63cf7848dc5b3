// Data-definition statements become storage-layer commands with the Jet
// types, defaults and keys as declared.
#include <gtest/gtest.h>

#include "db/engine/translator.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

// Types, sizes, defaults and keys reach the engine's schema listing, which
// the upgrade to 405 compares in full; what the listing does not show is
// checked here: compression, and keys declared with a column or without a name.
TEST(Definition, CreateTableKeepsCompressionAndColumnKeys) {
  const TableDef t = std::get<CreateTable>(Translate(
      "CREATE TABLE [TTaskLog] ([TaskIDX] AUTOINCREMENT CONSTRAINT IDX PRIMARY KEY, "
      "[Memo1] Memo WITH COMPRESSION DEFAULT \"\", [Name] TEXT(50) WITH COMP NOT NULL UNIQUE, [Flag] BIT)")).table;
  ASSERT_EQ(t.columns.size(), 4u);
  EXPECT_EQ(QList<bool>({t.columns[1].compression, t.columns[2].compression, t.columns[3].compression}),
            QList<bool>({true, true, false}));
  ASSERT_EQ(t.keys.size(), 2u);
  EXPECT_EQ(t.keys[0].name, "IDX");
  EXPECT_EQ(t.keys[0].kind, KeyKind::PrimaryKey);
  EXPECT_EQ(t.keys[1].kind, KeyKind::Unique);
  EXPECT_EQ(t.keys[1].columns, QStringList{"Name"});
  EXPECT_EQ(std::get<CreateTable>(Translate("CREATE TABLE x (a LONG PRIMARY KEY)")).table.keys.at(0).name, "PrimaryKey");
}

TEST(Definition, TypeSynonymsAndDropView) {
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
  // A view is dropped like a procedure (the upgrade runs the other drop and rename forms).
  EXPECT_EQ(std::get<DropProcedure>(Translate("drop view [VTaskList]")).name, "VTaskList");
}

}  // namespace
}  // namespace mt::engine
