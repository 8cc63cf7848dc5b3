// Versions 298/299 and 329 on a real database.
#include "migrations/endpoints.h"
#include "migrations/migration_db.h"
#include "migrations/shopping_keys.h"

#include <QRegularExpression>

namespace mt::testing {
namespace {

const QString kShopping = QStringLiteral("Mobile_Naver_Shopping");

class ShoppingDbTest : public MigrationDbTest {
 protected:
  struct TaskRow {
    QString category;
    QVariant arg2, arg5;
    QString arg2After, arg5After;
  };
  // Adds the tasks and returns their IDX values.
  static QStringList AddTasks(const std::vector<TaskRow>& rows) {
    QStringList ids;
    for (const TaskRow& r : rows) ids << AddTaskRow({"SiteCategory", "Arg2", "Arg5"}, {r.category, r.arg2, r.arg5});
    return ids;
  }
};

// After the last row the recordset is saved; a failing Save is logged like any
// failure of the frame, the rows staying written.
TEST(ShoppingKeysFrame, SavesAfterTheLastRowAndLogsAFailingSave) {
  test::SpineScope spine;
  Globals().LoggingEnabled = true;
  const QString path = spine.folder.File(QStringLiteral("Marrowtide.mdb"));
  test::ScriptedDatabase& db = spine.engine.At(path);
  db.queries["SELECT IDX, Arg2, Arg5 FROM TTaskList WHERE SiteCategory = \"Mobile_Naver_Shopping\""] =
      test::ScriptedRows{{"IDX", "Arg2", "Arg5"}, {{1, "cat_id=1", ""}, {2, "", "nv_mid=2"}}};
  db.saveError = DbError(dberr::kSyntax, QStringLiteral("Save refused"));
  ASSERT_NE(DBGetConnection(path), nullptr);

  p_DBUpgrade_298();

  EXPECT_EQ(db.updated, (std::vector<std::vector<QVariant>>{{1, "catId=1", ""}, {2, "", "nvMid=2"}}));
  EXPECT_EQ(db.saves, 1);
  const QStringList messages = spine.folder.LogMessages();
  EXPECT_EQ(messages.filter(QRegularExpression("^ERROR: modMain.p_DBUpgrade_298 Line = \\d+\t-2147217900\tSave refused$")).size(), 1);
  EXPECT_EQ(messages.last(), "modMain.p_DBUpgrade_298 End");
}

// Records DBVersion as each code step begins, then runs the production step.
class VersionProbe : public CodeMigrations {
 public:
  QStringList seen;
  bool Has(int version) const override { return ProductionCodeMigrations().Has(version); }
  bool Run(int version) override {
    seen << QStringLiteral("%1:%2").arg(version).arg(
                TextOrEmpty(DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'"), 0)));
    return ProductionCodeMigrations().Run(version);
  }
};

// Each run renames the parameters in the link column (Arg5 when it holds one,
// else Arg2) of shopping tasks, in their exact case; it stops at a row
// without a link (rows are visited in the order they were added), logs it
// and still writes its end line; the upgrade goes on.
TEST_F(ShoppingDbTest, UpgradeFrom297RenamesParametersTwiceAndGoesOnAfterFailures) {
  OpenDatabaseAt(297);
  const std::vector<TaskRow> rows = {
      {kShopping, "id=1&cat_id=5&nv_mid=7", "", "id=1&catId=5&nvMid=7", ""},
      {kShopping, "q?cat_id=1", "https://x/p?nv_mid=7&cat_id=2", "q?cat_id=1", "https://x/p?nvMid=7&catId=2"},
      {kShopping, "CAT_ID=1&Nv_Mid=2&xcat_idy&nv_midnv_mid", QVariant(), "CAT_ID=1&Nv_Mid=2&xcatIdy&nvMidnvMid",
       "<null>"},
      {"Mobile_Naver_Restaurant", "cat_id=1", "nv_mid=2", "cat_id=1", "nv_mid=2"},
      {kShopping, QVariant(), QVariant(), "<null>", "<null>"},
      {kShopping, "cat_id=3", "", "cat_id=3", ""},
  };
  const QStringList ids = AddTasks(rows);
  VersionProbe probe;
  SetCodeMigrations(&probe);

  const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(297, 300);

  EXPECT_EQ(probe.seen, (QStringList{"298:297", "299:298"}));
  EXPECT_EQ(outcome.lastRecorded, 300);
  EXPECT_EQ(DbVersion(), "300");
  for (int i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(TaskValue("Arg2", ids[i]), rows[i].arg2After) << i;
    EXPECT_EQ(TaskValue("Arg5", ids[i]), rows[i].arg5After) << i;
  }
  const QStringList errors = ErrorLines("modMain.p_DBUpgrade_298");
  ASSERT_EQ(errors.size(), 2);
  EXPECT_TRUE(errors[0].contains(QStringLiteral("\t94\t"))) << errors[0].toStdString();
  EXPECT_EQ(LogMessages().lastIndexOf(errors[1]) + 1, LogMessages().lastIndexOf("modMain.p_DBUpgrade_298 End"));
  // The script of version 300 ran after the two code steps.
  EXPECT_EQ(Cell("SELECT COUNT(*) FROM TIPLog"), "0");
}

TEST_F(ShoppingDbTest, DetailLinksBecomeMobileCatalogLinks) {
  OpenDatabaseAt(328);
  const QString catalog = QStringLiteral("https://") + endpoints::MobileShoppingHost + "/catalog/";
  const QString lite = "https://s.example/detail/lite?nv_mid=1";
  const std::vector<TaskRow> rows = {
      {kShopping, "", "https://s.example/detail/lite?nv_mid=123&NaPm=ct%3Dabc&x=1&query=a+b", "",
       catalog + "123?NaPm=ct%3Dabc&query=a%20b"},
      {kShopping, "", "https://s.example/detail/detail?nvMid=9", "", catalog + "9"},
      {kShopping, "", catalog + "5?query=a+b", "", catalog + "5?query=a+b"},
      {kShopping, "keep", "", "keep", ""},
      {kShopping, "keep", QVariant(), "keep", "<null>"},
      {"Mobile_Naver_Restaurant", "", lite, "", lite},
  };
  const QStringList ids = AddTasks(rows);

  p_DBUpgrade_329();

  for (int i = 0; i < ids.size(); ++i) EXPECT_EQ(TaskValue("Arg5", ids[i]), rows[i].arg5After) << i;
  EXPECT_TRUE(ErrorLines("modMain.p_DBUpgrade_329").isEmpty());
  EXPECT_EQ(LogMessages().filter(QRegularExpression("^modMain\\.p_DBUpgrade_329 (Start|End)$")),
            (QStringList{"modMain.p_DBUpgrade_329 Start", "modMain.p_DBUpgrade_329 End"}));
}

}  // namespace
}  // namespace mt::testing
