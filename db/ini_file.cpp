#include "db/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <QSaveFile>
#include <QStringConverter>
#include <vector>

#include "db/file_replace.h"

namespace mt {
namespace {

struct Line {
  QByteArray text;  // without its line end
  QByteArray end;   // "\r\n", "\n" or empty (last line without one)
};

std::vector<Line> SplitLines(const QByteArray& bytes) {
  std::vector<Line> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype nl = bytes.indexOf('\n', start);
    if (nl < 0) {
      lines.push_back({bytes.mid(start), {}});
      break;
    }
    const bool crlf = nl > start && bytes.at(nl - 1) == '\r';
    const qsizetype textEnd = crlf ? nl - 1 : nl;
    lines.push_back({bytes.mid(start, textEnd - start), crlf ? QByteArray("\r\n") : QByteArray("\n")});
    start = nl + 1;
  }
  return lines;
}

bool IsOneLine(const QString& s) {
  return !s.contains(QLatin1Char('\r')) && !s.contains(QLatin1Char('\n'));
}

// The name of a section header line, or a null string when the line is none.
QString SectionName(const QString& line) {
  const QString t = line.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return {};
  const qsizetype close = t.indexOf(QLatin1Char(']'));
  return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// The key a line sets, or a null string when it sets none (comments included).
QString KeyName(const QString& line) {
  const QString t = line.trimmed();
  if (t.startsWith(QLatin1Char(';'))) return {};
  const qsizetype eq = t.indexOf(QLatin1Char('='));
  return eq < 0 ? QString() : t.left(eq).trimmed();
}

bool SameName(const QString& a, const QString& b) {
  return !a.isNull() && a.compare(b, Qt::CaseInsensitive) == 0;
}

int Write(const QString& file, const QString& sectionIn, const QString& keyIn,
          const QString& value) {
  const QString section = sectionIn.trimmed();
  const QString key = keyIn.trimmed();
  if (section.isEmpty() || key.isEmpty() || section.contains(QLatin1Char(']')) ||
      key.contains(QLatin1Char('=')) || key.startsWith(QLatin1Char(';')) ||
      key.startsWith(QLatin1Char('[')) || !IsOneLine(section) || !IsOneLine(key) ||
      !IsOneLine(value))
    return 0;

  // Only a regular file is read and replaced: a FIFO, device or folder in
  // its place is left alone (opened without blocking, so a FIFO never waits
  // for a writer).
  QByteArray old;
  const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno != ENOENT) return 0;
  if (fd >= 0) {
    struct stat st {};
    QFile in;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
      ::close(fd);
      return 0;
    }
    old = in.readAll();
  }
  std::vector<Line> lines = SplitLines(old);

  QStringEncoder encode(QStringEncoder::System);
  const QByteArray keyLine = encode(key + QLatin1Char('=') + value);
  const QByteArray headerLine = encode(QLatin1Char('[') + section + QLatin1Char(']'));
  if (encode.hasError()) return 0;
  QByteArray eol("\r\n");
  for (const Line& l : lines)
    if (!l.end.isEmpty()) {
      eol = l.end;
      break;
    }

  QStringDecoder decode(QStringDecoder::System);
  qsizetype sectionAt = -1, lastFilled = -1, keyAt = -1;
  for (qsizetype i = 0; i < static_cast<qsizetype>(lines.size()); ++i) {
    const QString text = decode(lines[i].text);
    const QString name = SectionName(text);
    if (!name.isNull()) {
      if (sectionAt >= 0) break;  // the end of our section
      if (SameName(name, section)) sectionAt = lastFilled = i;
      continue;
    }
    if (sectionAt < 0) continue;
    if (SameName(KeyName(text), key)) {
      keyAt = i;
      break;
    }
    if (!text.trimmed().isEmpty()) lastFilled = i;
  }

  if (keyAt >= 0) {
    lines[keyAt].text = keyLine;
  } else {
    qsizetype at = sectionAt >= 0 ? lastFilled + 1 : static_cast<qsizetype>(lines.size());
    if (at > 0 && lines[at - 1].end.isEmpty()) lines[at - 1].end = eol;
    std::vector<Line> added;
    if (sectionAt < 0) added.push_back({headerLine, eol});
    added.push_back({keyLine, eol});
    lines.insert(lines.begin() + at, added.begin(), added.end());
  }

  QByteArray out;
  out.reserve(old.size() + keyLine.size() + headerLine.size() + 4);
  for (const Line& l : lines) out += l.text + l.end;

  QSaveFile save(file);
  if (!save.open(QIODevice::WriteOnly)) return 0;
  if (save.write(out) != out.size()) {
    save.cancelWriting();
    return 0;
  }
  return save.commit() ? 1 : 0;
}

}  // namespace

int WriteINIValue(const QString& file, const QString& section, const QString& key,
                  const QString& value) {
  const int result = Write(file, section, key, value);
  FlushINIFile(file);
  return result;
}

void FlushINIFile(const QString& file) { SyncFolderOf(file); }

}  // namespace mt
