#include "app/log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringEncoder>
#include <algorithm>
#include <cstdio>
#include <exception>

#include "app/globals.h"
#include "app/services.h"
#include "db/engine.h"
#include "text/string_utils.h"

namespace mt {

namespace {

// The general failure code for anything that is not an engine error.
constexpr int32_t kGeneralFailure = -2147467259;

struct ProgramLocation {
  QString folder;
  QString exeName;
};

ProgramLocation& Overridden() {
  static ProgramLocation location;
  return location;
}

// The executable's own path, read once; Linux keeps it at /proc/self/exe.
const QFileInfo& ExecutableInfo() {
  static const QFileInfo info(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
  return info;
}

QString Timestamp() {
  return services().clock->Now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Renames a file last written on an earlier day to name_yyyy-mm-dd.ext.
// A failed rename leaves the file where it is; the line then goes there.
void RotateIfOld(const QString& target) {
  if (!FileExists(target)) return;
  const QDate written = QFileInfo(target).lastModified().date();
  if (written == services().clock->Now().date()) return;
  const QString ext = GetFileExtension(target);
  QString rotated = RemoveFileExtension(target) + QLatin1Char('_') +
                    written.toString(QStringLiteral("yyyy-MM-dd"));
  if (!ext.isEmpty()) rotated += QLatin1Char('.') + ext;
  QFile::rename(target, rotated);  // refuses to replace an existing file
}

// Only "*" and "?" are wildcards; everything else matches itself.
QRegularExpression WildcardPattern(const QString& pattern) {
  QString re;
  for (QChar c : pattern) {
    if (c == QLatin1Char('*')) re += QLatin1String(".*");
    else if (c == QLatin1Char('?')) re += QLatin1Char('.');
    else re += QRegularExpression::escape(QString(c));
  }
  return QRegularExpression(QRegularExpression::anchoredPattern(re),
                            QRegularExpression::DotMatchesEverythingOption);
}

bool& FailureEcho() {
  static bool on = false;
  return on;
}

// The line on standard error: one line end per line, nothing that drives a terminal.
void Echo(const QString& message) {
  if (!FailureEcho()) return;
  QString text;
  const QString lines = QString(message).replace(QLatin1String("\r\n"), QLatin1String("\n"));
  for (const QChar c : lines) {
    const ushort u = c.unicode();
    if ((u < 0x20 && u != '\t' && u != '\n') || (u >= 0x7f && u < 0xa0))
      text += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    else
      text += c;
  }
  text += QLatin1Char('\n');
  const QByteArray bytes = text.toLocal8Bit();
  fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
  fflush(stderr);
}

bool IsWildcard(QChar c) { return c == QLatin1Char('*') || c == QLatin1Char('?'); }

}  // namespace

QString ProgramFolder() {
  const QString& folder = Overridden().folder;
  return folder.isEmpty() ? ExecutableInfo().absolutePath() : folder;
}

QString ExeName() {
  const QString& name = Overridden().exeName;
  return name.isEmpty() ? ExecutableInfo().completeBaseName() : name;
}

void SetProgramLocation(const QString& folder, const QString& exeName) {
  Overridden() = ProgramLocation{folder, exeName};
}

QString LogFilePath() {
  return ProgramFolder() + QStringLiteral("/log/") + ExeName() + QStringLiteral(".log");
}

void WriteLog(const QString& message, const QString& file, bool force, bool noTimestamp) {
  if (!force && !Globals().LoggingEnabled) return;
  try {
    const QString target = file.isEmpty() ? LogFilePath() : file;
    RotateIfOld(target);
    QString line = noTimestamp ? message : Timestamp() + QLatin1Char('\t') + message;
    line += QLatin1String("\r\n");
    // Only a regular file takes lines: a FIFO, device or folder in its place
    // is skipped, and opening without blocking means a FIFO never waits
    // for a reader.
    const int fd = ::open(QFile::encodeName(target).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
      QStringEncoder encode(QStringConverter::System);
      const QByteArray bytes = encode(line);
      for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0) break;
        done += n;
      }
    }
    ::close(fd);
  } catch (...) {
    // The log never fails its caller.
  }
}

void LogError(const QString& procedure, int32_t number, const QString& description, int32_t line,
              bool reraise) {
  const QString text = QStringLiteral("ERROR: ") + procedure + QStringLiteral(" Line = ") +
                       QString::number(line) + QLatin1Char('\t') + QString::number(number) +
                       QLatin1Char('\t') + description;
  WriteLog(text, QString(), true, false);
  Echo(text);
  if (reraise) throw DbError(number, text, procedure);
}

void LogFailure(const QString& message) {
  WriteLog(message);
  Echo(message);
}

void SetFailureEcho(bool on) { FailureEcho() = on; }

CaughtError CurrentError() {
  try {
    throw;
  } catch (const DbError& e) {
    return {e.code(), e.description()};
  } catch (const std::exception& e) {
    return {kGeneralFailure, QString::fromLocal8Bit(e.what())};
  } catch (...) {
    return {kGeneralFailure, QStringLiteral("Unknown failure")};
  }
}

bool FileExists(const QString& path) {
  if (path.isEmpty()) return false;
  // Characters no file name of the product may hold; the path is refused.
  if (path.contains(QChar(0)) || path.contains(QLatin1Char('"'))) return false;
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  const QString dir = slash < 0 ? QStringLiteral(".") : path.left(slash + 1);
  const QString name = path.mid(slash + 1);
  if (name.isEmpty()) return false;
  if (std::any_of(dir.begin(), dir.end(), IsWildcard)) return false;
  if (!std::any_of(name.begin(), name.end(), IsWildcard)) return QFileInfo(path).isFile();

  const QRegularExpression re = WildcardPattern(name);
  const QDir folder(dir);
  const QStringList entries =
      folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
  for (const QString& entry : entries) {
    if (re.match(entry).hasMatch() && QFileInfo(folder.filePath(entry)).isFile()) return true;
  }
  return false;
}

void WaitWithEvents(int32_t ms, int32_t sleepInterval) {
  static bool waiting = false;
  if (ms == 0) ms = 100;
  if (waiting) return;
  waiting = true;
  struct Reset {
    ~Reset() { waiting = false; }
  } reset;
  // Through the clock service, so that a test's clock decides how long this takes.
  Clock& clock = *services().clock;
  const qint64 start = clock.MonotonicMs();
  for (;;) {
    services().ui->ProcessEvents();
    if (sleepInterval > 0) clock.Sleep(sleepInterval);
    if (clock.MonotonicMs() - start > ms) break;
  }
}

}  // namespace mt
