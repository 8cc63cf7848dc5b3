// Compaction: a smaller copy under the same password that holds the same
// schema, catalogue and rows; refusals that leave both paths as they were.
#include <QFileInfo>

#include "engine_fixture.h"

namespace mt::test {
namespace {

class CompactionTest : public EngineTest {
 protected:
  void Fill() {
    Exec(QStringLiteral("CREATE TABLE TLog (IDX AUTOINCREMENT, Body MEMO, Flag BIT DEFAULT False, "
                        "CONSTRAINT PrimaryKey PRIMARY KEY (IDX))"));
    for (int i = 0; i < 300; ++i)
      Exec(QStringLiteral("INSERT INTO TLog (Body) VALUES ('%1')").arg(QString(300, QChar('a' + i % 26))));
    Exec(QStringLiteral("DELETE FROM TLog WHERE IDX > 10"));
    conn_->GetCatalog().SetColumnDescription(QStringLiteral("TLog"), QStringLiteral("Body"), QStringLiteral("본문"));
    conn_->GetCatalog().AppendView(QStringLiteral("VFew"), QStringLiteral("SELECT IDX FROM TLog WHERE IDX < 4"));
    conn_->GetCatalog().AppendProcedure(QStringLiteral("PByIdx"),
                                        QStringLiteral("SELECT * FROM TLog WHERE IDX = [lIdx]"));
  }
};

TEST_F(CompactionTest, TheCopyIsSmallerAndHoldsTheSameDatabase) {
  Fill();
  const QStringList schema = engine::ListSchema(*conn_);
  const QStringList rows = Rows(QStringLiteral("SELECT * FROM TLog ORDER BY IDX"));
  conn_->Close();
  const QByteArray source = FileBytes(Path());

  const QString dst = Path(QStringLiteral("tmp.mdb"));
  engine_.Compact(Path(), dst, kPassword);
  EXPECT_LT(QFileInfo(dst).size(), source.size());
  EXPECT_FALSE(QFileInfo::exists(dst + QStringLiteral("-wal")));
  EXPECT_NE(ErrorOf([&] { engine_.Open(dst, QStringLiteral("other")); }), 0);

  conn_ = engine_.Open(dst, kPassword);
  EXPECT_EQ(engine::ListSchema(*conn_), schema);
  EXPECT_EQ(Rows(QStringLiteral("SELECT * FROM TLog ORDER BY IDX")), rows);
  EXPECT_EQ(Rows(QStringLiteral("SELECT IDX FROM VFew ORDER BY IDX")), (QStringList{"1", "2", "3"}));
  // The counter and the Yes/No triggers came along.
  Exec(QStringLiteral("INSERT INTO TLog (Body, Flag) VALUES ('next', 1)"));
  EXPECT_EQ(Rows(QStringLiteral("SELECT IDX, Flag FROM TLog WHERE Body = 'next'")), QStringList{"301|True"});
  EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM TLog WHERE Flag = -1")).toLongLong(), 1);
}

TEST_F(CompactionTest, RefusalsLeaveBothPathsAlone) {
  Fill();
  conn_->Close();
  const QByteArray source = FileBytes(Path());

  const QString existing = Path(QStringLiteral("existing.mdb"));
  {
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
  }
  EXPECT_EQ(ErrorOf([&] { engine_.Compact(Path(), existing, kPassword); }), dberr::kOpenFailed);
  EXPECT_EQ(FileBytes(existing), QByteArray("keep me"));

  const QString dst = Path(QStringLiteral("tmp.mdb"));
  EXPECT_EQ(ErrorOf([&] { engine_.Compact(Path(), dst, QStringLiteral("wrong")); }), dberr::kOpenFailed);
  EXPECT_FALSE(QFileInfo::exists(dst));
  EXPECT_EQ(ErrorOf([&] { engine_.Compact(Path(QStringLiteral("missing.mdb")), dst, kPassword); }),
            dberr::kOpenFailed);
  EXPECT_FALSE(QFileInfo::exists(dst));
  EXPECT_EQ(FileBytes(Path()), source);
}

}  // namespace
}  // namespace mt::test
