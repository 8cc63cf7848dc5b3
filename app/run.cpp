#include "app/run.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocale>
#include <QLockFile>
#include <QVariant>
#include <cmath>
#include <optional>
#include <unistd.h>

#include "app/globals.h"
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
// shutdown. Returning early is "go to the end".
void Work(const QString& argument, RunPasses& passes) {
  RunGlobals& g = Globals();
  Ui& ui = *services().ui;

  g.DBPath = (argument.size() > 0 && FileExists(argument))
                 ? argument
                 : ProgramFolder() + QStringLiteral("/Marrowtide.mdb");
  g.LoggingEnabled = true;
  g.AppName = QStringLiteral("Marrowtide");
  DBGetConnection(g.DBPath);
  WriteLog(QStringLiteral("DBPath = ") + g.DBPath);

  Connection* conn = SharedConnection();
  if (!conn || !conn->IsOpen()) {
    ui.MessageBox(kDbConnectTitle, kM1Text);
    return;
  }

  ui.ShowProgress();
  ui.ProcessEvents();

  g.IsDBEncrypted = IsDBEncrypt();
  const int32_t version = StoredVersion(passes);

  if (version == LatestDBVersion) {
    passes.p_CompactDB();
    return;
  }

  if (g.IsDBEncrypted) {
    passes.p_DBDecrypt(version);
    if (!Reconnected()) {
      ui.MessageBox(kDbConnectTitle, kM2Text);
      return;
    }
  }

  passes.p_DBUpgrade(version);
  g.IsDBEncrypted = IsDBEncrypt();

  if (!g.IsDBEncrypted) {
    passes.p_DBEncrypt();
    if (!Reconnected()) {
      ui.MessageBox(kDbConnectTitle, kM2Text);
      return;
    }
    g.IsDBEncrypted = IsDBEncrypt();
  }

  if (g.IsDBEncrypted) {
    passes.p_CompactDB();
    return;
  }
  ui.MessageBox(kM3Title, kM3Text);
}

}  // namespace

int RunMain(const QString& argument, RunPasses& passes, bool anotherInstanceRunning) {
  WriteLog(QStringLiteral("modMain.Main Start "));
  if (!anotherInstanceRunning) {
    try {
      Work(argument, passes);
    } catch (...) {
      const CaughtError e = CurrentError();
      LogError(QStringLiteral("modMain.Main"), e.number, e.description, 0);
    }
  }
  Ui& ui = *services().ui;
  if (ui.IsProgressLoaded()) ui.UnloadProgress();
  WriteLog(QStringLiteral("modMain.Main End "));
  return 0;
}

QString InstanceLockPath() {
  // Keyed by folder and user: copies installed in different folders guard
  // different databases and logs, and another user's copy cannot block ours.
  const QByteArray key = (QDir(ProgramFolder()).canonicalPath() + QLatin1Char('\n') +
                          qEnvironmentVariable("USER") + QLatin1Char('\n') +
                          QString::number(getuid()))
                             .toUtf8();
  const QString digest =
      QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
  return QDir::tempPath() + QStringLiteral("/marrowtide-dbupgrade-") + digest +
         QStringLiteral(".lock");
}

int RunMain(const QString& argument) {
  QLockFile lock(InstanceLockPath());
  // A long run must never look stale to a second process; a crashed run's
  // lock is still taken over, because its process is gone.
  lock.setStaleLockTime(0);
  const bool locked = lock.tryLock(0);
  const int status = RunMain(argument, ProductionPasses(), !locked);
  // The process ends here: leave the database as one closed file.
  ReleaseSharedConnection();
  return status;
}

}  // namespace mt
