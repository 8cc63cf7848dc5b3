// ALTER TABLE in all its forms. Most go through the table rebuild, which must
// keep rows, keys, defaults, Jet types, column order and descriptions, and
// must leave everything as it was when it fails.
#include <QDateTime>

#include "engine_fixture.h"

namespace mt::test {
namespace {

class AlterTest : public EngineTest {
 protected:
  // TUsers: an AUTOINCREMENT key, a unique name, a Yes/No column, a text
  // column with digits, a description, three rows and a deleted fourth (so a
  // reused counter would show).
  void CreateUsers() {
    Exec(QStringLiteral(
        "CREATE TABLE TUsers (IDX AUTOINCREMENT, UserId TEXT(50) WITH COMPRESSION NOT NULL, "
        "Code TEXT(20) DEFAULT \"\", IsEnabled BIT NOT NULL DEFAULT True, Visits LONG DEFAULT 0, "
        "Joined TEXT(30), CONSTRAINT PrimaryKey PRIMARY KEY (IDX), CONSTRAINT UUserId UNIQUE (UserId))"));
    Exec("INSERT INTO TUsers (UserId, Code, Visits, Joined) VALUES ('kim', '007', 3, '2024-07-04')");
    Exec("INSERT INTO TUsers (UserId, Code, Visits, Joined) VALUES ('lee', '12', 0, '2023-01-31 10:00:00')");
    Exec("INSERT INTO TUsers (UserId, IsEnabled, Visits) VALUES ('park', False, 8)");
    Exec("INSERT INTO TUsers (UserId) VALUES ('gone')");
    Exec("DELETE FROM TUsers WHERE UserId = 'gone'");
    conn_->GetCatalog().SetColumnDescription("TUsers", "UserId", "로그인 아이디");
  }

  QStringList Users() { return Rows("SELECT * FROM TUsers ORDER BY IDX"); }

  // What a statement must not change when it fails.
  void ExpectRejectedUnchanged(const QString& statement) {
    const QStringList schema = engine::ListSchema(*conn_);
    const QStringList rows = Users();
    EXPECT_NE(ErrorOf([&] { Exec(statement); }), 0) << statement.toStdString();
    EXPECT_EQ(engine::ListSchema(*conn_), schema) << statement.toStdString();
    EXPECT_EQ(Users(), rows) << statement.toStdString();
  }
};

// Added columns, with and without the word COLUMN, take their default (Now()
// included) or, NOT NULL without one, the type's empty value in the rows there.
TEST_F(AlterTest, AddColumnFillsExistingRows) {
  Exec("CREATE TABLE TEmpty (A LONG)");
  Exec("ALTER TABLE TEmpty ADD COLUMN B TEXT(10) NOT NULL");
  EXPECT_EQ(ErrorOf([&] { Exec("INSERT INTO TEmpty (A) VALUES (1)"); }), dberr::kConstraint);
  CreateUsers();
  const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
  for (const char* column : {"COLUMN Score FLOAT NOT NULL DEFAULT 0", "Memo2 MEMO WITH COMPRESSION",
                             "COLUMN Verified BIT DEFAULT False", "COLUMN Rank LONG NOT NULL",
                             "COLUMN Nick TEXT(10) NOT NULL", "COLUMN CreateDate DATETIME DEFAULT Now()"})
    Exec(QStringLiteral("ALTER TABLE TUsers ADD ") + column);
  EXPECT_EQ(Rows("SELECT UserId, Score, Memo2, Verified, Rank, Nick FROM TUsers ORDER BY IDX"),
            (QStringList{"kim|0|\\N|False|0|", "lee|0|\\N|False|0|", "park|0|\\N|False|0|"}));
  for (const QString& line : {"column\tTUsers\tScore\tFLOAT\tNOT NULL\t0", "column\tTUsers\tMemo2\tMEMO\t\t",
                              "column\tTUsers\tRank\tLONG\tNOT NULL\t", "column\tTUsers\tCreateDate\tDATETIME\t\tNow()"})
    EXPECT_TRUE(SchemaOf("TUsers").contains(line)) << line.toStdString();
  // A Yes/No column added later normalises what is written to it as well;
  // a new row continues the counter after the deleted row's number.
  Exec("UPDATE TUsers SET Verified = 1 WHERE UserId = 'kim'");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TUsers WHERE Verified = -1").toLongLong(), 1);
  Exec("INSERT INTO TUsers (UserId, Rank, Nick) VALUES ('new', 1, 'n')");
  EXPECT_EQ(Value("SELECT IDX FROM TUsers WHERE UserId = 'new'").toLongLong(), 5);
  auto rs = conn_->OpenRecordset("SELECT CreateDate FROM TUsers", CursorType::Static, LockType::ReadOnly);
  ASSERT_EQ(rs->RecordCount(), 4);
  for (; !rs->Eof(); rs->MoveNext()) {
    const QDateTime d = rs->Value(0).toDateTime();
    EXPECT_TRUE(d >= before && d <= QDateTime::currentDateTime().addSecs(2));
  }
  // The same column twice is refused (scripts rely on that failure).
  ExpectRejectedUnchanged("ALTER TABLE TUsers ADD COLUMN score LONG");
}

TEST_F(AlterTest, DropColumnKeepsRowsKeysCounterAndDescriptions) {
  CreateUsers();
  Exec("ALTER TABLE TUsers DROP COLUMN Joined");
  EXPECT_EQ(Users(), (QStringList{"1|kim|007|True|3", "2|lee|12|True|0", "3|park||False|8"}));
  EXPECT_EQ(SchemaOf("TUsers"), (QStringList{
                                    "table\tTUsers",
                                    "column\tTUsers\tIDX\tAUTOINCREMENT\t\t",
                                    "column\tTUsers\tUserId\tTEXT(50)\tNOT NULL\t",
                                    "column\tTUsers\tCode\tTEXT(20)\t\t\"\"",
                                    "column\tTUsers\tIsEnabled\tBIT\tNOT NULL\tTrue",
                                    "column\tTUsers\tVisits\tLONG\t\t0",
                                    "key\tTUsers\tPrimaryKey\tPRIMARY\tIDX",
                                    "key\tTUsers\tUUserId\tUNIQUE\tUserId",
                                    "description\tTUsers\tUserId\t로그인 아이디",
                                }));
  // Keys, defaults, Yes/No handling and the counter still work after the rebuild.
  EXPECT_EQ(ErrorOf([&] { Exec("INSERT INTO TUsers (UserId) VALUES ('kim')"); }), dberr::kConstraint);
  Exec("INSERT INTO TUsers (UserId, IsEnabled) VALUES ('choi', 1)");
  EXPECT_EQ(Rows("SELECT IDX, Code, IsEnabled, Visits FROM TUsers WHERE UserId = 'choi'"),
            QStringList{"5||True|0"});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TUsers WHERE IsEnabled = -1").toLongLong(), 3);
}

TEST_F(AlterTest, RefusedDropsAndConversionsChangeNothing) {
  CreateUsers();
  Exec("UPDATE TUsers SET Visits = 300 WHERE UserId = 'park'");
  ExpectRejectedUnchanged("ALTER TABLE TUsers ALTER COLUMN UserId LONG");
  ExpectRejectedUnchanged("ALTER TABLE TUsers ALTER COLUMN Joined TEXT(30) NOT NULL");
  ExpectRejectedUnchanged("ALTER TABLE TUsers ALTER COLUMN Visits BYTE");
  ExpectRejectedUnchanged("ALTER TABLE TUsers DROP COLUMN NoSuchColumn");
  ExpectRejectedUnchanged("ALTER TABLE TUsers DROP COLUMN UserId");
  ExpectRejectedUnchanged("ALTER TABLE TNoSuchTable DROP COLUMN UserId");
  // Once the key is gone the column can go.
  Exec("ALTER TABLE TUsers DROP CONSTRAINT UUserId");
  Exec("ALTER TABLE TUsers DROP COLUMN UserId");
  EXPECT_FALSE(conn_->GetCatalog().HasColumn("TUsers", "UserId"));
}

TEST_F(AlterTest, AlterColumnConvertsValues) {
  CreateUsers();
  Exec("ALTER TABLE TUsers ALTER COLUMN Code MEMO WITH COMPRESSION");
  Exec("ALTER TABLE TUsers ALTER COLUMN Joined DATETIME");
  Exec("ALTER TABLE TUsers ALTER COLUMN Visits TEXT(10)");
  EXPECT_EQ(Rows("SELECT Code, Joined, Visits FROM TUsers ORDER BY IDX"),
            (QStringList{"007|2024-07-04 00:00:00|3", "12|2023-01-31 10:00:00|0", "|\\N|8"}));
  EXPECT_EQ(Value("SELECT Visits FROM TUsers WHERE IDX = 1"), QVariant("3"));  // text now, not a number

  Exec("ALTER TABLE TUsers ALTER COLUMN Code LONG");
  EXPECT_EQ(Rows("SELECT Code FROM TUsers ORDER BY IDX"), (QStringList{"7", "12", "\\N"}));
  QStringList schema = SchemaOf("TUsers");
  // No DEFAULT in the statement: the old default stays.
  EXPECT_TRUE(schema.contains("column\tTUsers\tCode\tLONG\t\t\"\"")) << schema.join('\n').toStdString();
  EXPECT_TRUE(schema.contains("column\tTUsers\tJoined\tDATETIME\t\t"));
  EXPECT_TRUE(schema.contains("description\tTUsers\tUserId\t로그인 아이디"));
}

TEST_F(AlterTest, ReplacingThePrimaryKey) {
  Exec(
      QStringLiteral("CREATE TABLE TTaskLogDay (IDX AUTOINCREMENT, TaskIDX LONG, LogDate DATETIME, "
                     "ActionType LONG DEFAULT 0, Cnt LONG, CONSTRAINT PrimaryKey PRIMARY KEY (IDX))"));
  Exec("INSERT INTO TTaskLogDay (TaskIDX, LogDate, ActionType, Cnt) VALUES (1, #2024-07-04#, 0, 10)");
  Exec("INSERT INTO TTaskLogDay (TaskIDX, LogDate, ActionType, Cnt) VALUES (1, #2024-07-04#, 0, 11)");
  Exec("INSERT INTO TTaskLogDay (TaskIDX, LogDate, ActionType, Cnt) VALUES (1, #2024-07-05#, 0, 12)");

  Exec("ALTER TABLE TTaskLogDay DROP CONSTRAINT PrimaryKey");
  const QString addKey = QStringLiteral(
      "ALTER TABLE TTaskLogDay ADD CONSTRAINT PrimaryKey PRIMARY KEY (TaskIDX, LogDate, ActionType)");
  // Two rows share the new key: refused, and nothing changes.
  const QStringList schema = SchemaOf("TTaskLogDay");
  EXPECT_EQ(ErrorOf([&] { Exec(addKey); }), dberr::kConstraint);
  EXPECT_EQ(SchemaOf("TTaskLogDay"), schema);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM TTaskLogDay").toLongLong(), 3);

  Exec("DELETE FROM TTaskLogDay WHERE Cnt = 11");
  Exec(addKey);
  EXPECT_TRUE(
      SchemaOf("TTaskLogDay").contains("key\tTTaskLogDay\tPrimaryKey\tPRIMARY\tTaskIDX,LogDate,ActionType"));
  EXPECT_EQ(
      ErrorOf([&] { Exec("INSERT INTO TTaskLogDay (TaskIDX, LogDate, Cnt) VALUES (1, #2024-07-05#, 1)"); }),
      dberr::kConstraint);
  // A second primary key is refused; the AUTOINCREMENT column still counts on.
  EXPECT_NE(ErrorOf([&] { Exec("ALTER TABLE TTaskLogDay ADD CONSTRAINT PK2 PRIMARY KEY (Cnt)"); }), 0);
  Exec("INSERT INTO TTaskLogDay (TaskIDX, LogDate, Cnt) VALUES (2, #2024-07-05#, 1)");
  EXPECT_EQ(Value("SELECT MAX(IDX) FROM TTaskLogDay").toLongLong(), 4);
  EXPECT_NE(ErrorOf([&] { Exec("ALTER TABLE TTaskLogDay DROP CONSTRAINT NoSuchKey"); }), 0);
}

TEST_F(AlterTest, DropTable) {
  CreateUsers();
  Exec("DROP TABLE TUsers");
  EXPECT_FALSE(conn_->GetCatalog().HasTable("TUsers"));
  EXPECT_TRUE(SchemaOf("TUsers").isEmpty());
  EXPECT_EQ(ErrorOf([&] { Exec("DROP TABLE TUsers"); }), dberr::kNotFound);
  // The name is free again, without the old columns or descriptions.
  Exec("CREATE TABLE TUsers (UserId TEXT(50))");
  EXPECT_EQ(SchemaOf("TUsers"), (QStringList{"table\tTUsers", "column\tTUsers\tUserId\tTEXT(50)\t\t"}));
}

}  // namespace
}  // namespace mt::test
