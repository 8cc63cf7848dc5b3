// A real product database for the migration tests: the initial database
// brought by the upgrade scripts (and the code steps before it) to the version
// just before the migration under test, copied fresh for every test.
//
// Databases are built once per build of the test program and version, then
// copied: the scripts up to version 337 are several thousand statements.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>

#include "app/globals.h"
#include "app/services.h"
#include "db/query.h"
#include "migrations/code_migrations.h"
#include "support/fake_services.h"
#include "text/variant_convert.h"
#include "upgrade/initial_database.h"
#include "upgrade/upgrade_engine.h"

namespace mt::testing {

class MigrationDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultEngine(nullptr);  // the production engine, not the scripted one
    SetCodeMigrations(&ProductionCodeMigrations());
  }

  void TearDown() override {
    ReleaseSharedConnection();
    SetCodeMigrations(nullptr);
  }

  // Makes a fresh copy of the database at the version the shared connection,
  // with logging on from here.
  void OpenDatabaseAt(int version) {
    const QString path = spine_.folder.File(QStringLiteral("Marrowtide.mdb"));
    ASSERT_TRUE(QFile::copy(Template(version), path));
    ASSERT_NE(DBGetConnection(path), nullptr);
    ASSERT_EQ(DbVersion(), QString::number(version));
    Globals().LoggingEnabled = true;
  }

  static void Exec(const QString& sql) {
    int32_t affected = 0;
    DBExecute(sql, affected);
  }

  // The first column of every row, in order; Null as "<null>".
  static QStringList Column(const QString& sql) {
    QStringList values;
    std::unique_ptr<Recordset> rs = DBOpenRecordset(sql, 0, 1, -1, 3);
    if (!rs) return values;
    while (!rs->Eof()) {
      const QVariant v = rs->Value(0);
      values << (IsNullValue(v) ? QStringLiteral("<null>") : TextOrEmpty(v));
      rs->MoveNext();
    }
    rs->Close();
    return values;
  }

  static QString Cell(const QString& sql) {
    const QStringList values = Column(sql);
    return values.isEmpty() ? QStringLiteral("<no row>") : values.first();
  }

  // Adds a row with these column values to table and returns the table's
  // largest IDX (the new row's when the table has one).
  static QString AddRowTo(const QString& table, const QStringList& columns, const QVariantList& values) {
    QStringList literals;
    for (const QVariant& v : values) literals << DBQuoteValue(v);
    Exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
             .arg(table, columns.join(QStringLiteral(", ")), literals.join(QStringLiteral(", "))));
    return table == QLatin1String("TTaskLog") ? QString() : Cell("SELECT MAX(IDX) FROM " + table);
  }
  static QString AddTaskRow(const QStringList& columns, const QVariantList& values) {
    return AddRowTo(QStringLiteral("TTaskList"), columns, values);
  }

  static QString TaskValue(const QString& column, const QString& idx) {
    return Cell(QStringLiteral("SELECT %1 FROM TTaskList WHERE IDX = %2").arg(column, idx));
  }

  static QString DbVersion() {
    return Cell(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID = 'DBVersion'"));
  }

  QStringList LogMessages() const { return spine_.folder.LogMessages(); }
  // The error lines written under the procedure's own name.
  QStringList ErrorLines(const QString& procedure) const {
    return LogMessages().filter(QRegularExpression("^ERROR: " + QRegularExpression::escape(procedure) + " Line = "));
  }

  test::SpineScope spine_;

 private:
  // The versions databases are built at, each from the one before it.
  static constexpr int kLadder[] = {297, 318, 328, 334, 337};

  // Built databases are kept beside the build, under a key of the test
  // program itself (a rebuilt program brings its scripts and engine along),
  // so that the one-process-a-test runs of ctest build each version once.
  static QString CacheFolder() {
    static const QString folder = [] {
      const QFileInfo exe(QStringLiteral("/proc/self/exe"));
      const QFileInfo target(exe.symLinkTarget());
      const QString key = QStringLiteral("%1-%2").arg(target.size()).arg(
          target.lastModified().toMSecsSinceEpoch());
      QDir root(QStringLiteral(MT_BINARY_DIR "/tests/migration_db_cache"));
      root.mkpath(key);
      // Databases of earlier builds are of no use any more.
      for (const QString& old : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (old != key) QDir(root.filePath(old)).removeRecursively();
      return root.filePath(key);
    }();
    return folder;
  }

  QString Template(int version) {
    const QString path = CacheFolder() + QStringLiteral("/v%1.mdb").arg(version);
    if (QFileInfo::exists(path)) return path;
    int from = 2;
    for (int v : kLadder) {
      if (v >= version) break;
      from = v;
    }
    EXPECT_TRUE(version == kLadder[0] || from != 2) << "no ladder step " << version;
    // Built under a name of this process, then renamed into place: test
    // processes that run at once never see half a database.
    const QString work = path + QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid());
    QFile::remove(work);
    if (from == 2) {
      CreateInitialDatabase(work);
    } else {
      EXPECT_TRUE(QFile::copy(Template(from), work));
    }
    const bool logging = Globals().LoggingEnabled;
    Globals().LoggingEnabled = false;
    EXPECT_NE(DBGetConnection(work), nullptr);
    const upgrade::UpgradeOutcome outcome = upgrade::UpgradeRange(from, version);
    EXPECT_EQ(outcome.lastRecorded, version);
    EXPECT_EQ(outcome.missingScript, 0);
    ReleaseSharedConnection();
    Globals().LoggingEnabled = logging;
    if (!QFile::rename(work, path)) QFile::remove(work);  // another process was first
    return path;
  }
};

}  // namespace mt::testing
