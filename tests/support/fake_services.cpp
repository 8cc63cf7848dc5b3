#include "support/fake_services.h"

#include <QDir>
#include <QFile>

#include "app/globals.h"
#include "app/log.h"
#include "db/query.h"
#include "protect/cipher.h"

namespace mt::test {

QStringList RecordingUi::Boxes() const {
  QStringList boxes;
  for (const QString& c : calls)
    if (c.startsWith(QLatin1String("Box "))) boxes << c.mid(4);
  return boxes;
}

ProgramFolder::ProgramFolder(bool withLogFolder) {
  if (withLogFolder) QDir(dir_.path()).mkdir(QStringLiteral("log"));
  SetProgramLocation(dir_.path(), QStringLiteral("marrowtide-dbupgrade"));
}

ProgramFolder::~ProgramFolder() { SetProgramLocation(QString(), QString()); }

QString ProgramFolder::LogPath() const {
  return dir_.filePath(QStringLiteral("log/marrowtide-dbupgrade.log"));
}

QString ProgramFolder::LogText() const {
  QFile f(LogPath());
  if (!f.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(f.readAll());
}

QStringList TimestampedMessages(const QString& logText) {
  QStringList messages;
  for (const QString& line : logText.split(QStringLiteral("\r\n"))) {
    // "yyyy-mm-dd hh:nn:ss" is 19 characters, then the tab.
    if (line.size() > 20 && line.at(19) == QLatin1Char('\t')) messages << line.mid(20);
  }
  return messages;
}

QStringList ProgramFolder::LogMessages() const { return TimestampedMessages(LogText()); }

int ProgramFolder::ErrorLines(const QString& procedure) const {
  return static_cast<int>(LogText().count(QStringLiteral("ERROR: ") + procedure));
}

ServicesScope::ServicesScope() {
  Globals() = RunGlobals{};
  ReleaseSharedConnection();
  SetClock(&clock);
  SetUi(&ui);
}

ServicesScope::~ServicesScope() {
  ReleaseSharedConnection();
  SetUi(nullptr);
  SetClock(nullptr);
  Globals() = RunGlobals{};
}

SpineScope::SpineScope(bool withLogFolder) : folder(withLogFolder) { SetDefaultEngine(&engine); }

SpineScope::~SpineScope() {
  ReleaseSharedConnection();
  SetDefaultEngine(nullptr);
}

RealFilesScope::RealFilesScope() {
  ResetCipherComponent();
  SetCryptoFactory(&crypto_);
  Globals().AppName = QStringLiteral("Marrowtide");
  Globals().LoggingEnabled = true;
  Globals().DBPath = data.filePath(QStringLiteral("Marrowtide.mdb"));
}

RealFilesScope::~RealFilesScope() {
  ReleaseSharedConnection();
  ResetCipherComponent();
  SetCryptoFactory(nullptr);
}

}  // namespace mt::test
