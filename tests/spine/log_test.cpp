#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/globals.h"
#include "app/log.h"
#include "support/fake_services.h"

namespace mt {
namespace {

using test::SpineScope;

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A log line as the fake clock stamps it.
QByteArray Line(const SpineScope& s, const char* message) {
  return s.clock.now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() + '\t' + message + "\r\n";
}

void Touch(const QString& path, const QDateTime& modified) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

TEST(WriteLog, WritesTimestampTabMessageCrLfInUtf8) {
  SpineScope s;
  s.clock.now = QDateTime(QDate::currentDate(), QTime(7, 8, 9));
  const QByteArray stamp = s.clock.now.date().toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + " 07:08:09";
  Globals().LoggingEnabled = true;
  WriteLog(QStringLiteral("DBPath = /x/Marrowtide.mdb"));
  WriteLog(QStringLiteral("데이터베이스\r\n\tSELECT 1"));
  WriteLog(QStringLiteral("bare"), QString(), false, true);
  EXPECT_EQ(ReadBytes(s.folder.LogPath()),
            stamp + "\tDBPath = /x/Marrowtide.mdb\r\n" + stamp + "\t" +
                QStringLiteral("데이터베이스").toUtf8() +
                QByteArray("\r\n\tSELECT 1\r\nbare\r\n"));
}

TEST(WriteLog, DropsUnforcedLinesUntilLoggingIsEnabled) {
  SpineScope s;
  WriteLog(QStringLiteral("dropped"));
  EXPECT_FALSE(QFileInfo::exists(s.folder.LogPath()));
  WriteLog(QStringLiteral("forced"), QString(), true);
  EXPECT_EQ(s.folder.LogMessages(), QStringList{QStringLiteral("forced")});
}

TEST(WriteLog, WithoutLogFolderLinesAreLostAndNothingIsCreated) {
  SpineScope s(/*withLogFolder=*/false);
  Globals().LoggingEnabled = true;
  WriteLog(QStringLiteral("lost"));
  LogError(QStringLiteral("modDB.DBExecute"), -1, QStringLiteral("lost too"), 0);
  EXPECT_FALSE(QFileInfo::exists(s.folder.File(QStringLiteral("log"))));
  EXPECT_TRUE(QDir(s.folder.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

// A file last written before the clock's day is renamed with the date of its
// last write (before any extension) and a new one begun; on the same day
// writes append.
TEST(WriteLog, RotatesByTheDateOfTheLastWrite) {
  SpineScope s;
  Globals().LoggingEnabled = true;
  WriteLog(QStringLiteral("old day"));
  Touch(s.folder.LogPath(), QDateTime(QDate(2024, 7, 1), QTime(23, 59, 0)));
  WriteLog(QStringLiteral("new day"));
  WriteLog(QStringLiteral("same day"));
  EXPECT_EQ(ReadBytes(s.folder.File(QStringLiteral("log/marrowtide-dbupgrade_2024-07-01.log"))), Line(s, "old day"));
  EXPECT_EQ(s.folder.LogMessages(), (QStringList{QStringLiteral("new day"), QStringLiteral("same day")}));

  // Today is the clock's day, not the real one.
  const QString plain = s.folder.File(QStringLiteral("log/trace"));
  s.clock.now = QDateTime(QDate(2024, 7, 4), QTime(5, 38, 45));
  WriteLog(QStringLiteral("one"), plain);
  Touch(plain, QDateTime(QDate(2024, 7, 4), QTime(0, 0, 1)));
  WriteLog(QStringLiteral("two"), plain);
  Touch(plain, QDateTime(QDate(2024, 7, 3), QTime(12, 0)));
  WriteLog(QStringLiteral("three"), plain);
  EXPECT_EQ(ReadBytes(s.folder.File(QStringLiteral("log/trace_2024-07-03"))), Line(s, "one") + Line(s, "two"));
  EXPECT_EQ(ReadBytes(plain), Line(s, "three"));
}

TEST(WriteLog, FailedRenameAppendsToTheOldFile) {
  SpineScope s;
  Globals().LoggingEnabled = true;
  WriteLog(QStringLiteral("first"));
  const QString rotated = s.folder.File(QStringLiteral("log/marrowtide-dbupgrade_2024-07-01.log"));
  QFile taken(rotated);
  ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
  taken.write("already here");
  taken.close();
  Touch(s.folder.LogPath(), QDateTime(QDate(2024, 7, 1), QTime(8, 0)));
  WriteLog(QStringLiteral("second"));
  EXPECT_EQ(ReadBytes(rotated), QByteArray("already here"));
  EXPECT_EQ(s.folder.LogMessages(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST(LogError, WritesForcedErrorLineAndReraisesWhenAsked) {
  SpineScope s;  // logging disabled: error lines are forced
  LogError(QStringLiteral("modDB.DBGetValue"), -2147217900, QStringLiteral("Syntax error"), 12);
  try {
    LogError(QStringLiteral("modMain.p_CreateView"), 3, QStringLiteral("bad"), 0, true);
    FAIL() << "expected a DbError";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), 3);
    EXPECT_EQ(e.source(), QStringLiteral("modMain.p_CreateView"));
    EXPECT_EQ(e.description(), QStringLiteral("ERROR: modMain.p_CreateView Line = 0\t3\tbad"));
  }
  EXPECT_EQ(s.folder.LogMessages(),
            (QStringList{QStringLiteral("ERROR: modDB.DBGetValue Line = 12\t-2147217900\tSyntax error"),
                         QStringLiteral("ERROR: modMain.p_CreateView Line = 0\t3\tbad")}));
}

TEST(FileExists, MatchesPlainFilesAndWildcardsInTheLastComponent) {
  test::ProgramFolder f;
  for (const char* name : {"Marrowtide.mdb", ".hidden.mdb", "a b.txt"}) {
    QFile file(f.File(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QDir(f.Path()).mkdir(QStringLiteral("folder.mdb"));

  const struct {
    QString path;
    bool exists;
  } cases[] = {
      {f.File("Marrowtide.mdb"), true}, {f.File(".hidden.mdb"), true}, {f.File("a b.txt"), true},
      {f.File("Marrow*.mdb"), true}, {f.File("Marrowtide.md?"), true}, {f.File("*"), true},
      {QString(), false}, {f.File("missing.mdb"), false},
      {f.File("folder.mdb"), false},      // a directory
      {f.File("folder.*"), false},        // matches only a directory
      {f.File("Marrowtide.md"), false},   // no partial match
      {f.File("Marrowtide.mdb?"), false}, {f.Path(), false}, {f.Path() + "/", false},
      {f.Path() + "/*/x", false},  // wildcard outside the last part
      {QLatin1Char('"') + f.File("Marrowtide.mdb") + QLatin1Char('"'), false},
      {f.File("[M]arrowtide.mdb"), false}, {f.File("[M]arrow*.mdb"), false},  // brackets are literal
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
  EXPECT_EQ(s.clock.slept, 22);  // more than asked, in steps of the interval
  EXPECT_EQ(s.clock.sleeps, std::vector<int>(11, 2));
  EXPECT_EQ(nestedProcessed, 0);
  EXPECT_EQ(s.ui.processed, 11);  // events between every two sleeps

  // The guard is cleared afterwards: the next wait processes events again,
  // and without an interval it only watches the clock (100 ms when 0 asked).
  s.ui.onProcessEvents = [&] { s.clock.monotonic += 30; };
  WaitWithEvents(0, 0);
  EXPECT_EQ(s.ui.processed, 15);
  EXPECT_EQ(s.clock.slept, 22);
}

}  // namespace
}  // namespace mt
