// Log pruning, compaction and the compaction stamp, on real database files.
#include "db/maintenance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "app/globals.h"
#include "db/query.h"
#include "support/fake_services.h"
#include "support/real_db.h"

namespace mt {
namespace {

struct LogTable {
  const char* name;
  QDateTime oldRow, recentRow;  // just past and just inside the age limit
};

std::vector<LogTable> LogTables() {
  const QDateTime now = QDateTime::currentDateTime();
  return {
      {"TTaskLog", now.addDays(-4), now.addDays(-2)},
      {"TTaskLogHour", now.addMonths(-1).addDays(-1), now.addMonths(-1).addDays(1)},
      {"TTaskLogDay", now.addMonths(-3).addDays(-1), now.addMonths(-3).addDays(1)},
      {"TTaskLogInterval", now.addDays(-11), now.addDays(-9)},
      {"TTaskStatistics", now.addDays(-4), now.addDays(-2)},
  };
}

QString Literal(const QDateTime& t) {
  return QLatin1Char('#') + t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('#');
}

// The five log tables with one old and one recent row each, and bulk old
// rows in TTaskLog so that compaction has something to give back.
QStringList LogSchema(const QStringList& leaveOut = {}) {
  QStringList sql;
  for (const LogTable& t : LogTables()) {
    const QString name = QString::fromLatin1(t.name);
    if (leaveOut.contains(name)) continue;
    sql << QStringLiteral("CREATE TABLE %1 (IDX AUTOINCREMENT, Tag TEXT(20), Body MEMO, LogDate DATETIME)").arg(name)
        << QStringLiteral("INSERT INTO %1 (Tag, LogDate) VALUES ('old', %2)").arg(name, Literal(t.oldRow))
        << QStringLiteral("INSERT INTO %1 (Tag, LogDate) VALUES ('recent', %2)").arg(name, Literal(t.recentRow));
  }
  const QString body(600, QLatin1Char('x'));
  for (int i = 0; i < 1500; ++i)
    sql << QStringLiteral("INSERT INTO TTaskLog (Tag, Body, LogDate) VALUES ('old', '%1', %2)")
               .arg(body, Literal(LogTables()[0].oldRow));
  return sql;
}

class Maintenance : public ::testing::Test {
 protected:
  QString Db() const { return Globals().DBPath; }
  QString File(const char* name) const { return run_.folder.File(QString::fromLatin1(name)); }
  QStringList Tags(const char* table) const {
    return test::Texts(Db(), QStringLiteral("SELECT DISTINCT Tag FROM %1 ORDER BY Tag").arg(QString::fromLatin1(table)));
  }

  test::RealFilesScope run_;
};

// A prune that fails (here at a missing table) stops before compaction and
// stamp; once it can run, old rows go, the file is compacted through tmp.mdb
// and the stamp is written.
TEST_F(Maintenance, PrunesOldLogRowsCompactsThroughTmpAndStamps) {
  test::CreateDatabase(Db(), LogSchema({QStringLiteral("TTaskLogDay")}));
  test::WriteFile(File("tmp.mdb"), "left over by an aborted run");
  // Sections and keys in any case and spacing; only the first key of the
  // section changes, line ends and all else stay.
  const QByteArray ini =
      "; written by the product\r\nCompactDBDate=global\r\n[Main]\r\nCompactDBDate=not this one\r\n"
      "  [ update ]  \r\nServer = a=b \r\n  compactdbdate  = 2020-01-01 00:00:00\r\nCompactDBDate=second\r\n"
      "\n[Tail]\nx=1";
  test::WriteFile(File("autoup.ini"), ini);
  const qint64 sizeBefore = QFileInfo(Db()).size();
  ASSERT_NE(DBGetConnection(Db()), nullptr);  // the run holds it open
  p_CompactDB();
  ReleaseSharedConnection();
  EXPECT_EQ(Tags("TTaskLog"), QStringList{"recent"});
  EXPECT_EQ(Tags("TTaskLogHour"), QStringList{"recent"});
  EXPECT_EQ(Tags("TTaskLogInterval"), (QStringList{"old", "recent"}));
  EXPECT_EQ(run_.folder.ErrorLines(QStringLiteral("modMain.p_CompactDB")), 1);
  EXPECT_EQ(test::FileBytes(File("tmp.mdb")), QByteArray("left over by an aborted run"));
  EXPECT_EQ(test::FileBytes(File("autoup.ini")), ini);
  EXPECT_EQ(run_.folder.LogMessages().last(), QStringLiteral("modMain.p_CompactDB End "));

  QFile::remove(run_.folder.LogPath());
  const LogTable day = LogTables()[2];
  test::ExecuteOn(Db(), {QStringLiteral("CREATE TABLE TTaskLogDay (IDX AUTOINCREMENT, Tag TEXT(20), LogDate DATETIME)"),
                         QStringLiteral("INSERT INTO TTaskLogDay (Tag, LogDate) VALUES ('old', %1)").arg(Literal(day.oldRow)),
                         QStringLiteral("INSERT INTO TTaskLogDay (Tag, LogDate) VALUES ('recent', %1)")
                             .arg(Literal(day.recentRow))});
  ASSERT_NE(DBGetConnection(Db()), nullptr);
  p_CompactDB();

  for (const LogTable& t : LogTables()) EXPECT_EQ(Tags(t.name), QStringList{"recent"}) << t.name;
  EXPECT_LT(QFileInfo(Db()).size(), sizeBefore / 4);
  EXPECT_EQ(QDir(run_.data.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Marrowtide.mdb"});
  EXPECT_FALSE(QFileInfo::exists(File("tmp.mdb")));
  QByteArray expected = ini;
  expected.replace("  compactdbdate  = 2020-01-01 00:00:00",
                   "CompactDBDate=" + run_.clock.now.toString("yyyy-MM-dd HH:mm:ss").toLatin1());
  EXPECT_EQ(test::FileBytes(File("autoup.ini")), expected);
  EXPECT_TRUE(run_.ui.calls.contains(QStringLiteral("Msg 데이터베이스를 압축하고 있습니다...")));
  EXPECT_EQ(run_.folder.ErrorLines(), 0) << run_.folder.LogText().toStdString();
  const QStringList messages = run_.folder.LogMessages();
  EXPECT_EQ(messages.first(), QStringLiteral("modMain.p_CompactDB Start "));
  EXPECT_TRUE(messages.contains(QStringLiteral("modDB.CompactDatabase Start ") + Db()));
  EXPECT_EQ(messages.last(), QStringLiteral("modMain.p_CompactDB End "));
}

}  // namespace
}  // namespace mt
