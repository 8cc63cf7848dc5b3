#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "app/globals.h"
#include "app/log.h"
#include "db/query.h"
#include "support/failure_code.h"
#include "support/fake_services.h"

namespace mt {
namespace {

using test::ScriptedRows;

class QueryTest : public ::testing::Test {
 protected:
  QueryTest() { Globals().AppName = QStringLiteral("Marrowtide"); }
  QString Log() const { return s.folder.LogText(); }
  test::SpineScope s;
  QString path = s.folder.File(QStringLiteral("Marrowtide.mdb"));
  test::ScriptedDatabase* db = &s.engine.At(path);
};

// The default path, opened once with the database password; a failed open
// is logged and tried again at the next call.
TEST_F(QueryTest, TheSharedConnectionOpensTheDefaultPathOnce) {
  db->openError = DbError(dberr::kOpenFailed, QStringLiteral("Not a valid password."));
  EXPECT_EQ(DBGetConnection(), nullptr);
  EXPECT_EQ(s.folder.LogMessages(),
            QStringList{QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\tNot a valid password.")});
  db->openError.reset();
  Connection* c = DBGetConnection();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(DBGetConnection(QStringLiteral("/elsewhere.mdb")), c);  // existing slot wins
  EXPECT_EQ(s.engine.OpenedPaths(), (std::vector<QString>{path, path}));
  EXPECT_EQ(db->passwords.back(), DatabasePassword());
  ReleaseSharedConnection();
  EXPECT_EQ(SharedConnection(), nullptr);
  EXPECT_EQ(db->closes, 1);
}

// Failures are logged with the statement on the next line and reach the
// caller; without any database the missing connection is logged first.
TEST_F(QueryTest, ExecuteAndOpenRecordsetPassFailuresOn) {
  db->onExecute = [](const QString&) { return 3; };
  int32_t affected = -1;
  EXPECT_TRUE(DBExecute(QStringLiteral("DELETE * FROM TTaskLog"), affected));
  EXPECT_EQ(affected, 3);
  const QString bad = QStringLiteral("UPDATE TNope SET a = 1");
  db->failing.emplace(bad, DbError(dberr::kNotFound, QStringLiteral("Cannot find TNope.")));
  EXPECT_EQ(test::FailureCode([&] { DBExecute(bad, affected); }), dberr::kNotFound);
  EXPECT_EQ(affected, 0);
  EXPECT_TRUE(Log().endsWith(
      QStringLiteral("\tERROR: modDB.DBExecute Line = 0\t-2147217865\tCannot find TNope.\r\nUPDATE TNope SET a = 1\r\n")));

  db->queries[QStringLiteral("SELECT * FROM TCodes")] =
      ScriptedRows{{QStringLiteral("Code")}, {{QStringLiteral("A")}, {QStringLiteral("B")}}};
  const auto open = [](int cursor, int lock) { return DBOpenRecordset(QStringLiteral("SELECT * FROM TCodes"), cursor, lock, -1, 3); };
  EXPECT_EQ(open(ado::adOpenForwardOnly, ado::adLockReadOnly)->RecordCount(), -1);
  EXPECT_EQ(open(ado::adOpenDynamic, ado::adLockOptimistic)->RecordCount(), 2);
  EXPECT_THROW(open(7, 1), DbError);
  EXPECT_EQ(test::FailureCode([] { DBOpenRecordset(QStringLiteral("SELECT * FROM TMissing"), 3, -1, -1, 3); }),
            dberr::kNotFound);
  EXPECT_TRUE(Log().contains(QStringLiteral("ERROR: modDB.DBOpenRecordset Line = 0\t-2147217865\t")));
  EXPECT_TRUE(Log().endsWith(QStringLiteral("SELECT * FROM TMissing\r\n")));

  s.engine.Remove(path);
  ReleaseSharedConnection();
  EXPECT_EQ(open(0, 1), nullptr);
  QFile::remove(s.folder.LogPath());
  EXPECT_THROW(DBExecute(QStringLiteral("DELETE * FROM T"), affected), DbError);
  const QStringList lines = Log().split(QStringLiteral("\r\n"));
  ASSERT_GE(lines.size(), 3);
  EXPECT_TRUE(lines[0].contains(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\t")));
  EXPECT_TRUE(lines[1].contains(QStringLiteral("ERROR: modDB.DBExecute Line = 0\t91\t")));
  EXPECT_EQ(lines[2], QStringLiteral("DELETE * FROM T"));
}

// The first field of the first row (a Null or no row gives the default: the
// run's tests read the version so); a failure is logged with the statement
// after CR LF TAB and gives the default.
TEST_F(QueryTest, GetValueReturnsFirstFieldOrTheDefault) {
  db->queries[QStringLiteral("SELECT Val1 FROM T")] = ScriptedRows{{QStringLiteral("Val1")}, {{"300"}, {"301"}}};
  EXPECT_EQ(DBGetValue(QStringLiteral("SELECT Val1 FROM T"), 1), QVariant("300"));
  EXPECT_TRUE(Log().isEmpty());
  EXPECT_EQ(DBGetValue(QStringLiteral("SELECT Nope FROM TSettings"), 42), QVariant(42));
  EXPECT_TRUE(Log().endsWith(QStringLiteral("\r\n\tSELECT Nope FROM TSettings\r\n")));
  EXPECT_TRUE(Log().contains(QStringLiteral("ERROR: modDB.DBGetValue Line = 0\t-2147217865\t")));
}

TEST(DBQuoteValue, WritesJetLiterals) {
  const std::pair<QVariant, const char*> cases[] = {
      {QVariant(), "NULL"},
      {QString(), "\"\""},
      {QStringLiteral("say \"hi\" it's"), "\"say \"\"hi\"\" it's\""},
      {QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45)), "#2024-07-04 05:38:45#"},
      {qint64(-42), "-42"},
      {1.5, "1.5"},
      {true, "True"},
  };
  for (const auto& [value, literal] : cases) EXPECT_EQ(DBQuoteValue(value), QString::fromLatin1(literal));
}

// An update that touches no row becomes an insert; a failing update tries
// none; each value is encrypted when asked.
TEST_F(QueryTest, SetSettingUpdatesOrInsertsAndEncryptsWhenAsked) {
  db->onExecute = [](const QString& sql) { return sql.startsWith("UPDATE") && !sql.contains("'DBVersion'") ? 0 : 1; };
  EXPECT_TRUE(DBSetSetting(QStringLiteral("DBVersion"), QStringLiteral("301"), QString(), QStringLiteral("a\"b"), false));
  EXPECT_TRUE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QString(), false));
  const QString update =
      QStringLiteral("UPDATE TSettings SET Val1 = \"1\", Val2 = \"\", Val3 = \"\" WHERE ID = 'IsDBEn'");
  EXPECT_EQ(db->executed,
            (std::vector<QString>{
                "UPDATE TSettings SET Val1 = \"301\", Val2 = \"\", Val3 = \"a\"\"b\" WHERE ID = 'DBVersion'", update,
                "INSERT INTO TSettings(ID, Val1, Val2, Val3) VALUES( 'IsDBEn', \"1\", \"\", \"\")"}));

  db->executed.clear();
  db->onExecute = nullptr;  // the insert affects nothing either
  EXPECT_FALSE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QString(), false));
  db->failing.emplace(update, DbError(dberr::kSyntax, QStringLiteral("rejected")));
  EXPECT_FALSE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QString(), false));
  EXPECT_EQ(db->executed.size(), 3u);  // update and insert, then the failing update alone
  db->failing.clear();
  db->onExecute = [](const QString&) { return 1; };
  SetSettingEncryptor([](const QString& v) { return v.isEmpty() ? v : QStringLiteral("E(") + v + QLatin1Char(')'); });
  EXPECT_TRUE(DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QStringLiteral("x"), true));
  SetSettingEncryptor(nullptr);
  EXPECT_EQ(db->executed.back(),
            QStringLiteral("UPDATE TSettings SET Val1 = \"E(1)\", Val2 = \"\", Val3 = \"E(x)\" WHERE ID = 'IsDBEn'"));
}

// Anything but "0" means encrypted; Null and a missing row mean plain.
TEST_F(QueryTest, IsDBEncryptReadsTheMarker) {
  const std::pair<QVariant, bool> cases[] = {
      {"0", false}, {"1", true}, {QString(""), true}, {"00", true}, {QVariant(), false}};
  for (const auto& [marker, encrypted] : cases) {
    db->SetSetting(QStringLiteral("IsDBEn"), marker);
    EXPECT_EQ(IsDBEncrypt(), encrypted) << marker.toString().toStdString();
  }
  db->RemoveSetting(QStringLiteral("IsDBEn"));
  EXPECT_FALSE(IsDBEncrypt());
}

}  // namespace
}  // namespace mt
