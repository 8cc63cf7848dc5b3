#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/globals.h"
#include "app/log.h"
#include "support/fake_services.h"
#include "support/real_db.h"

namespace mt {
namespace {

using test::FileBytes;
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
    EXPECT_EQ(e.source(), QStringLiteral("modMain.p_CreateView"));
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

}  // namespace
}  // namespace mt
