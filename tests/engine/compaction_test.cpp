// Compaction: a copy under the same password that holds the same
// schema, catalogue and rows; refusals that leave both paths as they were.
#include <QFileInfo>

#include "engine_fixture.h"
#include "support/fault_vfs.h"

namespace mt::test {
namespace {

using CompactionTest = EngineTest;

TEST_F(CompactionTest, WritesACopyOfTheSameDatabaseOrLeavesBothPathsAlone) {
  Exec("CREATE TABLE TLog (IDX AUTOINCREMENT, Body MEMO, Flag BIT DEFAULT False, CONSTRAINT PK PRIMARY KEY (IDX))");
  for (int i = 0; i < 12; ++i) Exec(QStringLiteral("INSERT INTO TLog (Body) VALUES ('%1')").arg(QChar('a' + i)));
  Exec("DELETE FROM TLog WHERE IDX > 10");
  conn_->GetCatalog().SetColumnDescription("TLog", "Body", "본문");
  conn_->GetCatalog().AppendView("VFew", "SELECT IDX FROM TLog WHERE IDX < 4");
  conn_->GetCatalog().AppendProcedure("PByIdx", "SELECT * FROM TLog WHERE IDX = [lIdx]");
  Exec("CREATE TABLE TBulk (B MEMO)");  // pages of its own at the end of the copy
  for (int i = 0; i < 40; ++i) Exec(QStringLiteral("INSERT INTO TBulk (B) VALUES ('%1')").arg(QString(1000, QChar('a' + i % 26))));
  const QStringList schema = engine::ListSchema(*conn_);
  const QStringList rows = Rows("SELECT * FROM TLog ORDER BY IDX");
  conn_->Close();
  const QByteArray source = FileBytes(Path());

  // Refused: an existing target, the wrong password, a missing source.
  const QString existing = Path("existing.mdb"), dst = Path("tmp.mdb");
  WriteFile(existing, "keep me");
  for (const auto& [from, to, password] : {std::tuple{Path(), existing, kPassword}, {Path(), dst, QString("wrong")},
                                           {Path("missing.mdb"), dst, kPassword}})
    EXPECT_EQ(FailureCode([&] { engine_.Compact(from, to, password); }), dberr::kOpenFailed) << to.toStdString();
  EXPECT_EQ(FileBytes(existing), QByteArray("keep me"));
  EXPECT_FALSE(QFileInfo::exists(dst));
  EXPECT_EQ(FileBytes(Path()), source);
  {
    // A copy that lands damaged is no copy: refused and removed.
    FaultVfs vfs;
    vfs.DamageWrites("/tmp.mdb", source.size() * 3 / 4);
    EXPECT_TRUE(FailureDescription([&] { engine_.Compact(Path(), dst, kPassword); }).contains("damaged"));
    EXPECT_FALSE(QFileInfo::exists(dst));
  }

  engine_.Compact(Path(), dst, kPassword);  // that the copy is smaller is a maintenance test
  EXPECT_FALSE(QFileInfo::exists(dst + "-wal"));
  EXPECT_NE(FailureCode([&] { engine_.Open(dst, "other"); }), 0);
  conn_ = engine_.Open(dst, kPassword);
  EXPECT_EQ(engine::ListSchema(*conn_), schema);
  EXPECT_EQ(Rows("SELECT * FROM TLog ORDER BY IDX"), rows);
  EXPECT_EQ(Rows("SELECT IDX FROM VFew ORDER BY IDX"), (QStringList{"1", "2", "3"}));
  // The counter and the Yes/No triggers came along.
  Exec("INSERT INTO TLog (Body, Flag) VALUES ('next', 1)");
  EXPECT_EQ(Rows("SELECT IDX, Flag FROM TLog WHERE Flag = -1"), QStringList{"13|True"});
}

}  // namespace
}  // namespace mt::test
