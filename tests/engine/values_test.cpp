// Values as Jet keeps them, read back through the engine: Currency exact
// over its whole range and through its arithmetic, dates that no time zone
// changes (ctest runs the Date tests again under zones with gaps at 02:00 and
// at midnight).
#include <QDateTime>

#include <sqlite3.h>

#include "db/currency.h"
#include "db/store/sqlite_db.h"

#include "engine/engine_fixture.h"

namespace mt::test {
namespace {

class ValuesTest : public EngineTest {};

// Currency rows: the range's ends, a value a double cannot hold (.0003 and
// .0002 are one double at 6E11), tenths a double cannot add, a price.
class CurrencyTest : public ValuesTest {
 protected:
  void SetUp() override {
    ValuesTest::SetUp();
    Exec("CREATE TABLE T (ID LONG, M MONEY, Q LONG, F FLOAT)");
    const char* rows[] = {"1, 922337203685477.5807, 1, 0", "2, -922337203685477.5808, 1, 0",
                          "3, 600000000000.0003, 2, 0.5",  "4, 0.1, 3, 0.25",
                          "5, 0.2, 7, 0.05",               "6, 14, 12, 0.15"};
    for (const char* r : rows) Exec(QStringLiteral("INSERT INTO T (ID, M, Q, F) VALUES (%1)").arg(QLatin1String(r)));
  }
};

TEST_F(CurrencyTest, StorageArithmeticAndComparisonsAreExact) {
  const std::pair<const char*, const char*> cases[] = {
      {"SELECT M FROM T ORDER BY ID",
       "922337203685477.5807;-922337203685477.5808;600000000000.0003;0.1;0.2;14"},
      {"SELECT Sum(M), Avg(M), Min(M), Max(M) FROM T WHERE ID IN (4, 5)", "0.3|0.15|0.1|0.2"},
      {"SELECT M + 0.2, M - 0.0001, -M, M * 3, M / 3, M * Q * (1 - F) FROM T WHERE ID = 4",
       "0.3|0.0999|-0.1|0.3|0.0333|0.225"},
      {"SELECT M + M, M / 4, 2 * M FROM T WHERE ID = 3", "1200000000000.0006|150000000000.0001|1200000000000.0006"},
      // Products and quotients round half to even at the fourth place, as CCur does.
      {"SELECT CCur('1.23456'), CCur('0.00005'), CCur('-0.00015'), CCur(M * 1.5) FROM T WHERE ID = 4", "1.2346|0|-0.0002|0.15"},
      {"SELECT ID FROM T WHERE M = 600000000000.0003 OR M = 0.30000000000000004", "3"},
      {"SELECT Count(*) FROM T WHERE M BETWEEN 0.1 AND 14 AND M IN (0.2, 14, 7)", "2"},
      {"SELECT ID FROM T WHERE M > 0.1 AND M < 600000000000.0003 ORDER BY M DESC", "6;5"},
      // Where a number is wanted, the value in units.
      {"SELECT CDbl(M), M & '', IIf(M > 0, M, 0), Format(M, '0.00') FROM T WHERE ID = 4", "0.1|0.1|0.1|0.10"},
      {"SELECT (SELECT Sum(M) FROM T WHERE ID > 3) + 1, F + M FROM T WHERE ID = 6", "15.3|14.15"},
  };
  for (const auto& [jet, expected] : cases)
    EXPECT_EQ(Rows(QString::fromUtf8(jet)).join(u';'), QString::fromUtf8(expected)) << jet;
}

// Every way into a Currency column keeps the value: updates, INSERT ...
// SELECT, recordset writes, defaults, a view's computed column.
TEST_F(CurrencyTest, WritesAndViewsKeepTheValue) {
  Exec("CREATE TABLE C (ID LONG, M MONEY DEFAULT 1.05, F FLOAT)");
  Exec("INSERT INTO C (ID, M, F) SELECT ID, Sum(M), Sum(M) FROM T WHERE ID IN (4, 5) GROUP BY ID");
  Exec("INSERT INTO C (ID) VALUES (7)");
  Exec("UPDATE C SET M = M * 3 + '0.0001', F = M WHERE ID = 5");
  EXPECT_EQ(Rows("SELECT ID, M, F FROM C ORDER BY ID"), QStringList({"4|0.1|0.1", "5|0.6001|0.2", "7|1.05|\\N"}));
  {
    auto rs = conn_->OpenRecordset("SELECT ID, M FROM C ORDER BY ID", CursorType::Static, LockType::Optimistic);
    EXPECT_EQ(rs->Value("M").value<Currency>(), Currency{1000});
    EXPECT_DOUBLE_EQ(rs->Value("M").toDouble(), 0.1);
    const QVariant writes[] = {QVariant::fromValue(Currency{-1}), QVariant("600000000000.0003"), QVariant(2.5)};
    for (const QVariant& v : writes) {
      rs->SetValue("M", v);
      rs->MoveNext();
    }
    rs->Close();
  }
  EXPECT_EQ(Rows("SELECT M FROM C ORDER BY ID"), QStringList({"-0.0001", "600000000000.0003", "2.5"}));
  conn_->GetCatalog().AppendView("VTotal", "SELECT Sum(CCur(M * Q * (1 - F) / 100) * 100) AS Total, Sum(M) FROM T WHERE ID > 3");
  EXPECT_EQ(Rows("SELECT * FROM VTotal"), QStringList({"144.35|14.3"}));
  EXPECT_EQ(Rows("SELECT V.Total * 2 FROM VTotal AS V"), QStringList({"288.7"}));
}

// A file of an earlier build keeps Currency as amounts in REAL columns, with
// views translated for amounts: they are counts after the first open for
// writing, and a read-only open refuses rather than read them 10,000 times
// too small.
TEST_F(ValuesTest, EarlierRealCurrencyIsConvertedAtTheFirstWritingOpen) {
  conn_->Close();
  {
    engine::SqliteDb raw;
    raw.OpenHandle(Path(), SQLITE_OPEN_READWRITE);
    const QByteArray key = kPassword.toUtf8();
    ASSERT_EQ(sqlite3_key(raw.handle(), key.constData(), int(key.size())), SQLITE_OK);
    for (const char* sql :
         {"CREATE TABLE L (\"ID\" LONG INTEGER, \"Price\" MONEY REAL DEFAULT 0, \"Cost\" money  real)",
          "INSERT INTO L VALUES (1, 1552.6, 0.1), (2, 922337203685.4775, NULL), (3, -0.0001, 14)",
          "INSERT INTO _mt_queries (name, kind, jet_sql) VALUES ('VL', 'view', 'SELECT Sum(Price + 1) AS S FROM L')",
          "CREATE VIEW \"VL\" AS SELECT sum(\"Price\") AS \"S\" FROM \"L\""})
      raw.Exec(QString::fromUtf8(sql));
    raw.CloseHandle();
  }
  EXPECT_TRUE(FailureDescription([&] { engine_.OpenReadOnly(Path(), kPassword); })
                  .contains(QStringLiteral("earlier build's form (L.Price, L.Cost)")));
  conn_ = engine_.Open(Path(), kPassword);
  Exec("INSERT INTO L (ID) VALUES (4)");
  EXPECT_EQ(Rows("SELECT ID, Price, Cost, Price + Cost FROM L ORDER BY ID"),
            QStringList({"1|1552.6|0.1|1552.7", "2|922337203685.4775|\\N|\\N", "3|-0.0001|14|13.9999", "4|0|\\N|\\N"}));
  EXPECT_EQ(Rows("SELECT S FROM VL"), QStringList({"922337205242.0774"}));
  conn_->Close();
  conn_ = engine_.OpenReadOnly(Path(), kPassword);
  EXPECT_EQ(Rows("SELECT Sum(Price) FROM L WHERE Price > 1552.5999"), QStringList({"922337205238.0775"}));
}

// Times that daylight saving skips somewhere (New York 2024-03-10 02:00,
// Tehran 2020-03-21 00:00) read, write and convert as any other time.
TEST_F(ValuesTest, DatesIgnoreTheTimeZone) {
  Exec("CREATE TABLE T (ID LONG, D DATETIME)");
  Exec("INSERT INTO T VALUES (1, #2024-03-10 02:30:00#)");
  Exec("INSERT INTO T VALUES (2, #2020-03-21#)");
  Exec("INSERT INTO T (ID, D) SELECT 3, CDate('2020-03-21 00:15')");
  {
    auto rs = conn_->OpenRecordset("SELECT ID, D FROM T", CursorType::Static, LockType::Optimistic);
    rs->SetValue("D", QDateTime(QDate(2024, 3, 10), QTime(2, 45), Qt::UTC));
    rs->Update();
    rs->Close();
  }
  Exec("INSERT INTO T VALUES (4, #2020-03-21 00:30#)");
  {
    auto rs = conn_->OpenRecordset("SELECT ID, D FROM T WHERE ID = 4", CursorType::Static, LockType::Optimistic);
    rs->SetValue("D", QDate(2020, 3, 21));
    rs->Update();
    rs->Close();
  }
  EXPECT_EQ(Rows("SELECT ID, D, CDbl(D), Format(D, 'yyyy-mm-dd hh:nn') FROM T ORDER BY ID"),
            QStringList({"1|2024-03-10 02:45:00|45361.114583333336|2024-03-10 02:45",
                         "2|2020-03-21 00:00:00|43911|2020-03-21 00:00",
                         "3|2020-03-21 00:15:00|43911.010416666664|2020-03-21 00:15",
                         "4|2020-03-21 00:00:00|43911|2020-03-21 00:00"}));
  EXPECT_EQ(Value("SELECT D FROM T WHERE ID = 1").toDateTime(),
            QDateTime(QDate(2024, 3, 10), QTime(2, 45), Qt::UTC));
  EXPECT_EQ(Rows("SELECT CDbl(DateAdd('n', 30, D)) FROM T WHERE ID = 2"), QStringList({"43911.020833333336"}));
  // Computed dates stay dates.
  EXPECT_EQ(Rows("SELECT #2024-01-02#, DateAdd('h', 1, #2024-03-10 01:30#), D + 1, D - D FROM T WHERE ID = 2"),
            QStringList({"2024-01-02 00:00:00|2024-03-10 02:30:00|2020-03-22 00:00:00|0"}));
  EXPECT_EQ(Rows("SELECT Max(D) FROM T"), QStringList({"2024-03-10 02:45:00"}));
}

}  // namespace
}  // namespace mt::test
