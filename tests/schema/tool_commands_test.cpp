// marrowtide-db validate, info, migrate and its usage text, run as the built
// tool on databases that the tool itself brought to a version.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>

#include "app/globals.h"
#include "support/real_db.h"
#include "support/tool_run.h"

namespace mt::test {
namespace {

class ToolCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ToolPath().isEmpty()) GTEST_SKIP() << "marrowtide-db is not built";
    ASSERT_TRUE(dir_.isValid());
  }
  // A copy of a database the tool created and migrated to version.
  QString Copy(int version) {
    const QString path = dir_.filePath(QStringLiteral("db%1.mdb").arg(version));
    EXPECT_TRUE(QFile::copy(Migrated(version), path));
    return path;
  }
  // Each version a test asks for is made once per test program (ctest runs a
  // test a process), from the nearest version below it that is made already.
  static QString Migrated(int version) {
    static QTemporaryDir shared;
    static std::map<int, QString> made;
    if (!made.count(version)) {
      const QString path = shared.filePath(QStringLiteral("v%1.mdb").arg(version));
      const auto above = made.lower_bound(version);
      if (above == made.begin()) EXPECT_EQ(RunTool({"create", path}).exitCode, 0);
      else EXPECT_TRUE(QFile::copy(std::prev(above)->second, path));
      const ToolResult r = RunTool({"migrate", path, "--to", QString::number(version)});
      EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
      made[version] = path;
    }
    return made[version];
  }

  // A copy of the tool in its own folder with a log folder; its path.
  QString ToolInItsOwnFolder() {
    const QString folder = dir_.filePath(QStringLiteral("tool"));
    EXPECT_TRUE(QDir().mkpath(folder + QStringLiteral("/log")));
    EXPECT_TRUE(QFile::copy(ToolPath(), folder + QStringLiteral("/marrowtide-db")));
    return folder + QStringLiteral("/marrowtide-db");
  }

  QTemporaryDir dir_;
};

// validate passes the versions the tool migrates to and lists exactly the
// drift, an encrypted database included, and never changes the file.
TEST_F(ToolCommands, ValidateListsExactlyTheDriftAndNeverChangesTheFile) {
  QString db;
  for (int version : {2, 300, LatestDBVersion}) {
    SCOPED_TRACE(version);
    db = Copy(version);
    if (version == LatestDBVersion) ASSERT_EQ(RunTool({"values", db, "encrypt"}).exitCode, 0);
    const QByteArray before = FileBytes(db);
    const ToolResult r = RunTool({"validate", db});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(FileBytes(db), before);
  }
  // info reads the version under the encryption.
  EXPECT_TRUE(RunTool({"info", db}).out.startsWith(
      QStringLiteral("version\t%1\npending\t0\nencrypted\tyes\n").arg(LatestDBVersion)));
  for (const char* sql : {"ALTER TABLE TCodes DROP COLUMN Tag", "ALTER TABLE TCodes ADD COLUMN Extra LONG",
                          "ALTER TABLE TCodes ALTER COLUMN Val TEXT(10)"})
    ASSERT_EQ(RunTool({"sql", db, sql}).exitCode, 0) << sql;
  const QByteArray before = FileBytes(db);
  const ToolResult r = RunTool({"validate", db});
  EXPECT_EQ(r.exitCode, 1);
  const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
  EXPECT_EQ(lines[0], QStringLiteral("type\tTCodes\tVal\tLONG\tTEXT(10)"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("missing column\tTCodes\tTag\t"))) << lines[1].toStdString();
  EXPECT_EQ(lines[2], QStringLiteral("extra column\tTCodes\tExtra\t\tLONG"));
  EXPECT_EQ(FileBytes(db), before);
}

// The commands that only read leave the file byte for byte, its time and its
// folder too; validate reports a damaged file as such.
TEST_F(ToolCommands, ReadingCommandsLeaveTheFileAndValidateReportsDamage) {
  const QString db = Copy(LatestDBVersion);
  const QByteArray before = FileBytes(db);
  const QDateTime time = QFileInfo(db).lastModified();
  const QStringList folder = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QStringList& args : {QStringList{"info", db}, QStringList{"schema", db},
                                  QStringList{"sql", db, "SELECT COUNT(*) FROM TCodes"}, QStringList{"validate", db}}) {
    SCOPED_TRACE(args.first().toStdString());
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(FileBytes(db), before);
    EXPECT_EQ(QFileInfo(db).lastModified(), time);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), folder);
  }
  // Bytes overwritten inside a page in the middle of the file.
  QByteArray damaged = before;
  for (int i = 0; i < 64; ++i) damaged[(damaged.size() / 2 / 4096) * 4096 + 1000 + i] = 'Z';
  WriteFile(db, damaged);
  const ToolResult r = RunTool({"validate", db});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.startsWith(QStringLiteral("damaged\t"))) << r.out.toStdString() << r.err.toStdString();
}

// The reading itself (blanks, Null, missing rows) is a run test; pending
// counts what the run would apply, and a note says why it applies nothing.
TEST_F(ToolCommands, InfoReadsTheVersionAsTheRunWould) {
  const QString settings = QStringLiteral("CREATE TABLE TSettings (ID TEXT(50), Val1 TEXT(255))");
  const QString stamp = QStringLiteral("INSERT INTO TSettings (ID, Val1) VALUES ('DBVersion', %1)");
  const struct {
    const char* name;
    QStringList sql;
    QString head;  // version and pending lines
  } cases[] = {
      {"no TSettings", {"CREATE TABLE TOther (A LONG)"},
       "version\t1\npending\t0\nnote\tno upgrade script for version 2: the upgrade applies nothing and the run "
       "ends with status 2\n"},
      {"older", {settings, stamp.arg("'300'")}, "version\t300\npending\t105\n"},
      {"beyond the latest", {settings, stamp.arg("'406'")},
       "version\t406\npending\t0\nnote\tabove version 405: the upgrade applies nothing\n"},
      {"unreadable", {settings, stamp.arg("'4\x1b'")},
       "version\t4\\x1b\npending\t0\nnote\tthe stored version does not read as a version (Type mismatch): the "
       "upgrade applies nothing and the run ends with status 2\n"},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString db = dir_.filePath(QStringLiteral("odd%1.mdb").arg(n++));
    CreateDatabase(db, c.sql);
    const ToolResult r = RunTool({"info", db});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(c.head + QStringLiteral("encrypted\tno\n"))) << r.out.toStdString();
  }
}

TEST_F(ToolCommands, MigrateStagesOutsideTheToolFolderAndNamesWhyItCannot) {
  // A tool folder where version 3's script cannot be staged, even by root: a
  // folder stands where the script file would go.
  const QString tool = ToolInItsOwnFolder(), folder = QFileInfo(tool).path();
  ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/10003.sql")));
  QFile(folder).setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
  const QString db = Copy(2);
  ToolResult r = RunTool({"migrate", db, "--to", "4"}, tool);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.startsWith(QStringLiteral("version 2 -> 4: "))) << r.out.toStdString();
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList({"10003.sql", "log", "marrowtide-db"}));

  // No place to stage at all: the reason, and the file as it was.
  const QByteArray before = FileBytes(db);
  const QString notAFolder = dir_.filePath(QStringLiteral("file"));
  ASSERT_TRUE(QFile(notAFolder).open(QIODevice::WriteOnly));
  r = RunTool({"migrate", db, "--to", "5"}, ToolPath(), {"TMPDIR=" + notAFolder});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("temporary folder"))) << r.err.toStdString();
  EXPECT_EQ(FileBytes(db), before);
}

TEST_F(ToolCommands, MigrateCountsTheFailuresCodeMigrationsLog) {
  // A shopping task with an empty Arg5 and no Arg2 fails the step of 298,
  // which version 299 runs once more.
  const QString tool = ToolInItsOwnFolder();
  const QString db = Copy(297);
  ExecuteOn(db, {"INSERT INTO TTaskList (SiteCategory, Arg2, Arg5) VALUES ('Mobile_Naver_Shopping', NULL, '')"});
  const ToolResult r = RunTool({"migrate", db, "--to", "299"}, tool);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QString log = QString::fromUtf8(FileBytes(QFileInfo(tool).path() + QStringLiteral("/log/marrowtide-db.log")));
  EXPECT_EQ(log.count(QStringLiteral("ERROR: modMain.p_DBUpgrade_298")), 2) << log.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("version 297 -> 299: 0 statements, 2 failures logged\n"));
}

TEST_F(ToolCommands, UsageListsEveryCommandAndHelpPrintsOne) {
  const ToolResult usage = RunTool({});
  EXPECT_EQ(usage.exitCode, 2);
  for (const char* command : {"create", "sql", "schema", "migrate", "values", "info", "validate", "import"}) {
    const ToolResult help = RunTool({command, "--help"});
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("marrowtide-db ") + command + ' ')) << command;
    EXPECT_EQ(help.out.count('\n'), 1) << command;
    EXPECT_TRUE(help.out.contains(QRegularExpression(QStringLiteral("\\S {2,}\\S"))))
        << command << ": the usage runs into the summary";
    EXPECT_TRUE(usage.err.contains(help.out)) << command;
  }
}

}  // namespace
}  // namespace mt::test
