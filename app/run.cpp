#include "app/run.h"

#include <QVariant>
#include <optional>

#include "app/globals.h"
#include "app/leftovers.h"
#include "app/log.h"
#include "app/services.h"
#include "db/path_limit.h"
#include "db/query.h"
#include "upgrade/stored_version.h"
#include "upgrade/upgrade_engine.h"

namespace mt {

namespace {

const QString kDbConnectTitle = QStringLiteral("DB 연결 실패");
const QString kM1Text = QStringLiteral("DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.");
const QString kM2Text = QStringLiteral("데이터베이스 연결에 실패하여 프로그램을 실행할 수 없습니다.");
const QString kM3Title = QStringLiteral("DB 암호화 실패");
const QString kM3Text = QStringLiteral("DB 암호화 실패로 DB 업그레이드 프로그램을 종료합니다.");

QVariant StoredVersionValue() {
  return DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), 1);
}

int32_t StoredVersion(RunPasses& passes, const QVariant& stored = StoredVersionValue()) {
  return VersionFromStored(stored, [&](const QString& text) { return passes.DBDecryptValue(text); });
}

// The version stored after the upgrade. One that no longer reads is none,
// and its failure is logged; the run goes on.
std::optional<int32_t> VersionAfterUpgrade(RunPasses& passes) {
  try {
    return StoredVersion(passes);
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modMain.Main"), e.number, e.description, 0);
    return std::nullopt;
  }
}

// Whether the schema at the newest version is that version's. Each
// difference is logged; a schema that cannot be read is not as expected.
bool SchemaAsExpected(RunPasses& passes, RunReport& report) {
  try {
    report.schemaDifferences = passes.SchemaDifferences();
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modMain.CheckSchema"), e.number, e.description, 0);
    return false;
  }
  for (const QString& difference : report.schemaDifferences)
    LogFailure(QStringLiteral("The schema differs from version %1's: ").arg(LatestDBVersion) + difference);
  return report.schemaDifferences.isEmpty();
}

// What the run has achieved so far; its outcome is the first thing missing.
struct Progress {
  bool heldElsewhere = false;
  bool opened = false;  // and still reachable after each value pass
  bool atLatest = false;
  bool encrypted = false;
  bool schemaAsExpected = true;

  RunOutcome Outcome() const {
    if (heldElsewhere) return RunOutcome::AnotherRunHoldsTheLock;
    if (!opened) return RunOutcome::NotOpened;
    if (!atLatest) return RunOutcome::NotAtLatestVersion;
    if (!encrypted) return RunOutcome::NotEncrypted;
    if (!schemaAsExpected) return RunOutcome::SchemaDiffers;
    return RunOutcome::Upgraded;
  }
};

bool Reconnected() { return DBGetConnection(Globals().DBPath) != nullptr; }

// The stored version is cipher text that the cipher opens to a version: the
// values are encrypted, whatever the marker says.
bool VersionIsCipherText(RunPasses& passes, const QVariant& stored = StoredVersionValue()) {
  const QString text = stored.toString();
  bool number = false;
  text.trimmed().toDouble(&number);
  if (number || text.isEmpty()) return false;
  const QString opened = passes.DBDecryptValue(text);
  if (opened == text) return false;
  opened.trimmed().toDouble(&number);
  return number;
}

// Steps 3 to 20 of the run: everything between the instance check and the
// shutdown. Returning early is "go to the end"; done says how far it got.
// The database lock is taken before the connection opens and stays in dbLock
// until the run ends.
void Work(const QString& argument, RunPasses& passes, const LockResult& instance,
          std::optional<RunLock>& dbLock, Progress& done, RunReport& report) {
  RunGlobals& g = Globals();
  Ui& ui = *services().ui;

  g.DBPath = (argument.size() > 0 && FileExists(argument))
                 ? argument
                 : ProgramFolder() + QStringLiteral("/Marrowtide.mdb");
  QString lockProblem = instance.why;
  if (instance.state == LockState::Taken) {
    dbLock.emplace(DatabaseLockPath(g.DBPath));
    // Another run on this database file, from this or another installation:
    // end as silently as a second copy does.
    done.heldElsewhere = dbLock->result().state == LockState::HeldElsewhere;
    if (done.heldElsewhere) return;
    lockProblem = dbLock->result().why;
  }
  g.LoggingEnabled = true;
  g.AppName = QStringLiteral("Marrowtide");
  if (!lockProblem.isEmpty()) {
    // Without its locks the run cannot tell whether another one works on
    // this database: it does not touch it.
    WriteLog(QStringLiteral("DBPath = ") + g.DBPath);
    LogFailure(lockProblem);
    ui.MessageBox(kDbConnectTitle, kM1Text);
    return;
  }
  // Every path the engine will open, at its longest: the database, a value
  // pass's work copy and the compaction's copy (each may take "~" when it
  // would name the database). One too long would end the run half done.
  for (const QString& path : {g.DBPath,
                              ProgramFolder() + QLatin1Char('/') + g.AppName +
                                  QStringLiteral("_backup_en_00000000000000~.mdb"),
                              ProgramFolder() + QStringLiteral("/tmp~.mdb")}) {
    const QString problem = EnginePathProblem(path);
    if (problem.isEmpty()) continue;
    WriteLog(QStringLiteral("DBPath = ") + g.DBPath);
    LogFailure(problem + QStringLiteral(" The run leaves the database as it is."));
    ui.MessageBox(kDbConnectTitle, kM1Text);
    return;
  }
  const QStringList removed = RemoveLeftovers(ProgramFolder(), g.AppName, g.DBPath);
  DBGetConnection(g.DBPath);
  WriteLog(QStringLiteral("DBPath = ") + g.DBPath);
  for (const QString& path : removed) WriteLog(QStringLiteral("Removed the leftover working file ") + path);

  Connection* conn = SharedConnection();
  done.opened = conn && conn->IsOpen();
  if (!done.opened) {
    ui.MessageBox(kDbConnectTitle, kM1Text);
    return;
  }
  // Nothing is built on a damaged file: no pass, no compaction, no stamp.
  if (const QString damage = conn->Damage(); !damage.isEmpty()) {
    LogFailure(QStringLiteral("The database ") + g.DBPath +
               QStringLiteral(" is damaged; the run leaves it as it is: ") + damage);
    done.opened = false;
    ui.MessageBox(kDbConnectTitle, kM1Text);
    return;
  }

  ui.ShowProgress();
  ui.ProcessEvents();

  g.IsDBEncrypted = IsDBEncrypt();
  const QVariant storedVersion = StoredVersionValue();
  const int32_t version = StoredVersion(passes, storedVersion);
  report.fromVersion = report.toVersion = QString::number(version);
  done.atLatest = version == LatestDBVersion;
  bool checkSchema = done.atLatest;

  // At the latest version an encrypted database is only pruned and
  // compacted; a plain one (a run that ended before its encryption) gets its
  // values protected first.
  if (version != LatestDBVersion) {
    // A marker that says plain over a version in cipher text lies: the
    // values are encrypted.
    if (!g.IsDBEncrypted && VersionIsCipherText(passes, storedVersion)) {
      WriteLog(QStringLiteral("IsDBEn says the values are plain, but DBVersion is cipher text that opens: "
                              "the values are taken as encrypted"));
      g.IsDBEncrypted = true;
    }
    if (g.IsDBEncrypted) {
      passes.p_DBDecrypt(version);
      done.opened = Reconnected();
      if (!done.opened) {
        ui.MessageBox(kDbConnectTitle, kM2Text);
        return;
      }
      // The scripts read and write the protected values as plain text: over
      // values still encrypted they would change nothing they mean to and
      // leave the values they add in clear. The database stays as it was
      // (encrypted, at its version) for the next run.
      if (IsDBEncrypt() || VersionIsCipherText(passes)) {
        LogFailure(QStringLiteral("The values could not be decrypted; the database is not upgraded and "
                                "stays encrypted at version ") +
                 QString::number(version));
        ui.MessageBox(ExeName(), upgrade::kUpgradeFailedText);
        return;
      }
    }
    report.upgrade = passes.p_DBUpgrade(version);
    const std::optional<int32_t> reached = VersionAfterUpgrade(passes);
    report.toVersion = reached ? QString::number(*reached) : QString();
    done.atLatest = reached && *reached >= LatestDBVersion;
    checkSchema = reached == LatestDBVersion;
    g.IsDBEncrypted = IsDBEncrypt();
  }
  if (checkSchema) done.schemaAsExpected = SchemaAsExpected(passes, report);

  if (!g.IsDBEncrypted) {
    passes.p_DBEncrypt();
    done.opened = Reconnected();
    if (!done.opened) {
      ui.MessageBox(kDbConnectTitle, kM2Text);
      return;
    }
    g.IsDBEncrypted = IsDBEncrypt();
  }

  done.encrypted = g.IsDBEncrypted;
  if (g.IsDBEncrypted) {
    passes.p_CompactDB();
    return;
  }
  ui.MessageBox(kM3Title, kM3Text);
}

}  // namespace

RunOutcome RunMain(const QString& argument, RunPasses& passes, const LockResult& instance,
                   RunReport* report) {
  WriteLog(QStringLiteral("modMain.Main Start "));
  RunReport ignored;
  RunReport& told = report ? *report : ignored;
  Progress done;
  std::optional<RunLock> dbLock;
  done.heldElsewhere = instance.state == LockState::HeldElsewhere;
  if (!done.heldElsewhere) {
    try {
      Work(argument, passes, instance, dbLock, done, told);
    } catch (...) {
      const CaughtError e = CurrentError();
      LogError(QStringLiteral("modMain.Main"), e.number, e.description, 0);
    }
  }
  Ui& ui = *services().ui;
  if (ui.IsProgressLoaded()) ui.UnloadProgress();
  WriteLog(QStringLiteral("modMain.Main End "));
  // The database is one closed file before its lock goes.
  ReleaseSharedConnection();
  return done.Outcome();
}

RunOutcome RunMain(const QString& argument, RunReport* report) {
  const RunLock instance(InstanceLockPath());
  return RunMain(argument, ProductionPasses(), instance.result(), report);
}

}  // namespace mt
