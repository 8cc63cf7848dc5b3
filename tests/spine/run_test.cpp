// The run's order over fake passes, and what it settles before the database
// opens: the leftovers of a killed run, and whether a window system is there.
#include "app/run.h"

#include <gtest/gtest.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "app/display.h"
#include "app/globals.h"
#include "app/leftovers.h"
#include "app/log.h"
#include "app/run_lock.h"
#include "db/query.h"
#include "support/fake_services.h"
#include "support/real_db.h"
#include "upgrade/upgrade_engine.h"

namespace mt {
namespace {

const QString kM2 = "DB 연결 실패|데이터베이스 연결에 실패하여 프로그램을 실행할 수 없습니다.";
const QString kM3 = "DB 암호화 실패|DB 암호화 실패로 DB 업그레이드 프로그램을 종료합니다.";
const QString kEnd = "modMain.Main End ";

// Passes that record their calls and, by default, behave like the real ones
// towards the run: the value passes flip the marker and release the
// shared connection, the upgrade stamps the newest version.
class FakePasses : public RunPasses {
 public:
  explicit FakePasses(test::ScriptedDatabase& db) : db_(db) {}
  QStringList calls;
  std::function<void()> onEncrypt = [this] { db_.SetSetting("IsDBEn", "1"); };
  // Decrypting opens the version too.
  std::function<void()> onDecrypt = [this] {
    db_.SetSetting("IsDBEn", "0");
    auto& rows = db_.queries[test::SettingQuery("DBVersion")].rows;
    if (!rows.empty() && rows[0][0].toString().startsWith(QLatin1String("ENC:")))
      rows[0][0] = rows[0][0].toString().mid(4);
  };
  std::function<void(int32_t)> onUpgrade = [this](int32_t version) {
    if (version < LatestDBVersion) db_.SetSetting("DBVersion", LatestDBVersion);
  };

  void p_DBDecrypt(int32_t version) override {
    calls << QStringLiteral("decrypt %1").arg(version);
    ReleaseSharedConnection();
    onDecrypt();
  }
  upgrade::UpgradeOutcome p_DBUpgrade(int32_t version) override {
    calls << QStringLiteral("upgrade %1").arg(version);
    onUpgrade(version);
    return upgraded;
  }
  void p_DBEncrypt() override {
    calls << "encrypt";
    ReleaseSharedConnection();
    onEncrypt();
  }
  void p_CompactDB() override { calls << "compact"; }
  QString DBDecryptValue(const QString& text) override {
    calls << "value " + text;
    return text.startsWith(QLatin1String("ENC:")) ? text.mid(4) : text;
  }
  // The schema check: its answer, and how often it was asked.
  std::function<QStringList()> differences = [] { return QStringList(); };
  int schemaChecks = 0;
  upgrade::UpgradeOutcome upgraded;
  QStringList SchemaDifferences() override {
    ++schemaChecks;
    return differences();
  }

 private:
  test::ScriptedDatabase& db_;
};

// One run's world: services, a default database file that exists, passes.
struct Harness {
  Harness() { QFile(path).open(QIODevice::WriteOnly); }
  void Given(const QVariant& version, const QVariant& marker) {
    db.SetSetting("DBVersion", version);
    db.SetSetting("IsDBEn", marker);
  }
  QStringList Upgrade(const QString& argument = QString()) {
    outcome = RunMain(argument, passes, LockResult{}, &report);
    return passes.calls;
  }
  // The log lines of the run without the Start/End lines of IsDBEncrypt.
  QStringList Messages() const {
    QStringList m = s.folder.LogMessages();
    m.removeAll("modDB.IsDBEncrypt Start");
    m.removeAll("modDB.IsDBEncrypt End");
    return m;
  }
  test::SpineScope s;
  QString path = s.folder.File("Marrowtide.mdb");
  test::ScriptedDatabase& db = s.engine.At(path);
  FakePasses passes{db};
  RunOutcome outcome{};
  RunReport report;
};

// The branch a stored version and marker take, what the log says of it and
// the outcome: the version stored after the upgrade decides whether the
// newest was reached.
TEST(RunBranches, StoredVersionAndMarkerChooseThePasses) {
  const QVariant kMissing = "<missing row>";
  constexpr auto kDone = RunOutcome::Upgraded;
  constexpr auto kBehind = RunOutcome::NotAtLatestVersion;
  const struct {
    QVariant version;
    const char* marker;
    QStringList calls;
    int opens;
    const char* error;  // the failure of Main logged between the two lines, or null
    RunOutcome outcome;
    QVariant stamped = LatestDBVersion;  // the version the upgrade leaves
  } cases[] = {
      {"405", "1", {"compact"}, 1, nullptr, kDone},
      // A run that ended before its encryption: protected now.
      {"405", "0", {"encrypt", "compact"}, 2, nullptr, kDone},
      {"300", "0", {"upgrade 300", "encrypt", "compact"}, 2, nullptr, kDone},
      {"ENC:300", "1", {"value ENC:300", "decrypt 300", "upgrade 300", "encrypt", "compact"}, 3, nullptr, kDone},
      // Above the latest version, or missing, or Null: the upgrade branch.
      {" 406 ", "1", {"decrypt 406", "upgrade 406", "encrypt", "compact"}, 3, nullptr, kDone, " 406 "},
      {QVariant(), "0", {"upgrade 1", "encrypt", "compact"}, 2, nullptr, kDone},
      {kMissing, "0", {"upgrade 1", "encrypt", "compact"}, 2, nullptr, kDone},
      // An upgrade that ended early (a missing script): encrypted all the same.
      {"300", "0", {"upgrade 300", "encrypt", "compact"}, 2, nullptr, kBehind, "388"},
      {"300", "0", {"upgrade 300", "value ENC:x", "encrypt", "compact"}, 2,
       "ERROR: modMain.Main Line = 0\t13\tType mismatch", kBehind, "ENC:x"},
      {"ENC:abc", "1", {"value ENC:abc"}, 1, "ERROR: modMain.Main Line = 0\t13\tType mismatch", kBehind},
      {"99999999999", "0", {}, 1, "ERROR: modMain.Main Line = 0\t6\tOverflow", kBehind},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version.toString().toStdString() + " stamped " + c.stamped.toString().toStdString());
    Harness h;
    h.Given(c.version, c.marker);
    if (c.version == kMissing)
      h.db.queries[test::SettingQuery("DBVersion")] = test::ScriptedRows{{"Val1"}, {}};
    h.passes.onUpgrade = [&](int32_t) { h.db.SetSetting("DBVersion", c.stamped); };
    EXPECT_EQ(h.Upgrade(), c.calls);
    EXPECT_EQ(h.outcome, c.outcome);
    EXPECT_EQ(h.db.opens, c.opens);
    QStringList log{"DBPath = " + h.path};
    if (c.error) log << c.error;
    EXPECT_EQ(h.Messages(), log << kEnd);
    EXPECT_TRUE(h.s.ui.Boxes().isEmpty());
    EXPECT_EQ(h.s.ui.calls.first(), "ShowProgress");
    EXPECT_FALSE(h.s.ui.loaded);
    if (c.calls.contains("encrypt")) EXPECT_TRUE(Globals().IsDBEncrypted);
  }
}

// A database that is gone after a value pass shows M2; values that could not
// be decrypted are never upgraded over; an encryption that leaves the marker
// at "0" shows M3 and skips compaction. The outcome is the first failure in
// run order, even after an upgrade that ended early.
TEST(RunFailures, LostDatabaseShowsM2UndecryptedValuesStopAndFailedEncryptionM3) {
  enum Fault { LostAtDecrypt, StillEncrypted, LostAtEncrypt, StillPlain, StillPlainAfterAnEarlyEnd };
  const struct {
    Fault fault;
    const char* marker;
    QStringList calls;
    QString box;
    RunOutcome outcome;
  } cases[] = {
      {LostAtDecrypt, "1", {"decrypt 300"}, kM2, RunOutcome::NotOpened},
      {StillEncrypted, "1", {"decrypt 300"}, "", RunOutcome::NotAtLatestVersion},  // the upgrade's box
      {LostAtEncrypt, "0", {"upgrade 300", "encrypt"}, kM2, RunOutcome::NotOpened},
      {StillPlain, "0", {"upgrade 300", "encrypt"}, kM3, RunOutcome::NotEncrypted},
      {StillPlainAfterAnEarlyEnd, "0", {"upgrade 300", "encrypt"}, kM3, RunOutcome::NotAtLatestVersion},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    Harness h;
    h.Given("300", c.marker);
    const auto lose = [&] { h.s.engine.Remove(h.path); };
    if (c.fault == LostAtDecrypt) h.passes.onDecrypt = lose;
    if (c.fault == StillEncrypted) h.passes.onDecrypt = [] {};
    if (c.fault == LostAtEncrypt) h.passes.onEncrypt = lose;
    if (c.fault >= StillPlain) h.passes.onEncrypt = [] {};
    if (c.fault == StillPlainAfterAnEarlyEnd) h.passes.onUpgrade = [](int32_t) {};
    EXPECT_EQ(h.Upgrade(), c.calls);
    EXPECT_EQ(h.s.ui.Boxes(), QStringList{c.box.isEmpty() ? ExeName() + "|" + upgrade::kUpgradeFailedText : c.box});
    EXPECT_EQ(h.outcome, c.outcome);
    EXPECT_FALSE(h.s.ui.loaded);
    EXPECT_EQ(h.Messages().last(), kEnd);
    EXPECT_EQ(h.Messages().contains("The values could not be decrypted; the database is not upgraded and stays "
                                    "encrypted at version 300"),
              c.fault == StillEncrypted);
  }
}

// At the newest version, reached or found, the schema is compared with the
// newest version's: each difference is a log line and the outcome says so,
// unless an earlier failure in run order decides it. An upgrade that stops
// below the newest version, or a version above it, is not compared.
TEST(RunSchemaCheck, DifferencesAtTheNewestVersionEndInStatus5) {
  const QString missing = "missing table\tTCodes\t\t\t";
  const struct {
    const char* version;
    QVariant stamped;
    QStringList differences;  // "throw": the schema cannot be read
    bool encrypts;
    RunOutcome outcome;
    int checks;
  } cases[] = {
      {"405", {}, {missing}, true, RunOutcome::SchemaDiffers, 1},
      {"300", LatestDBVersion, {missing}, true, RunOutcome::SchemaDiffers, 1},
      {"300", LatestDBVersion, {}, true, RunOutcome::Upgraded, 1},
      {"300", LatestDBVersion, {"throw"}, true, RunOutcome::SchemaDiffers, 1},
      {"300", LatestDBVersion, {missing}, false, RunOutcome::NotEncrypted, 1},
      {"300", 388, {missing}, true, RunOutcome::NotAtLatestVersion, 0},
      {"406", 406, {missing}, true, RunOutcome::Upgraded, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " -> " + c.stamped.toString().toStdString());
    Harness h;
    h.Given(c.version, "0");
    h.passes.onUpgrade = [&](int32_t) { h.db.SetSetting("DBVersion", c.stamped); };
    h.passes.upgraded.failures = 17;
    h.passes.differences = [&] {
      if (c.differences == QStringList{"throw"}) throw DbError(-1, "unreadable");
      return c.differences;
    };
    if (!c.encrypts) h.passes.onEncrypt = [] {};
    h.Upgrade();
    EXPECT_EQ(h.outcome, c.outcome);
    EXPECT_EQ(h.passes.schemaChecks, c.checks);
    EXPECT_EQ(h.Messages().contains("The schema differs from version 405's: " + missing),
              c.checks == 1 && c.differences == QStringList{missing});
    EXPECT_EQ(h.report.fromVersion, QString(c.version));
    EXPECT_EQ(h.report.toVersion, c.stamped.isNull() ? QString(c.version) : c.stamped.toString());
    EXPECT_EQ(h.report.upgrade.failures, c.stamped.isNull() ? 0 : 17);
  }
}

// Before any pass: a damaged database and a path too long for the engine end
// the run with M1 and a line naming the cause, nothing written. A marker that
// says plain over a version in cipher text is overruled: the values are
// decrypted first, and the disagreement is logged.
TEST(RunRefusals, DamageAndLongPathsEndInM1AndALyingMarkerIsOverruled) {
  const QString kM1 = "DB 연결 실패|DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.";
  {
    Harness h;
    h.Given("300", "1");
    h.db.damage = "Tree 3 page 7: btreeInitPage() returns error code 11";
    EXPECT_EQ(h.Upgrade(), QStringList());
    EXPECT_EQ(h.outcome, RunOutcome::NotOpened);
    EXPECT_EQ(h.s.ui.Boxes(), QStringList{kM1});
    EXPECT_TRUE(h.db.executed.empty());
    EXPECT_EQ(h.Messages().value(1), "The database " + h.path + " is damaged; the run leaves it as it is: " + h.db.damage);
  }
  {
    Harness h;
    QString deep = h.s.folder.File("");
    while (deep.size() < 520) deep += QString(50, u'd') + u'/';
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString longPath = deep + "Marrowtide.mdb";
    QFile(longPath).open(QIODevice::WriteOnly);
    h.s.engine.At(longPath) = h.db;
    EXPECT_EQ(h.Upgrade(longPath), QStringList());
    EXPECT_EQ(h.outcome, RunOutcome::NotOpened);
    EXPECT_EQ(h.s.ui.Boxes(), QStringList{kM1});
    EXPECT_TRUE(h.s.engine.OpenedPaths().empty());
    EXPECT_TRUE(h.Messages().value(1).contains("at most 504 bytes")) << h.Messages().join('\n').toStdString();
  }
  Harness h;
  h.Given("ENC:300", "0");
  EXPECT_EQ(h.Upgrade(), (QStringList{"value ENC:300", "value ENC:300", "decrypt 300", "upgrade 300", "encrypt",
                                      "compact"}));
  EXPECT_EQ(h.outcome, RunOutcome::Upgraded);
  EXPECT_TRUE(h.Messages().contains("IsDBEn says the values are plain, but DBVersion is cipher text that opens: "
                                    "the values are taken as encrypted"));
}

// Locks on files beside what they guard: alone against every holder, shared
// against those alone only, the file gone with its last holder; something
// other than a regular file at the lock's path makes it unusable at once.
// Runs once before the next flock() of this program (see flock below).
std::function<void()>& BeforeNextFlock() {
  static std::function<void()> hook;
  return hook;
}

TEST(RunLock, AloneOrSharedAndNothingButARegularFile) {
  QTemporaryDir dir;
  const QString path = DatabaseLockPath(dir.filePath("db.mdb"));
  EXPECT_EQ(QFileInfo(path).fileName(), ".db.mdb.lock");
  {
    const RunLock a(path, LockMode::Shared), b(path, LockMode::Shared), c(path);
    EXPECT_EQ(a.result().state, LockState::Taken);
    EXPECT_EQ(b.result().state, LockState::Taken);
    EXPECT_EQ(c.result().state, LockState::HeldElsewhere);
  }
  EXPECT_FALSE(QFile::exists(path));
  {
    const RunLock a(path), b(path, LockMode::Shared), c(path);
    EXPECT_EQ(a.result().state, LockState::Taken);
    EXPECT_EQ(b.result().state, LockState::HeldElsewhere);
    EXPECT_EQ(c.result().state, LockState::HeldElsewhere);
  }
  EXPECT_FALSE(QFile::exists(path));
  {
    // The holder releases (removes its file) and another run locks a new
    // file at that name, between this one's open and its lock: the lock it
    // then gets is on a file no longer there, and it must look again.
    std::optional<RunLock> other;
    BeforeNextFlock() = [&] {
      QFile::remove(path);
      other.emplace(path);
    };
    const RunLock late(path);
    EXPECT_EQ(other->result().state, LockState::Taken);
    EXPECT_EQ(late.result().state, LockState::HeldElsewhere);
  }
  ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0644), 0);
  const RunLock fifo(path);
  EXPECT_EQ(fifo.result().state, LockState::Unavailable);
  EXPECT_TRUE(fifo.result().why.contains("not a regular file")) << fifo.result().why.toStdString();
  // A log in a FIFO's place takes no line, even with a reader at its end.
  const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  WriteLog(QStringLiteral("a line"), path, /*force=*/true);
  char byte;
  EXPECT_LE(::read(reader, &byte, 1), 0);
  ::close(reader);
}

// The argument is used only when a file matches it (unchanged, wildcards
// and all); the working files a killed run left go before the database
// opens, each logged, and the database stays.
TEST(RunArgument, ChoosesTheDatabaseAndLeftoversOfAKilledRunGo) {
  Harness h;
  h.Given("405", "1");
  const QString leftover = h.s.folder.File("tmp.mdb");
  QFile(leftover).open(QIODevice::WriteOnly);
  const QString pattern = h.s.folder.File("other*.mdb");
  QFile(h.s.folder.File("other db.mdb")).open(QIODevice::WriteOnly);
  h.s.engine.At(pattern) = h.db;
  for (const QString& argument : {h.s.folder.File("missing.mdb"), pattern}) {
    ReleaseSharedConnection();
    h.Upgrade(argument);
    EXPECT_EQ(h.s.engine.OpenedPaths().back(), argument == pattern ? pattern : h.path);
  }
  EXPECT_FALSE(QFile::exists(leftover));
  EXPECT_TRUE(QFile::exists(h.path));
  EXPECT_TRUE(h.Messages().contains("Removed the leftover working file " + leftover));
}

// What a killed run may leave goes; everything else, the database above all
// (even one bearing a leftover's name), stays.
TEST(Leftovers, OnlyTheWorkingFilesOfAKilledRunAreRemoved) {
  QTemporaryDir program, data;
  const QStringList gone = {"Marrowtide_backup_en_20240101120000.mdb", "Marrowtide_backup_en_20240101120000.mdb-wal",
                            "Marrowtide_backup_en_20240101120000~.mdb", "tmp.mdb", "tmp.mdb-journal", "tmp~.mdb",
                            "10003.sql", "10405.sql"};
  const QStringList kept = {"Marrowtide.mdb", "Other_backup_en_20240101120000.mdb", "Marrowtide_backup_en_2024.mdb",
                            "10000.sql", "10406.sql", "notes.txt"};
  for (const QString& name : gone + kept) test::WriteFile(QDir(program.path()).filePath(name), "x");
  const QString db = data.filePath(QStringLiteral("Marrowtide.mdb"));
  test::WriteFile(db, "db");
  const QString staging = data.filePath(QStringLiteral(".Marrowtide.mdb.swap-a1B2c3"));
  test::WriteFile(staging, "half");
  const QString workFolder = data.filePath(QStringLiteral(".Marrowtide.mdb.work-a1B2c3"));
  ASSERT_TRUE(QDir().mkpath(workFolder));
  test::WriteFile(workFolder + "/Marrowtide_backup_en_20240101120000.mdb", "values in clear");

  const auto sorted = [](QStringList list) {
    list.sort();
    return list;
  };
  QStringList expected{staging, workFolder};
  for (const QString& name : gone) expected << QDir(program.path()).filePath(name);
  EXPECT_EQ(sorted(RemoveLeftovers(program.path(), QStringLiteral("Marrowtide"), db)), sorted(expected));
  EXPECT_EQ(sorted(QDir(program.path()).entryList(QDir::Files)), sorted(kept));
  EXPECT_EQ(QDir(data.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"Marrowtide.mdb"});

  // A database that lives in the program folder under a leftover's name (its
  // journal with it), reached also through a hard link under another.
  const QString named = QDir(program.path()).filePath(QStringLiteral("tmp.mdb"));
  test::WriteFile(named, "db");
  test::WriteFile(named + "-journal", "to roll back");
  const QString hardLink = QDir(program.path()).filePath(QStringLiteral("Marrowtide_backup_en_20240101120000.mdb"));
  ASSERT_TRUE(link(QFile::encodeName(named).constData(), QFile::encodeName(hardLink).constData()) == 0);
  EXPECT_TRUE(RemoveLeftovers(program.path(), QStringLiteral("Marrowtide"), named).isEmpty());
  EXPECT_EQ(test::FileBytes(named), QByteArray("db"));
  EXPECT_TRUE(QFile::exists(named + "-journal"));
  EXPECT_TRUE(QFile::exists(hardLink));
}

TEST(WindowSystemReachable, NeedsAPlatformOrALiveDisplaySocket) {
  const QString x7 = QStringLiteral("/tmp/.X11-unix/X7");
  const QString wayland = QStringLiteral("/run/user/1000/wayland-0");
  const struct {
    std::map<std::string, QString> vars;
    std::set<QString> sockets;
    bool reachable;
  } cases[] = {
      {{}, {}, false},
      {{{"DISPLAY", ":7"}}, {}, false},  // no X server behind it
      {{{"DISPLAY", ":7"}}, {x7}, true},
      {{{"DISPLAY", ":8"}}, {x7}, false},
      {{{"DISPLAY", "otherhost:0"}}, {}, true},
      // The Wayland socket lives in the runtime folder.
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, {wayland}, false},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}, false},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {wayland}, true},
      // An explicit platform decides alone: nobody could close a message box
      // on offscreen or minimal.
      {{{"DISPLAY", ":7"}, {"QT_QPA_PLATFORM", "offscreen"}}, {x7}, false},
      {{{"QT_QPA_PLATFORM", "xcb"}}, {}, true},
  };
  for (const auto& c : cases) {
    std::string env;
    for (const auto& [name, value] : c.vars) env += name + "=" + value.toStdString() + " ";
    const auto var = [&](const char* name) { return c.vars.count(name) ? c.vars.at(name) : QString(); };
    const auto socket = [&](const QString& path) { return c.sockets.count(path) != 0; };
    EXPECT_EQ(WindowSystemReachable(var, socket), c.reachable) << env << c.sockets.size() << " socket(s)";
  }
}

}  // namespace
}  // namespace mt

extern "C" int flock(int fd, int operation) {
  if (auto hook = std::exchange(mt::BeforeNextFlock(), nullptr)) hook();
  static const auto real = reinterpret_cast<int (*)(int, int)>(::dlsym(RTLD_NEXT, "flock"));
  return real(fd, operation);
}
