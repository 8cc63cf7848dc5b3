#include <gtest/gtest.h>

#include <QDateTime>

#include "app/globals.h"
#include "app/log.h"
#include "db/query.h"
#include "support/fake_services.h"

namespace mt {
namespace {

using test::ScriptedRows;
using test::SpineScope;

class QueryTest : public ::testing::Test {
 protected:
  QueryTest() {
    Globals().AppName = QStringLiteral("Marrowtide");
    path = s.folder.File(QStringLiteral("Marrowtide.mdb"));
    db = &s.engine.At(path);
  }
  SpineScope s;
  QString path;
  test::ScriptedDatabase* db;
};

TEST_F(QueryTest, ConnectionStringHasTheFixedLayout) {
  EXPECT_EQ(BuildConnectionString(QStringLiteral("/a;b/x.mdb"), QStringLiteral("pw;1")),
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/a;b/x.mdb;Persist Security "
                           "Info=False;Jet OLEDB:Database Password=pw;1"));
}

TEST_F(QueryTest, OpensTheDefaultPathOnceWithTheDatabasePassword) {
  Connection* c = DBGetConnection();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(DBGetConnection(QStringLiteral("/elsewhere.mdb")), c);  // existing slot wins
  EXPECT_EQ(SharedConnection(), c);
  EXPECT_EQ(s.engine.OpenedPaths(), std::vector<QString>{path});
  ASSERT_EQ(db->passwords.size(), 1u);
  EXPECT_EQ(db->passwords[0], DatabasePassword());
  EXPECT_EQ(db->passwords[0].size(), 10);

  ReleaseSharedConnection();
  EXPECT_EQ(SharedConnection(), nullptr);
  EXPECT_EQ(db->closes, 1);
  // A path with semicolons travels through the connection string intact.
  const QString odd = s.folder.File(QStringLiteral("a;b.mdb"));
  s.engine.At(odd);
  EXPECT_NE(DBGetConnection(odd), nullptr);
  EXPECT_EQ(s.engine.OpenedPaths().back(), odd);
}

TEST_F(QueryTest, FailedOpenIsLoggedAndReleased) {
  db->openError = DbError(dberr::kOpenFailed, QStringLiteral("Not a valid password."));
  EXPECT_EQ(DBGetConnection(path), nullptr);
  EXPECT_EQ(SharedConnection(), nullptr);
  EXPECT_EQ(s.folder.LogMessages(),
            QStringList{QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\tNot a valid password.")});
  // The next call tries again.
  db->openError.reset();
  EXPECT_NE(DBGetConnection(path), nullptr);
}

TEST_F(QueryTest, ExecuteReportsAffectedRecordsAndPassesFailuresOn) {
  db->onExecute = [](const QString&) { return 3; };
  int32_t affected = -1;
  EXPECT_TRUE(DBExecute(QStringLiteral("DELETE * FROM TTaskLog"), affected));
  EXPECT_EQ(affected, 3);

  const QString bad = QStringLiteral("UPDATE TNope SET a = 1");
  db->failing.emplace(bad, DbError(dberr::kNotFound, QStringLiteral("Cannot find TNope.")));
  affected = 7;
  try {
    DBExecute(bad, affected);
    FAIL() << "expected the failure to reach the caller";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), dberr::kNotFound);
  }
  EXPECT_EQ(affected, 0);
  EXPECT_TRUE(s.folder.LogText().endsWith(
      QStringLiteral("\tERROR: modDB.DBExecute Line = 0\t-2147217865\tCannot find TNope.\r\nUPDATE TNope SET a = 1\r\n")));
}

TEST_F(QueryTest, ExecuteWithoutAnyDatabaseFailsToo) {
  s.engine.Remove(path);
  int32_t affected = 0;
  EXPECT_THROW(DBExecute(QStringLiteral("DELETE * FROM T"), affected), DbError);
  const QStringList lines = s.folder.LogText().split(QStringLiteral("\r\n"));
  ASSERT_GE(lines.size(), 3);
  EXPECT_TRUE(lines[0].contains(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\t")));
  EXPECT_TRUE(lines[1].contains(QStringLiteral("ERROR: modDB.DBExecute Line = 0\t91\t")));
  EXPECT_EQ(lines[2], QStringLiteral("DELETE * FROM T"));
}

TEST_F(QueryTest, OpenRecordsetMapsArgumentsAndPassesFailuresOn) {
  db->queries[QStringLiteral("SELECT * FROM TCodes")] =
      ScriptedRows{{QStringLiteral("Code")}, {{QStringLiteral("A")}, {QStringLiteral("B")}}};
  auto forward = DBOpenRecordset(QStringLiteral("SELECT * FROM TCodes"), ado::adOpenForwardOnly,
                                 ado::adLockReadOnly, ado::adCmdUnspecified, ado::adUseClient);
  ASSERT_NE(forward, nullptr);
  EXPECT_EQ(forward->RecordCount(), -1);  // the fake reports no count for forward-only
  auto dynamic = DBOpenRecordset(QStringLiteral("SELECT * FROM TCodes"), ado::adOpenDynamic,
                                 ado::adLockOptimistic, ado::adCmdUnspecified, ado::adUseClient);
  ASSERT_NE(dynamic, nullptr);
  EXPECT_EQ(dynamic->RecordCount(), 2);

  EXPECT_THROW(DBOpenRecordset(QStringLiteral("SELECT * FROM TCodes"), 7, 1, -1, 3), DbError);
  try {
    DBOpenRecordset(QStringLiteral("SELECT * FROM TMissing"), 3, -1, -1, 3);
    FAIL() << "expected the failure to reach the caller";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), dberr::kNotFound);
  }
  EXPECT_TRUE(s.folder.LogText().contains(QStringLiteral("ERROR: modDB.DBOpenRecordset Line = 0\t-2147217865\t")));
  EXPECT_TRUE(s.folder.LogText().endsWith(QStringLiteral("SELECT * FROM TMissing\r\n")));

  s.engine.Remove(path);
  ReleaseSharedConnection();
  EXPECT_EQ(DBOpenRecordset(QStringLiteral("SELECT * FROM TCodes"), 0, 1, -1, 3), nullptr);
}

TEST_F(QueryTest, GetValueReturnsFirstFieldOrTheDefault) {
  const QString q = QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'X'");
  int32_t rows = -1;
  db->queries[q] = ScriptedRows{{QStringLiteral("Val1")}, {}};
  EXPECT_EQ(DBGetValue(q, 1, &rows), QVariant(1));
  EXPECT_EQ(rows, 0);

  db->queries[q] = ScriptedRows{{QStringLiteral("Val1")}, {{QVariant()}}};
  EXPECT_EQ(DBGetValue(q, QStringLiteral("0"), &rows), QVariant(QStringLiteral("0")));
  EXPECT_EQ(rows, 1);

  db->queries[q] = ScriptedRows{{QStringLiteral("Val1")}, {{QStringLiteral("300")}, {QStringLiteral("301")}}};
  EXPECT_EQ(DBGetValue(q, 1, &rows), QVariant(QStringLiteral("300")));
  EXPECT_EQ(rows, 2);
  EXPECT_TRUE(s.folder.LogText().isEmpty());

  // A failure is logged with the statement after CR LF TAB: the default.
  const QString nope = QStringLiteral("SELECT Nope FROM TSettings");
  EXPECT_EQ(DBGetValue(nope, 42, &rows), QVariant(42));
  EXPECT_EQ(rows, 0);
  EXPECT_TRUE(s.folder.LogText().endsWith(QStringLiteral("\r\n\tSELECT Nope FROM TSettings\r\n")));
  EXPECT_TRUE(s.folder.LogText().contains(QStringLiteral("ERROR: modDB.DBGetValue Line = 0\t-2147217865\t")));
  s.engine.Remove(path);
  ReleaseSharedConnection();
  EXPECT_EQ(DBGetValue(nope, 5), QVariant(5));
}

TEST_F(QueryTest, HasRecordsNeedsAnOpenRecordsetWithRows) {
  db->queries[QStringLiteral("rows")] = ScriptedRows{{QStringLiteral("a")}, {{1}}};
  db->queries[QStringLiteral("none")] = ScriptedRows{{QStringLiteral("a")}, {}};
  EXPECT_FALSE(DBHasRecords(nullptr));
  EXPECT_FALSE(DBHasRecords(DBOpenRecordset(QStringLiteral("none"), 3, 1, -1, 3).get()));
  EXPECT_TRUE(DBHasRecords(DBOpenRecordset(QStringLiteral("rows"), 3, 1, -1, 3).get()));
  EXPECT_TRUE(DBHasRecords(DBOpenRecordset(QStringLiteral("rows"), 0, 1, -1, 3).get()));  // count -1
  auto closed = DBOpenRecordset(QStringLiteral("rows"), 3, 1, -1, 3);
  closed->Close();
  EXPECT_FALSE(DBHasRecords(closed.get()));
}

TEST(DBQuoteValue, WritesJetLiterals) {
  EXPECT_EQ(DBQuoteValue(QVariant()), QStringLiteral("NULL"));
  EXPECT_EQ(DBQuoteValue(QVariant::fromValue(nullptr)), QStringLiteral("NULL"));
  EXPECT_EQ(DBQuoteValue(QString()), QStringLiteral("\"\""));
  EXPECT_EQ(DBQuoteValue(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
  EXPECT_EQ(DBQuoteValue(QStringLiteral("it's")), QStringLiteral("\"it's\""));
  EXPECT_EQ(DBQuoteValue(QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45))), QStringLiteral("#2024-07-04 05:38:45#"));
  EXPECT_EQ(DBQuoteValue(qint64(-42)), QStringLiteral("-42"));
  EXPECT_EQ(DBQuoteValue(1.5), QStringLiteral("1.5"));
  EXPECT_EQ(DBQuoteValue(true), QStringLiteral("True"));
}

TEST_F(QueryTest, SetSettingUpdatesOrInsertsAndEncryptsWhenAsked) {
  // Only the DBVersion row exists: updating any other id affects nothing.
  db->onExecute = [](const QString& sql) { return sql.startsWith("UPDATE") && !sql.contains("'DBVersion'") ? 0 : 1; };

  EXPECT_TRUE(DBSetSetting(QStringLiteral("DBVersion"), QStringLiteral("301"), QString(), QStringLiteral("a\"b"), false));
  ASSERT_EQ(db->executed.size(), 1u);
  EXPECT_EQ(db->executed[0],
            QStringLiteral("UPDATE TSettings SET Val1 = \"301\", Val2 = \"\", Val3 = \"a\"\"b\" WHERE ID = 'DBVersion'"));

  EXPECT_TRUE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QString(), false));
  ASSERT_EQ(db->executed.size(), 3u);
  EXPECT_EQ(db->executed[2],
            QStringLiteral("INSERT INTO TSettings(ID, Val1, Val2, Val3) VALUES( 'IsDBEn', \"1\", \"\", \"\")"));

  // A failing update tries no insert; an insert that affects nothing gives false.
  db->executed.clear();
  db->onExecute = nullptr;
  const QString update =
      QStringLiteral("UPDATE TSettings SET Val1 = \"1\", Val2 = \"\", Val3 = \"\" WHERE ID = 'IsDBEn'");
  db->failing.emplace(update, DbError(dberr::kSyntax, QStringLiteral("rejected")));
  EXPECT_FALSE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QString(), false));
  EXPECT_EQ(db->executed, std::vector<QString>{update});
  EXPECT_TRUE(s.folder.LogText().contains(QStringLiteral("ERROR: modDB.DBExecute Line = 0\t-2147217900\trejected\r\n")));

  db->failing.clear();
  db->executed.clear();
  EXPECT_FALSE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QString(), false));
  EXPECT_EQ(db->executed.size(), 2u);

  // Each value is encrypted when asked.
  SetSettingEncryptor([](const QString& v) { return v.isEmpty() ? v : QStringLiteral("E(") + v + QLatin1Char(')'); });
  db->onExecute = [](const QString&) { return 1; };
  db->executed.clear();
  EXPECT_TRUE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QStringLiteral("x"), true));
  SetSettingEncryptor(nullptr);
  EXPECT_EQ(db->executed.at(0),
            QStringLiteral("UPDATE TSettings SET Val1 = \"E(1)\", Val2 = \"\", Val3 = \"E(x)\" WHERE ID = 'IsDBEn'"));
}

TEST_F(QueryTest, IsDBEncryptReadsTheMarker) {
  Globals().LoggingEnabled = true;
  const auto answer = [&](const QVariant& v) {
    db->SetSetting(QStringLiteral("IsDBEn"), v);
    return IsDBEncrypt();
  };
  EXPECT_FALSE(answer(QStringLiteral("0")));
  EXPECT_TRUE(answer(QStringLiteral("1")));
  EXPECT_TRUE(answer(QString()));        // empty text is not "0"
  EXPECT_TRUE(answer(QStringLiteral("00")));
  EXPECT_FALSE(answer(QVariant()));      // Null counts as "0"
  db->RemoveSetting(QStringLiteral("IsDBEn"));
  EXPECT_FALSE(IsDBEncrypt());           // missing row (the fake answers "not found": logged)
  const QStringList messages = s.folder.LogMessages();
  EXPECT_EQ(messages.count(QStringLiteral("modDB.IsDBEncrypt Start")), 6);
  EXPECT_EQ(messages.count(QStringLiteral("modDB.IsDBEncrypt End")), 6);
}

}  // namespace
}  // namespace mt
