// The catalogue operations: named queries in one name space, lookups that
// answer "absent", table and column renames, column descriptions.
#include "engine_fixture.h"

namespace mt::test {
namespace {

class CatalogTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Exec(QStringLiteral(
        "CREATE TABLE TIPKinds (IPKind LONG NOT NULL, IPKindName TEXT(50) WITH COMPRESSION NOT NULL, "
        "ExchangeCookiePortion INT NOT NULL DEFAULT 0, IsOn BIT DEFAULT False, "
        "CONSTRAINT PrimaryKey PRIMARY KEY (IPKind), CONSTRAINT IPKindName UNIQUE (IPKindName))"));
    Exec(QStringLiteral("INSERT INTO TIPKinds (IPKind, IPKindName, ExchangeCookiePortion) VALUES (1, 'home', 30)"));
    Exec(QStringLiteral("INSERT INTO TIPKinds (IPKind, IPKindName) VALUES (2, 'office')"));
  }
  Catalog& Cat() { return conn_->GetCatalog(); }
  QStringList QueryLines() {
    QStringList out;
    for (const QString& line : engine::ListSchema(*conn_))
      if (line.startsWith(QLatin1String("view\t")) || line.startsWith(QLatin1String("procedure\t")))
        out << line;
    return out;
  }
};

TEST_F(CatalogTest, ViewsAndProceduresShareOneNameSpace) {
  Cat().AppendProcedure(QStringLiteral("PSumLogByHour"),
                        QStringLiteral("SELECT IPKind FROM TIPKinds WHERE IPKind = [lTaskIDX]"));
  EXPECT_TRUE(Cat().HasProcedure(QStringLiteral("psumlogbyhour")));
  EXPECT_FALSE(Cat().HasView(QStringLiteral("PSumLogByHour")));
  // The name is taken, whatever the kind: the caller deletes first.
  EXPECT_NE(ErrorOf([&] { Cat().AppendView(QStringLiteral("PSumLogByHour"), QStringLiteral("SELECT 1")); }), 0);
  EXPECT_NE(ErrorOf([&] { Cat().AppendView(QStringLiteral("TIPKinds"), QStringLiteral("SELECT 1")); }), 0);
  EXPECT_EQ(ErrorOf([&] { Cat().DeleteView(QStringLiteral("PSumLogByHour")); }), dberr::kNotFound);
  Cat().DeleteProcedure(QStringLiteral("PSumLogByHour"));
  Cat().AppendView(QStringLiteral("PSumLogByHour"), QStringLiteral("SELECT IPKind, IPKindName FROM TIPKinds"));
  EXPECT_TRUE(Cat().HasView(QStringLiteral("PSumLogByHour")));
  EXPECT_FALSE(Cat().HasProcedure(QStringLiteral("PSumLogByHour")));
  Cat().AppendProcedure(QStringLiteral("PAnother"), QStringLiteral("SELECT * FROM TIPKinds"));
  EXPECT_EQ(QueryLines(), (QStringList{"procedure\tPAnother", "view\tPSumLogByHour"}));
  // Queries are not tables.
  EXPECT_FALSE(Cat().HasTable(QStringLiteral("PSumLogByHour")));
}

TEST_F(CatalogTest, ASimpleViewCanBeQueriedAParameterisedOneIsKeptAsText) {
  Cat().AppendView(QStringLiteral("VOn"),
                   QStringLiteral("SELECT IPKind, IPKindName FROM TIPKinds WHERE IsOn = False"));
  EXPECT_EQ(Rows(QStringLiteral("SELECT IPKindName FROM VOn ORDER BY IPKind")), (QStringList{"home", "office"}));
  Cat().AppendView(QStringLiteral("VByName"),
                   QStringLiteral("SELECT IPKind FROM TIPKinds WHERE IPKindName = [PCodeString]"));
  EXPECT_TRUE(Cat().HasView(QStringLiteral("VByName")));
  // A rebuild of the table underneath keeps the view working.
  Exec(QStringLiteral("ALTER TABLE TIPKinds ADD COLUMN Extra LONG DEFAULT 0"));
  Exec(QStringLiteral("ALTER TABLE TIPKinds DROP COLUMN Extra"));
  EXPECT_EQ(Rows(QStringLiteral("SELECT COUNT(*) FROM VOn")), QStringList{"2"});
  Cat().DeleteView(QStringLiteral("VOn"));
  EXPECT_FALSE(Cat().HasView(QStringLiteral("VOn")));
  EXPECT_NE(ErrorOf([&] { Rows(QStringLiteral("SELECT * FROM VOn")); }), 0);
}

TEST_F(CatalogTest, DropProcedureStatementRemovesANamedQuery) {
  Cat().AppendProcedure(QStringLiteral("PSumLogByDay"),
                        QStringLiteral("SELECT * FROM TIPKinds WHERE IPKind = [lTaskIDX]"));
  Exec(QStringLiteral("DROP PROCEDURE PSumLogByDay"));
  EXPECT_FALSE(Cat().HasProcedure(QStringLiteral("PSumLogByDay")));
  EXPECT_NE(ErrorOf([&] { Exec(QStringLiteral("DROP PROCEDURE PSumLogByDay")); }), 0);
}

TEST_F(CatalogTest, UnknownNamesAreAbsent) {
  EXPECT_FALSE(Cat().HasTable(QStringLiteral("TNone")));
  EXPECT_FALSE(Cat().HasColumn(QStringLiteral("TNone"), QStringLiteral("IPKind")));
  EXPECT_FALSE(Cat().HasColumn(QStringLiteral("TIPKinds"), QStringLiteral("None")));
  EXPECT_FALSE(Cat().HasView(QStringLiteral("VNone")));
  EXPECT_FALSE(Cat().HasProcedure(QStringLiteral("PNone")));
  EXPECT_FALSE(Cat().HasTable(QString()));
  // The engine's own tables are no user tables.
  EXPECT_FALSE(Cat().HasTable(QStringLiteral("_mt_columns")));
  EXPECT_TRUE(Cat().HasTable(QStringLiteral("tipkinds")));
  EXPECT_TRUE(Cat().HasColumn(QStringLiteral("TIPKINDS"), QStringLiteral("ipkindname")));
  for (const QString& line : engine::ListSchema(*conn_)) EXPECT_FALSE(line.contains(QLatin1String("_mt_")));
}

TEST_F(CatalogTest, RenameTableCarriesEverythingAlong) {
  Cat().SetColumnDescription(QStringLiteral("TIPKinds"), QStringLiteral("IPKindName"), QStringLiteral("이름"));
  Cat().AppendView(QStringLiteral("VKinds"), QStringLiteral("SELECT IPKindName FROM TIPKinds"));
  const QStringList before = SchemaOf(QStringLiteral("TIPKinds"));
  Cat().RenameTable(QStringLiteral("TIPKinds"), QStringLiteral("TIPKinds2"));
  EXPECT_FALSE(Cat().HasTable(QStringLiteral("TIPKinds")));
  EXPECT_TRUE(Cat().HasTable(QStringLiteral("TIPKinds2")));
  QStringList expected = before;
  for (QString& line : expected) line.replace(QStringLiteral("\tTIPKinds\t"), QStringLiteral("\tTIPKinds2\t"));
  expected[0] = QStringLiteral("table\tTIPKinds2");
  EXPECT_EQ(SchemaOf(QStringLiteral("TIPKinds2")), expected);
  EXPECT_EQ(Rows(QStringLiteral("SELECT IPKind, IPKindName FROM TIPKinds2 ORDER BY IPKind")),
            (QStringList{"1|home", "2|office"}));
  // Keys and Yes/No handling moved with the table.
  EXPECT_EQ(ErrorOf([&] { Exec(QStringLiteral("INSERT INTO TIPKinds2 (IPKind, IPKindName) VALUES (1, 'x')")); }),
            dberr::kConstraint);
  Exec(QStringLiteral("INSERT INTO TIPKinds2 (IPKind, IPKindName, IsOn) VALUES (3, 'x', 1)"));
  EXPECT_EQ(Value(QStringLiteral("SELECT COUNT(*) FROM TIPKinds2 WHERE IsOn = -1")).toLongLong(), 1);

  EXPECT_EQ(ErrorOf([&] { Cat().RenameTable(QStringLiteral("TIPKinds"), QStringLiteral("TX")); }),
            dberr::kNotFound);
  Exec(QStringLiteral("CREATE TABLE TOther (A LONG)"));
  EXPECT_NE(ErrorOf([&] { Cat().RenameTable(QStringLiteral("TOther"), QStringLiteral("tipkinds2")); }), 0);
  EXPECT_NE(ErrorOf([&] { Cat().RenameTable(QStringLiteral("TOther"), QStringLiteral("VKinds")); }), 0);
  EXPECT_TRUE(Cat().HasTable(QStringLiteral("TOther")));
  // Only the case changes.
  Cat().RenameTable(QStringLiteral("TOther"), QStringLiteral("TOTHER"));
  EXPECT_EQ(SchemaOf(QStringLiteral("TOTHER")).value(0), QStringLiteral("table\tTOTHER"));
}

TEST_F(CatalogTest, RenameColumnKeepsDataKeyAndDescription) {
  Cat().SetColumnDescription(QStringLiteral("TIPKinds"), QStringLiteral("ExchangeCookiePortion"),
                             QStringLiteral("교환 비율"));
  Cat().SetColumnDescription(QStringLiteral("TIPKinds"), QStringLiteral("IPKindName"), QStringLiteral("이름"));
  Cat().RenameColumn(QStringLiteral("TIPKinds"), QStringLiteral("ExchangeCookiePortion"),
                     QStringLiteral("ExchangePortion"));
  Cat().RenameColumn(QStringLiteral("tipkinds"), QStringLiteral("ipkindname"), QStringLiteral("KindName"));
  EXPECT_EQ(SchemaOf(QStringLiteral("TIPKinds")),
            (QStringList{
                "table\tTIPKinds",
                "column\tTIPKinds\tIPKind\tLONG\tNOT NULL\t",
                "column\tTIPKinds\tKindName\tTEXT(50)\tNOT NULL\t",
                "column\tTIPKinds\tExchangePortion\tLONG\tNOT NULL\t0",
                "column\tTIPKinds\tIsOn\tBIT\t\tFalse",
                "key\tTIPKinds\tPrimaryKey\tPRIMARY\tIPKind",
                "key\tTIPKinds\tIPKindName\tUNIQUE\tKindName",
                "description\tTIPKinds\tKindName\t이름",
                "description\tTIPKinds\tExchangePortion\t교환 비율",
            }));
  EXPECT_EQ(Rows(QStringLiteral("SELECT KindName, ExchangePortion FROM TIPKinds ORDER BY IPKind")),
            (QStringList{"home|30", "office|0"}));
  EXPECT_EQ(ErrorOf([&] { Exec(QStringLiteral("INSERT INTO TIPKinds (IPKind, KindName) VALUES (9, 'home')")); }),
            dberr::kConstraint);

  EXPECT_EQ(ErrorOf([&] {
              Cat().RenameColumn(QStringLiteral("TIPKinds"), QStringLiteral("ExchangeCookiePortion"),
                                 QStringLiteral("X"));
            }),
            dberr::kNotFound);
  EXPECT_NE(ErrorOf([&] {
              Cat().RenameColumn(QStringLiteral("TIPKinds"), QStringLiteral("IsOn"), QStringLiteral("kindname"));
            }),
            0);
  EXPECT_EQ(ErrorOf([&] {
              Cat().RenameColumn(QStringLiteral("TNone"), QStringLiteral("A"), QStringLiteral("B"));
            }),
            dberr::kNotFound);
}

TEST_F(CatalogTest, DescriptionsAreStoredEscapedAndReplaced) {
  Cat().SetColumnDescription(QStringLiteral("TIPKinds"), QStringLiteral("IPKind"),
                             QStringLiteral("UA용도 0:ahen, 1:작업, 2:공댓공"));
  Cat().SetColumnDescription(QStringLiteral("TIPKinds"), QStringLiteral("IsOn"),
                             QStringLiteral("tab\there \\ \"q\""));
  Cat().SetColumnDescription(QStringLiteral("TIPKinds"), QStringLiteral("ipkind"), QStringLiteral("일련번호"));
  QStringList lines = SchemaOf(QStringLiteral("TIPKinds"));
  EXPECT_TRUE(lines.contains("description\tTIPKinds\tIPKind\t일련번호"));
  EXPECT_TRUE(lines.contains("description\tTIPKinds\tIsOn\ttab\\there \\\\ \"q\""));
  EXPECT_EQ(ErrorOf([&] {
              Cat().SetColumnDescription(QStringLiteral("TIPKinds"), QStringLiteral("NoSuch"), QStringLiteral("x"));
            }),
            dberr::kNotFound);
  EXPECT_EQ(ErrorOf([&] {
              Cat().SetColumnDescription(QStringLiteral("TNone"), QStringLiteral("A"), QStringLiteral("x"));
            }),
            dberr::kNotFound);
  // Descriptions are stored in the file.
  conn_->Close();
  conn_ = engine_.Open(Path(), kPassword);
  EXPECT_TRUE(SchemaOf(QStringLiteral("TIPKinds")).contains("description\tTIPKinds\tIPKind\t일련번호"));
}

}  // namespace
}  // namespace mt::test
