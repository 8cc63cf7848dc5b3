// The log (its lines, rotation, file lookups and waits) and the connection
// layer, which logs every failure it passes on.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "app/globals.h"
#include "app/log.h"
#include "db/query.h"
#include "support/failure_code.h"
#include "support/fake_services.h"
#include "support/real_db.h"

namespace mt {
namespace {

using test::FileBytes;
using test::ScriptedRows;
using test::SpineScope;

// A log line as the fake clock stamps it.
QByteArray Line(const SpineScope& s, const QByteArray& message) {
  return s.clock.now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() + '\t' + message + "\r\n";
}

void Touch(const QString& path, const QDate& day) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(QDateTime(day, QTime(23, 59)), QFileDevice::FileModificationTime));
}

// Timestamp, tab, message, CR LF in UTF-8; unforced lines only once logging
// is on; error lines always, and re-raised when asked.
TEST(WriteLog, WritesStampedUtf8LinesAndErrorLines) {
  SpineScope s;
  WriteLog(QStringLiteral("dropped"));
  LogError(QStringLiteral("modDB.DBGetValue"), -2147217900, QStringLiteral("Syntax error"), 12);
  Globals().LoggingEnabled = true;
  WriteLog(QStringLiteral("데이터베이스\r\n\tSELECT 1"));
  WriteLog(QStringLiteral("bare"), QString(), false, true);
  try {
    LogError(QStringLiteral("modMain.p_CreateView"), 3, QStringLiteral("bad"), 0, true);
    ADD_FAILURE() << "expected a DbError";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), 3);
    EXPECT_EQ(e.description(), QStringLiteral("ERROR: modMain.p_CreateView Line = 0\t3\tbad"));
  }
  EXPECT_EQ(FileBytes(s.folder.LogPath()),
            Line(s, "ERROR: modDB.DBGetValue Line = 12\t-2147217900\tSyntax error") +
                Line(s, QStringLiteral("데이터베이스\r\n\tSELECT 1").toUtf8()) + "bare\r\n" +
                Line(s, "ERROR: modMain.p_CreateView Line = 0\t3\tbad"));
}

// A file last written before the clock's day is renamed with the date of its
// last write (before any extension) and a new one begun; on the same day, or
// when the dated name is taken, writes append.
TEST(WriteLog, RotatesByTheDateOfTheLastWrite) {
  SpineScope s;
  Globals().LoggingEnabled = true;
  WriteLog(QStringLiteral("old day"));
  Touch(s.folder.LogPath(), QDate(2024, 7, 1));
  WriteLog(QStringLiteral("new day"));
  WriteLog(QStringLiteral("same day"));
  const QString rotated = s.folder.File(QStringLiteral("log/marrowtide-dbupgrade_2024-07-01.log"));
  Touch(s.folder.LogPath(), QDate(2024, 7, 1));
  WriteLog(QStringLiteral("name taken"));
  EXPECT_EQ(FileBytes(rotated), Line(s, "old day"));
  EXPECT_EQ(s.folder.LogMessages(), (QStringList{"new day", "same day", "name taken"}));

  // Today is the clock's day, not the real one.
  const QString plain = s.folder.File(QStringLiteral("log/trace"));
  s.clock.now = QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45));
  WriteLog(QStringLiteral("one"), plain);
  Touch(plain, QDate(2024, 7, 3));
  WriteLog(QStringLiteral("two"), plain);
  EXPECT_EQ(FileBytes(s.folder.File(QStringLiteral("log/trace_2024-07-03"))), Line(s, "one"));
  EXPECT_EQ(FileBytes(plain), Line(s, "two"));
}

TEST(FileExists, MatchesPlainFilesAndWildcardsInTheLastComponent) {
  test::ProgramFolder f;
  for (const char* name : {"Marrowtide.mdb", ".hidden.mdb"}) test::WriteFile(f.File(name), "x");
  QDir(f.Path()).mkdir(QStringLiteral("folder.mdb"));
  const struct {
    QString path;
    bool exists;
  } cases[] = {
      {f.File("Marrowtide.mdb"), true}, {f.File(".hidden.mdb"), true}, {f.File("Marrow*.mdb"), true},
      {f.File("Marrowtide.md?"), true}, {QString(), false}, {f.File("missing.mdb"), false},
      {f.File("folder.*"), false},       // matches only a directory
      {f.File("Marrowtide.md"), false},  // no partial match
      {f.Path() + "/*/x", false},        // wildcard outside the last part
      {f.File("[M]arrow*.mdb"), false},  // brackets are literal
  };
  for (const auto& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << c.path.toStdString();
}

TEST(WaitWithEvents, WaitsLongerThanAskedAndRefusesToNest) {
  SpineScope s;
  int nestedProcessed = -1;
  s.ui.onProcessEvents = [&] {
    if (nestedProcessed >= 0) return;
    const int before = s.ui.processed;
    WaitWithEvents(60000, 1000);  // would block for a minute if it nested
    nestedProcessed = s.ui.processed - before;
  };
  WaitWithEvents(20, 2);
  EXPECT_EQ(s.clock.sleeps, std::vector<int>(11, 2));  // more than asked, in steps of the interval
  EXPECT_EQ(nestedProcessed, 0);
  EXPECT_EQ(s.ui.processed, 11);  // events between every two sleeps

  // The guard is cleared afterwards; without an interval the wait only
  // watches the clock (100 ms when 0 asked).
  s.ui.onProcessEvents = [&] { s.clock.monotonic += 30; };
  WaitWithEvents(0, 0);
  EXPECT_EQ(s.ui.processed, 15);
  EXPECT_EQ(s.clock.slept, 22);
}


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
      {QStringLiteral("\"\"a\""), "\"\"\"\"\"a\"\"\""},
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
