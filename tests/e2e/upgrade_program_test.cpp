// The upgrade program from end to end. The typical run in-process, with the
// production passes and a fake clock: an encrypted database at version 300 is
// decrypted on a copy, upgraded to 405, encrypted again over the three tables,
// pruned, compacted and stamped. Then the built executable as a user runs it,
// copied into a folder of its own, with real database files.
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>

#include "app/log.h"
#include "app/production.h"
#include "app/run.h"
#include "app/run_summary.h"
#include "db/query.h"
#include "e2e/program_run.h"
#include "protect/cipher.h"
#include "protect/value_passes.h"
#include "upgrade/upgrade_engine.h"

namespace mt {
namespace {

using Rows = std::vector<QVariantList>;

// The services a piece of work needs, the production ones included.
struct Scope : test::RealFilesScope {
  Scope() { InstallProductionServices(); }
  ~Scope() { SetCodeMigrations(nullptr); }
};

void Upgrade(const QString& path, int from, int to) {
  ASSERT_NE(DBGetConnection(path), nullptr);
  upgrade::UpgradeRange(from, to);
  ReleaseSharedConnection();
}

// The plain version-300 database upgraded plainly to 405 (what the values
// must decrypt to), and the same version-300 database with its values
// encrypted (the run's input), made in folder.
void MakeInputs(const QTemporaryDir& folder, QString& reference405, QString& encrypted300) {
  Scope scope;
  const QString plain = folder.filePath(QStringLiteral("plain300.mdb"));
  CreateInitialDatabase(plain);
  Upgrade(plain, 2, 300);
  const QStringList secrets{
      "INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias) VALUES ('E2E.Secret', 'say \"hi\"', '로그인 비밀', NULL, '')",
      "INSERT INTO TCodes (Code, Val, ValText, Description, Tag) VALUES ('E2E', 1, 'it''s', '설명', NULL)"};
  test::ExecuteOn(plain, secrets + e2e::LogRows());

  reference405 = folder.filePath(QStringLiteral("reference405.mdb"));
  ASSERT_TRUE(QFile::copy(plain, reference405));
  Upgrade(reference405, 300, 405);

  // An older product encrypted TCodes and TSettings only: TUserAgentsRaw
  // comes with version 318. The pass wants all three tables, so one stands
  // in while it runs.
  encrypted300 = folder.filePath(QStringLiteral("encrypted300.mdb"));
  ASSERT_TRUE(QFile::copy(plain, encrypted300));
  test::ExecuteOn(encrypted300, {"CREATE TABLE TUserAgentsRaw (IDX AUTOINCREMENT, UA MEMO)",
                                 "INSERT INTO TUserAgentsRaw (UA) VALUES ('x')"});
  Globals().DBPath = encrypted300;
  ASSERT_TRUE(EncryptDatabaseValues().ok);
  test::ExecuteOn(encrypted300, {"DROP TABLE TUserAgentsRaw"});
}

// The stored row with its protected columns (from column `first` on)
// decrypted; Null stays Null. Each non-empty stored value must be cipher
// text, not the plain value.
Rows Decrypted(const Rows& stored, int first) {
  Rows out;
  for (QVariantList row : stored) {
    for (int i = first; i < row.size(); ++i) {
      if (row[i].isNull() || row[i].toString().isEmpty()) continue;
      const QString cipher = row[i].toString();
      const QString plain = DBDecryptValue(cipher);
      EXPECT_NE(plain, cipher) << "stored in clear: " << cipher.toStdString();
      row[i] = plain;
    }
    out.push_back(row);
  }
  return out;
}

TEST(TypicalRun, InProcessWithTheProductionPasses) {
  QTemporaryDir data;  // the database apart from the program, named on the command line
  QString reference405, encrypted300;
  MakeInputs(data, reference405, encrypted300);
  const QString db = data.filePath(QStringLiteral("Marrowtide.mdb"));
  ASSERT_TRUE(QFile::copy(encrypted300, db));
  Scope scope;
  RunReport report;
  const RunOutcome outcome = RunMain(db, ProductionPasses(), LockResult{}, &report);
  EXPECT_EQ(RunSummaryLine("marrowtide-dbupgrade", report, outcome),
            "marrowtide-dbupgrade: version 300 -> 405, 17 statements failed (17 expected, at version 395), "
            "exit status 0: at version 405, encrypted");

  EXPECT_EQ(scope.clock.sleeps, (std::vector<int>{3000, 1000, 3000, 3000, 3000, 1000, 3000, 3000}));
  EXPECT_TRUE(scope.ui.Boxes().isEmpty()) << scope.ui.Boxes().join('\n').toStdString();
  EXPECT_EQ(scope.folder.ErrorLines(), 0) << scope.folder.LogText().toStdString();
  EXPECT_TRUE(scope.ui.calls.contains(QStringLiteral("Msg 데이터베이스를 압축하고 있습니다...")));
  const QByteArray stamp = scope.clock.now.toString("yyyy-MM-dd HH:mm:ss").toLatin1();
  EXPECT_TRUE(test::FileBytes(scope.folder.File("autoup.ini")).contains("[Update]\r\nCompactDBDate=" + stamp + "\r\n"));
  // Nothing left behind, in the program folder or beside the database.
  EXPECT_EQ(QDir(scope.folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"autoup.ini"});
  EXPECT_EQ(QDir(data.path()).entryList({"Marrowtide.mdb*", ".*"}, QDir::Files | QDir::Hidden),
            QStringList{"Marrowtide.mdb"});

  // The markers, then every protected value against the plain upgrade.
  const char* settings = "SELECT ID, Val1, Val2, Val3, Alias FROM TSettings ORDER BY ID";
  Rows expected = test::Rows(reference405, settings);
  for (QVariantList& row : expected)
    if (row[0] == QStringLiteral("IsDBEn")) row = {row[0], QStringLiteral("1"), QString(""), QString(""), row[4]};
  EXPECT_EQ(Decrypted(test::Rows(db, settings), 1), expected);  // E2E.Secret's quotes and Korean text included
  const std::pair<const char*, int> tables[] = {
      {"SELECT Code, Val, ValText, Description, Tag FROM TCodes ORDER BY Code, Val", 2},
      {"SELECT IDX, UA FROM TUserAgentsRaw ORDER BY IDX", 1}};
  for (const auto& [sql, firstProtected] : tables) {
    const Rows plain = test::Rows(reference405, sql);
    EXPECT_FALSE(plain.empty()) << sql;
    EXPECT_EQ(Decrypted(test::Rows(db, sql), firstProtected), plain);
  }

  for (const auto& [table, key] : e2e::kLogTables)
    EXPECT_EQ(test::Column(db, QStringLiteral("SELECT %2 FROM %1").arg(table, key)), QVariantList{2}) << table;
}

const QString kM1 = QStringLiteral("DB 연결 실패: DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.");
const QString kNotOpened = QStringLiteral(
    "marrowtide-dbupgrade: version not read -> not read, 0 statements failed, exit status 1: "
    "the database could not be opened, or was lost after a value pass");
const QString kDone = QStringLiteral(
    "marrowtide-dbupgrade: version 405 -> 405, 0 statements failed, exit status 0: at version 405, encrypted\n");

class UpgradeProgram : public e2e::InstalledProgram {
 protected:
  QStringList Files() const {
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
  }
  QString LockPath() const {
    SetProgramLocation(dir.path(), e2e::kExeName);
    const QString path = InstanceLockPath();
    SetProgramLocation(QString(), QString());
    return path;
  }
};

// Also when the window system cannot be reached (that is found out before
// any window exists, and the run goes on headless), and without a log folder
// (no log is made).
TEST_F(UpgradeProgram, RunsOnTheDatabaseBesideIt) {
  for (const bool withLog : {true, false}) {
    const QString env = withLog ? "DISPLAY=:99" : "QT_QPA_PLATFORM=xcb";
    SCOPED_TRACE(env.toStdString());
    QFile::remove(db);
    e2e::MakeLatest(db);
    if (!withLog) QDir(dir.filePath(QStringLiteral("log"))).removeRecursively();
    const test::ToolResult r = Run({}, {env});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(r.err, kDone);
    // Only pruned, compacted and stamped: the whole log, its messages joined by '|'.
    const QString log = "DBPath = " + db +
                        "|modDB.IsDBEncrypt Start|modDB.IsDBEncrypt End|modMain.p_CompactDB Start |" +
                        "modDB.CompactDatabase Start " + db + "|modDB.CompactDatabase End |modMain.p_CompactDB End |" +
                        "modMain.Main End ";
    EXPECT_EQ(LogMessages().join('|'), withLog ? log : QString());
    EXPECT_EQ(QFileInfo::exists(dir.filePath(QStringLiteral("log"))), withLog);
    // Nothing left behind but the stamp.
    EXPECT_EQ(test::Column(db, QStringLiteral("SELECT TaskIDX FROM TTaskLog")), QVariantList{2});
    EXPECT_EQ(Files(), (QStringList{"Marrowtide.mdb", "autoup.ini", "marrowtide-dbupgrade"}));
  }
}

// A database at the newest version whose schema was changed by hand: the
// run maintains it as ever, logs each difference (on standard error too,
// without windows) and ends with status 5.
TEST_F(UpgradeProgram, ASchemaThatDiffersFromTheNewestVersionsEndsInStatus5) {
  e2e::MakeLatest(db);
  test::ExecuteOn(db, {"DROP TABLE TKeywordList", "ALTER TABLE TCodes ADD COLUMN Extra LONG"});
  const test::ToolResult r = Run();
  EXPECT_EQ(r.exitCode, 5);
  EXPECT_EQ(r.out, QString());
  const QStringList differences{"The schema differs from version 405's: extra column\tTCodes\tExtra\t\tLONG",
                                "The schema differs from version 405's: missing table\tTKeywordList\t\t\t"};
  EXPECT_EQ(r.err, differences.join('\n') + "\nmarrowtide-dbupgrade: version 405 -> 405, 0 statements failed, "
                   "2 schema differences, exit status 5: at version 405, but the schema differs from version 405's\n");
  for (const QString& line : differences) EXPECT_TRUE(LogMessages().contains(line)) << line.toStdString();
  EXPECT_EQ(test::Column(db, QStringLiteral("SELECT TaskIDX FROM TTaskLog")), QVariantList{2});  // maintained
}

// Another run holds on, of this installation (its instance lock) or of any
// (the database's lock, taken here through a link to the database): the
// program writes nothing at all, and marrowtide-db refuses to write. The lock
// a killed run left is taken over; a lock that cannot be made is no such
// run: M1 and its cause in the log.
TEST_F(UpgradeProgram, WhileAnotherRunHoldsOnNothingIsWritten) {
  if (test::ToolPath().isEmpty()) GTEST_SKIP() << "build marrowtide-db first";
  e2e::MakeLatest(db);
  const QByteArray before = test::FileBytes(db);
  const QString link = dir.filePath(QStringLiteral("link.mdb"));
  ASSERT_TRUE(QFile::link(db, link));
  const auto leftAlone = [&](const RunLock& other, const QString& lockFile) {
    ASSERT_EQ(other.result().state, LockState::Taken);
    const test::ToolResult r = Run({db});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.out + r.err, QString());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("log"))).isEmpty());
    QStringList files{"Marrowtide.mdb", "link.mdb", "marrowtide-dbupgrade", lockFile};
    files.sort();
    EXPECT_EQ(Files(), files);
    EXPECT_EQ(test::FileBytes(db), before);
  };
  leftAlone(RunLock(LockPath()), ".marrowtide-dbupgrade.lock");
  {
    // Taken through the link, held beside the file it names; whatever the
    // temporary folder of either side.
    const RunLock other(DatabaseLockPath(link));
    leftAlone(other, ".Marrowtide.mdb.lock");
    for (const char* statement : {"DELETE * FROM TTaskLog", "SELECT * FROM TTaskLog"}) {
      const test::ToolResult tool =
          test::RunTool({QStringLiteral("sql"), db, QString::fromLatin1(statement)}, test::ToolPath(),
                        {QStringLiteral("TMPDIR=") + dir.filePath(QStringLiteral("log"))});
      EXPECT_EQ(tool.exitCode, 1);
      EXPECT_TRUE(tool.err.contains(QStringLiteral("a run is working on this database"))) << tool.err.toStdString();
      EXPECT_EQ(test::FileBytes(db), before);
    }
  }
  EXPECT_EQ(Files(), (QStringList{"Marrowtide.mdb", "link.mdb", "marrowtide-dbupgrade"}));

  // No lock file can be made (something else stands at its path): M1, the cause.
  ASSERT_TRUE(QDir().mkdir(DatabaseLockPath(db)));
  const test::ToolResult r = Run({db});
  const QStringList err = r.err.trimmed().split('\n');
  ASSERT_EQ(err.size(), 3) << r.err.toStdString();
  EXPECT_TRUE(err[0].contains(QStringLiteral("cannot be used"))) << err[0].toStdString();
  EXPECT_EQ(err.mid(1), (QStringList{kM1, kNotOpened}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Log().contains(QStringLiteral("cannot be used"))) << Log().toStdString();
  EXPECT_EQ(test::FileBytes(db), before);
  ASSERT_TRUE(QDir().rmdir(DatabaseLockPath(db)));

  // What a killed run leaves: a lock file of a process that ended without
  // releasing it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const RunLock held(LockPath());
    _exit(held.result().state == LockState::Taken ? 0 : 1);  // _exit: the file stays
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  ASSERT_TRUE(QFile::exists(LockPath()));
  EXPECT_EQ(Run().exitCode, 0);
  EXPECT_EQ(LogMessages().value(0), QStringLiteral("DBPath = ") + db);
  EXPECT_FALSE(QFile::exists(LockPath()));
}

// Files that are not a usable database, or one in a read-only folder: the
// run ends with M1, the reason is in the log, and the file is left exactly
// as it was. (A wrong key is the engine's open tests' matter.)
TEST_F(UpgradeProgram, UnusableDatabaseEndsInM1AndIsLeftAlone) {
  const QString text = dir.filePath(QStringLiteral("notes.mdb"));
  test::WriteFile(text, "this is not a database\n");
  const QString truncated = dir.filePath(QStringLiteral("truncated.mdb"));
  e2e::MakeLatest(truncated);
  ASSERT_TRUE(QFile::resize(truncated, QFileInfo(truncated).size() / 2));
  const QString readOnly = dir.filePath(QStringLiteral("ro/Marrowtide.mdb"));
  ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("ro"))));
  e2e::MakeLatest(readOnly);
  QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadOther);
  QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::Permissions(0x5005));
  for (const QString& d : {dir.path(), dir.filePath(QStringLiteral("log"))})
    QFile::setPermissions(d, QFileDevice::Permissions(0x7777));
  QStringList paths{text, truncated};
  if (geteuid() != 0 || QFile::exists(QStringLiteral("/usr/bin/setpriv"))) paths << readOnly;

  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    const QByteArray before = test::FileBytes(path);
    // As another user when the test runs as root, for whom nothing is read-only.
    const test::ToolResult r = Run({path}, {}, /*asNobody=*/path == readOnly);
    EXPECT_EQ(r.exitCode, 1);
    const QStringList log = LogMessages();
    // Without windows the reason, the box and the summary on standard error.
    ASSERT_EQ(log.size(), 3);
    // A read-only folder takes no lock file: refused before the database opens.
    const int cause = path == readOnly ? 1 : 0;
    EXPECT_EQ(r.err, log[cause] + '\n' + kM1 + '\n' + kNotOpened + '\n');
    if (path == readOnly) EXPECT_TRUE(log[1].contains(QStringLiteral("cannot be used"))) << log[1].toStdString();
    else EXPECT_TRUE(log[0].startsWith(QStringLiteral("ERROR: modDB.DBGetConnection Line = 0\t-2147467259\t")));
    EXPECT_EQ(log[1 - cause], QStringLiteral("DBPath = ") + path);
    EXPECT_EQ(log[2], QStringLiteral("modMain.Main End "));
    EXPECT_EQ(test::FileBytes(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
  }
  QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFileDevice::Permissions(0x7000));
}

}  // namespace
}  // namespace mt
