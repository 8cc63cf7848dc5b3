#include "app/run.h"

#include <QLocale>
#include <QVariant>
#include <cmath>
#include <optional>

#include "app/globals.h"
#include "app/leftovers.h"
#include "app/log.h"
#include "app/services.h"
#include "db/query.h"

namespace mt {

namespace {

const QString kDbConnectTitle = QStringLiteral("DB 연결 실패");
const QString kM1Text = QStringLiteral("DB 연결 실패로 DB 업그레이드 프로그램을 종료합니다.");
const QString kM2Text = QStringLiteral("데이터베이스 연결에 실패하여 프로그램을 실행할 수 없습니다.");
const QString kM3Title = QStringLiteral("DB 암호화 실패");
const QString kM3Text = QStringLiteral("DB 암호화 실패로 DB 업그레이드 프로그램을 종료합니다.");

// The classic conversion failures of a version that is not a whole number.
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kOverflow = 6;

// A number read the classic way: numeric values as they are, texts when they
// read as a decimal number (blanks around it allowed). Nothing otherwise.
std::optional<double> AsNumber(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return std::nullopt;
  if (value.typeId() == QMetaType::QString) {
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const double d = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
  }
  bool ok = false;
  const double d = value.toDouble(&ok);
  if (!ok || !std::isfinite(d)) return std::nullopt;
  return d;
}

// Whole-number conversion with rounding half to even, failing outside 32 bits.
int32_t ToLong(double d) {
  const double r = std::nearbyint(d);  // default rounding mode: half to even
  if (r < INT32_MIN || r > INT32_MAX) throw DbError(kOverflow, QStringLiteral("Overflow"));
  return static_cast<int32_t>(r);
}

int32_t StoredVersion(RunPasses& passes) {
  const QVariant stored =
      DBGetValue(QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'"), 1);
  if (const auto n = AsNumber(stored)) return ToLong(*n);
  // Encrypted databases keep the version encrypted too.
  const QString plain = passes.DBDecryptValue(stored.toString());
  if (const auto n = AsNumber(plain)) return ToLong(*n);
  throw DbError(kTypeMismatch, QStringLiteral("Type mismatch"));
}

bool Reconnected() { return DBGetConnection(Globals().DBPath) != nullptr; }

// Steps 3 to 20 of the run: everything between the instance check and the
// shutdown. Returning early is "go to the end". The database lock is taken
// before the connection opens and stays in dbLock until the run ends.
RunOutcome Work(const QString& argument, RunPasses& passes, const LockResult& instance,
                std::optional<RunLock>& dbLock) {
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
    if (dbLock->result().state == LockState::HeldElsewhere) return RunOutcome::AnotherRunHoldsTheLock;
    lockProblem = dbLock->result().why;
  }
  g.LoggingEnabled = true;
  g.AppName = QStringLiteral("Marrowtide");
  if (!lockProblem.isEmpty()) {
    // Without its locks the run cannot tell whether another one works on
    // this database: it does not touch it.
    WriteLog(QStringLiteral("DBPath = ") + g.DBPath);
    WriteLog(lockProblem);
    ui.MessageBox(kDbConnectTitle, kM1Text);
    return RunOutcome::Completed;
  }
  const QStringList removed = RemoveLeftovers(ProgramFolder(), g.AppName, g.DBPath);
  DBGetConnection(g.DBPath);
  WriteLog(QStringLiteral("DBPath = ") + g.DBPath);
  for (const QString& path : removed) WriteLog(QStringLiteral("Removed the leftover working file ") + path);

  Connection* conn = SharedConnection();
  if (!conn || !conn->IsOpen()) {
    ui.MessageBox(kDbConnectTitle, kM1Text);
    return RunOutcome::Completed;
  }

  ui.ShowProgress();
  ui.ProcessEvents();

  g.IsDBEncrypted = IsDBEncrypt();
  const int32_t version = StoredVersion(passes);

  // At the latest version an encrypted database is only pruned and
  // compacted; a plain one (a run that ended before its encryption) gets its
  // values protected first.
  if (version != LatestDBVersion) {
    if (g.IsDBEncrypted) {
      passes.p_DBDecrypt(version);
      if (!Reconnected()) {
        ui.MessageBox(kDbConnectTitle, kM2Text);
        return RunOutcome::Completed;
      }
    }
    passes.p_DBUpgrade(version);
    g.IsDBEncrypted = IsDBEncrypt();
  }

  if (!g.IsDBEncrypted) {
    passes.p_DBEncrypt();
    if (!Reconnected()) {
      ui.MessageBox(kDbConnectTitle, kM2Text);
      return RunOutcome::Completed;
    }
    g.IsDBEncrypted = IsDBEncrypt();
  }

  if (g.IsDBEncrypted) {
    passes.p_CompactDB();
    return RunOutcome::Completed;
  }
  ui.MessageBox(kM3Title, kM3Text);
  return RunOutcome::Completed;
}

}  // namespace

RunOutcome RunMain(const QString& argument, RunPasses& passes, const LockResult& instance) {
  WriteLog(QStringLiteral("modMain.Main Start "));
  RunOutcome outcome = RunOutcome::AnotherRunHoldsTheLock;
  std::optional<RunLock> dbLock;
  if (instance.state != LockState::HeldElsewhere) {
    try {
      outcome = Work(argument, passes, instance, dbLock);
    } catch (...) {
      outcome = RunOutcome::Completed;
      const CaughtError e = CurrentError();
      LogError(QStringLiteral("modMain.Main"), e.number, e.description, 0);
    }
  }
  Ui& ui = *services().ui;
  if (ui.IsProgressLoaded()) ui.UnloadProgress();
  WriteLog(QStringLiteral("modMain.Main End "));
  // The database is one closed file before its lock goes.
  ReleaseSharedConnection();
  return outcome;
}

RunOutcome RunMain(const QString& argument) {
  const RunLock instance(InstanceLockPath());
  return RunMain(argument, ProductionPasses(), instance.result());
}

}  // namespace mt
