#include "upgrade/upgrade_engine.h"
#include "upgrade/upgrade_fixture.h"

namespace mt::testing {
namespace {

using upgrade::UpgradeRange;

using UpgradeEngine = UpgradeFixture;

QString Stamp(int v) { return upgrade::VersionStampStatement(v); }

TEST_F(UpgradeEngine, StatementsReachTheDatabaseNormalisedAndEachVersionIsStampedWithProgress) {
  AddScript(402, "INSERT INTO T\r\n  VALUES (1)\xE2\x96\xA0\r\n\r\nUPDATE T\rSET A = 2\xE2\x96\xA0\r\n");
  AddScript(403, "\xEF\xBB\xBF\t\tINSERT INTO T\nVALUES (3)\xE2\x96\xA0\r\r\nabcde\xE2\x96\xA0\r\n");
  AddScript(404, "");
  AddScript(405, "DELETE FROM T\xE2\x96\xA0");
  p_DBUpgrade(401);
  EXPECT_EQ(Executed(), (QStringList{"INSERT INTO T VALUES (1)", "UPDATE T SET A = 2", Stamp(402),
                                     "\t\tINSERT INTO T VALUES (3)", Stamp(403), Stamp(404), "DELETE FROM T",
                                     Stamp(405)}));
  EXPECT_TRUE(QDir(spine_.folder.Path()).entryList({QStringLiteral("*.sql")}, QDir::Files).isEmpty());
  EXPECT_TRUE(spine_.ui.Boxes().isEmpty());
  // Each version a quarter of the way, shared by its pieces, skipped ones
  // included; the empty script has none.
  EXPECT_EQ(Percents(), (QStringList{"Percent 8.33333", "Percent 16.6667", "Percent 25", "Percent 33.3333",
                                     "Percent 41.6667", "Percent 50", "Percent 87.5", "Percent 100"}));
}

TEST_F(UpgradeEngine, CatalogueStatementsAreDispatchedNotExecuted) {
  db_.tables["T"] = {"A"};
  AddScript(405,
            "create view [V] as SELECT 1\xE2\x96\xA0"
            "CREATE VIEW [W] AS SELECT A FROM T\xE2\x96\xA0"
            "alter table t rename to u\xE2\x96\xA0"
            "ALTER TABLE T RENAME COLUMN A TO B\xE2\x96\xA0"
            "INSERT INTO X VALUES ('SetColumnDescription')\xE2\x96\xA0"
            "SetColumnDescription T B = \"bee\"\xE2\x96\xA0");
  p_DBUpgrade(404);
  EXPECT_EQ(Executed(), (QStringList{"alter table t rename to u", Stamp(405)}));
  EXPECT_EQ(db_.views.count("W"), 1u);
  EXPECT_EQ(db_.tables["T"], QStringList{"B"});
  EXPECT_EQ(db_.descriptions["T.B"], "bee");
  // The lower-case view has no bracketed name: logged by the handler and by the engine.
  EXPECT_EQ(LogCount("[err: modMain.p_CreateView] line 1, 100, View 이름 없음"), 1);
  EXPECT_EQ(LogCount("[err: modMain.p_DBUpgrade] line 4, 100, View 이름 없음\r\n\tResNo = 405\r\n"
                     "\tSQL = create view [V] as SELECT 1"),
            1);
}

TEST_F(UpgradeEngine, FailuresAreLoggedAndTheUpgradeGoesOn) {
  // The engine's description quotes what a formatter would take for placeholders.
  db_.failing.emplace("INSERT BROKEN 'a%1b%3D'", DbError(dberr::kSyntax, "Syntax error near %1b%3D"));
  db_.failing.emplace(Stamp(404), DbError(dberr::kSyntax, "Syntax error near Val1=\"404\""));
  AddScript(403, "INSERT BROKEN 'a%1b%3D'\xE2\x96\xA0INSERT INTO T VALUES (2)\xE2\x96\xA0");
  AddScript(404, "UPDATE T SET A = 4\xE2\x96\xA0\r\n");
  AddScript(405, "UPDATE T SET A = 5");
  p_DBUpgrade(402);
  EXPECT_EQ(Executed(), (QStringList{"INSERT BROKEN 'a%1b%3D'", "INSERT INTO T VALUES (2)", Stamp(403),
                                     "UPDATE T SET A = 4", Stamp(404), "UPDATE T SET A = 5", Stamp(405)}));
  EXPECT_EQ(LogCount("[err: modMain.p_DBUpgrade] line 4, " + QString::number(dberr::kSyntax) +
                     ", Syntax error near %1b%3D\r\n\tResNo = 403\r\n\tSQL = INSERT BROKEN 'a%1b%3D'\r\n"),
            1);
  // The stamp failure names the version and the last normalised piece (here the empty tail).
  EXPECT_EQ(LogCount("line 6, " + QString::number(dberr::kSyntax) +
                     ", Syntax error near Val1=\"404\"\r\n\tResNo = 404\r\n\tSQL = \r\n"),
            1);
  EXPECT_EQ(Percents().last(), "Percent 100");
  // A version whose stamp failed is not counted as recorded.
  EXPECT_EQ(UpgradeRange(403, 404).lastRecorded, 403);
}

// A missing script (403, or 1 and 2 from a stored 0 or 1) stops the upgrade
// with the message box before its version is stamped; at or above the newest
// nothing is applied.
TEST_F(UpgradeEngine, MissingScriptOrNoStartStopsWithTheMessageBox) {
  AddScript(402, "UPDATE T SET A = 2");
  AddScript(404, "UPDATE T SET A = 4");
  AddScript(405, "UPDATE T SET A = 5");
  const QStringList box{"marrowtide-dbupgrade|DB 업그레이드 중 오류가 발생하였습니다."};
  for (const int stored : {401, 0, 1, 405, 406, 2147483647}) {
    SCOPED_TRACE(stored);
    db_.executed.clear();
    spine_.ui.calls.clear();
    p_DBUpgrade(stored);
    EXPECT_EQ(Executed(), stored == 401 ? QStringList({"UPDATE T SET A = 2", Stamp(402)}) : QStringList());
    EXPECT_EQ(Percents().isEmpty(), stored != 401);
    EXPECT_EQ(spine_.ui.Boxes(), stored < 405 ? box : QStringList());
  }
  EXPECT_EQ(LogCount("modMain.ExtractResourceToFile\t326\tResource with identifier '10403' not found"), 1);
  EXPECT_EQ(LogCount("modMain.ExtractResourceToFile\t326\t"), 3);  // one a box
  EXPECT_EQ(UpgradeRange(404, 404).statements, 0);
}

// A code-migration version (298, 299) never runs a script of its number and
// shows no progress; here, without installed migrations, it is only stamped.
// (The migrations running in their versions' place are the migrations tests'
// matter.)
TEST_F(UpgradeEngine, CodeMigrationVersionsNeverRunTheirScript) {
  AddScript(298, "UPDATE T SET A = 298");
  AddScript(300, "UPDATE T SET A = 300");
  UpgradeRange(297, 300);
  EXPECT_EQ(Executed(), (QStringList{Stamp(298), Stamp(299), "UPDATE T SET A = 300", Stamp(300)}));
  EXPECT_EQ(Percents(), QStringList{"Percent 100"});
}

}  // namespace
}  // namespace mt::testing
