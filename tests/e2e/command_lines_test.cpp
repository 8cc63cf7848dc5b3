// Both programs' command lines as an operator types them: the exit status
// and the first line each prints (standard output on success, standard error
// otherwise). The upgrade program's three words never open the database
// beside it (a text file there would end a run in status 1).
#include "e2e/program_run.h"

namespace mt {
namespace {

using CommandLines = e2e::InstalledProgram;

TEST_F(CommandLines, ExitStatusAndFirstLine) {
  if (test::ToolPath().isEmpty()) GTEST_SKIP() << "build marrowtide-db first";
  test::WriteFile(db, "not a database\n");
  const QString v2 = dir.filePath("v2.mdb"), copy = dir.filePath("copy.mdb");
  const QString jet = QStringLiteral(MT_SOURCE_DIR "/tests/jetimport/data/nwind.mdb");
  const QString code = QStringLiteral(" (code -2147467259)");
  const struct {
    bool upgradeProgram;
    QStringList args;
    int exitCode;
    QString firstLine;
  } cases[] = {
      {true, {"--help"}, 0, "usage: marrowtide-dbupgrade [PATH]"},
      {true, {"-h"}, 0, "usage: marrowtide-dbupgrade [PATH]"},
      {true, {"--version"}, 0, "marrowtide-dbupgrade 1.0.0 (schema version 405)"},
      {false, {"--help"}, 0, "usage: marrowtide-db COMMAND ARGS...   (marrowtide-db COMMAND --help: that command)"},
      {false, {"-h"}, 0, "usage: marrowtide-db COMMAND ARGS...   (marrowtide-db COMMAND --help: that command)"},
      {false, {"--version"}, 0, "marrowtide-db 1.0.0 (schema version 405)"},
      {false, {}, 2, "usage: marrowtide-db COMMAND ARGS...   (marrowtide-db COMMAND --help: that command)"},
      {false, {"bogus"}, 2, "marrowtide-db: unknown command 'bogus'"},
      {false, {"create", v2}, 0, ""},
      {false, {"create", v2}, 1, "error: file already exists: " + v2 + code},
      {false, {"migrate", v2, "--to", "999"}, 2, "marrowtide-db migrate: --to: 999 is not a version (2 to 405, or latest)"},
      {false, {"migrate", v2, "--to", "x"}, 2, "marrowtide-db migrate: --to: x is not a version (2 to 405, or latest)"},
      {false, {"migrate", v2, "--from", "3"}, 2, "marrowtide-db migrate: expected --to, not '--from'"},
      {false, {"migrate", v2}, 2, "marrowtide-db migrate: wrong number of arguments"},
      {false, {"migrate", v2, "--to", "3"}, 0, "version 2 -> 3: 4 statements, 0 failures logged"},
      {false, {"migrate", v2, "--to", "2"}, 1, "error: " + v2 + " is at version 3; migrate never downgrades (--to 2)"},
      {false, {"info", v2}, 0, "version\t3"},
      {false, {"info", jet}, 1, "error: " + jet + " is a Jet (Access) file, not a Marrowtide database; copy it into "
                                "one with: marrowtide-db import " + jet + " NEW.mdb" + code},
      {false, {"sql", v2, "--xml", "SELECT 1"}, 2, "marrowtide-db sql: unknown option '--xml'"},
      {false, {"sql", v2, "--csv", "SELECT ID, 'a,\"b' AS T, Null AS N FROM TSettings WHERE ID = 'IsDBEn'"}, 0,
       "ID,T,N\r"},
      {false, {"sql", v2, "--json", "SELECT ID FROM TSettings WHERE ID = 'IsDBEn'"}, 0, "["},
      {false, {"schema", v2, "tsettings"}, 0, "table\tTSettings"},
      {false, {"schema", v2, "TSettings", "--sql"}, 0, "CREATE TABLE [TSettings] ([ID] TEXT(255), [Val1] TEXT(255), "
                                                        "[Val2] TEXT(255))"},
      {false, {"schema", v2, "TNone"}, 1, "error: no table, view or procedure 'TNone' in " + v2 + " (code -2147217865)"},
      {false, {"backup", v2, copy}, 0, ""},
      {false, {"backup", v2, copy}, 1, "error: file already exists: " + copy + code},
      {false, {"validate", copy}, 0, ""},
      {false, {"info", copy}, 0, "version\t3"},
  };
  for (const auto& c : cases) {
    const QString line = (c.upgradeProgram ? QStringLiteral("marrowtide-dbupgrade ") : QStringLiteral("marrowtide-db ")) +
                         c.args.join(' ');
    SCOPED_TRACE(line.toStdString());
    const test::ToolResult r = c.upgradeProgram ? Run(c.args) : test::RunTool(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
    EXPECT_EQ((c.exitCode == 0 ? r.out : r.err).section('\n', 0, 0), c.firstLine);
    if (c.exitCode == 0) EXPECT_EQ(r.err, QString());
  }
  EXPECT_EQ(test::FileBytes(db), QByteArray("not a database\n"));
  EXPECT_TRUE(QDir(dir.filePath("log")).isEmpty());
  // The CSV quoting and a JSON object in full.
  test::ToolResult r = test::RunTool({"sql", v2, "--csv", "SELECT ID, 'a,\"b' AS T, Null AS N FROM TSettings WHERE ID = 'IsDBEn'"});
  EXPECT_EQ(r.out, "ID,T,N\r\nIsDBEn,\"a,\"\"b\",\r\n");
  test::ExecuteOn(v2, {"CREATE TABLE TJ (T TEXT(10), X DOUBLE, B BIT, N LONG, D DATETIME)",
                       "INSERT INTO TJ (T, X, B, D) VALUES ('IsDBEn', 1.5, True, #2024-07-04 05:38:45#)"});
  r = test::RunTool({"sql", v2, "--json", "SELECT T AS ID, X, B, N, D FROM TJ"});
  EXPECT_EQ(r.out, "[\n{\"ID\":\"IsDBEn\",\"X\":1.5,\"B\":true,\"N\":null,\"D\":\"2024-07-04T05:38:45\"}\n]\n");
  // On a terminal (script(1) gives the tool one) migrate shows its progress
  // in place; elsewhere, as above, nothing.
  if (QFile::exists("/usr/bin/script")) {
    r = test::RunTool({"-qc", test::ToolPath() + " migrate " + v2 + " --to 5", "/dev/null"}, "/usr/bin/script");
    EXPECT_TRUE(r.out.contains("\rmigrate: 100%")) << r.out.toStdString();
  }
}

}  // namespace
}  // namespace mt
