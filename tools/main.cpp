// marrowtide-db: a command-line tool for people who look after Marrowtide
// databases, and for tests. It drives the same modules as the upgrade program
// but is not the upgrade run.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <unistd.h>
#include <QTextStream>
#include <cstdio>
#include <map>

#include "app/production.h"
#include "app/program_help.h"
#include "app/run_lock.h"
#include "db/engine.h"
#include "db/file_replace.h"
#include "db/query.h"
#include "protect/cipher.h"
#include "tools/command.h"
#include "upgrade/stored_version.h"

namespace mt::tool {
namespace {

struct Entry {
  QString usage;
  QString summary;
  CommandFn fn;
  Access access;
  int databaseArgument;
};

std::map<QString, Entry>& Registry() {
  static std::map<QString, Entry> registry;
  return registry;
}

// "marrowtide-db USAGE" padded to one column (or followed by two spaces when
// longer), then the summary.
QString Line(const Entry& entry) {
  const QString usage = QStringLiteral("marrowtide-db ") + entry.usage;
  return (usage.size() < 44 ? usage.leftJustified(44) : usage + QStringLiteral("  ")) + entry.summary;
}

bool IsHelp(const QString& arg) { return arg == QLatin1String("--help") || arg == QLatin1String("-h"); }

// The whole usage: the command lines, then the conventions they share.
void PrintUsage(QTextStream& out) {
  out << "usage: marrowtide-db COMMAND ARGS...   (marrowtide-db COMMAND --help: that command)\n"
         "       marrowtide-db --help | -h | --version\n\n";
  for (const auto& [name, entry] : Registry()) out << "  " << Line(entry) << "\n";
  out << "\n"
         "Exit status: 0 success; 1 the engine or the operation failed (standard error:\n"
         "\"error: DESCRIPTION (code CODE)\"), or validate found differences; 2 wrong usage.\n"
         "Commands that change FILE, and backup, hold its database lock and refuse (exit 1)\n"
         "while an upgrade run or another such command holds it.\n"
         "\n"
         "sql and schema print tab-separated fields. Null is \\N; a tab, line feed, carriage\n"
         "return and backslash are written \\t, \\n, \\r, \\\\, any other control character\n"
         "\\xHH; dates yyyy-mm-dd hh:nn:ss; Yes/No True/False; binary values 0x and hex.\n"
         "sql --csv writes RFC 4180 CSV with a header; sql --json an array of objects\n"
         "(numbers as numbers, dates as ISO text, binary values as hex).\n";
}

int Usage() {
  QTextStream err(stderr);
  PrintUsage(err);
  return kUsage;
}

// The Jet and ACE signature at offset 4 of an Access file.
bool IsJetFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(19);
  return head.mid(4) == "Standard Jet DB" || head.mid(4) == "Standard ACE DB";
}

// A failure's own text: a log line passed on inside it ("ERROR: proc Line =
// n TAB code TAB text") is reduced to its text; line ends become "; ".
QString PlainDescription(QString text) {
  static const QRegularExpression logLine(QStringLiteral("^ERROR: \\S+ Line = -?\\d+\\t-?\\d+\\t"));
  for (QRegularExpressionMatch m = logLine.match(text); m.hasMatch(); m = logLine.match(text))
    text = text.mid(m.capturedLength());
  text.replace(QLatin1String("\r\n"), QLatin1String("; "));
  QString out;
  for (const QChar c : text) {
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) out += QLatin1String("; ");
    else if (c == QLatin1Char('\t')) out += QLatin1Char(' ');
    else if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
      out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    else out += c;
  }
  return out.trimmed();
}

}  // namespace

ToolCommand::ToolCommand(const char* name, const char* usage, const char* summary, CommandFn fn,
                         Access access, int databaseArgument) {
  Registry().emplace(QString::fromUtf8(name), Entry{QString::fromUtf8(usage), QString::fromUtf8(summary),
                                                    std::move(fn), access, databaseArgument});
}

struct DatabaseLockHold::Held {
  RunLock lock;
};

DatabaseLockHold::DatabaseLockHold(const QString& path, Access access) {
  if (access == Access::None) return;
  held_ = new Held{RunLock(DatabaseLockPath(path),
                           access == Access::Reads ? LockMode::Shared : LockMode::Exclusive)};
  const LockResult& result = held_->lock.result();
  if (result.state == LockState::HeldElsewhere)
    status_ = ReportError(0, QStringLiteral("%1 is in use: a run is working on this database, or another "
                                            "marrowtide-db command is; try again when it has ended")
                                 .arg(path));
  else if (result.state == LockState::Unavailable)
    status_ = ReportError(0, result.why);
  if (status_ != kOk) return;
  // Under the lock no other command works beside the file: what a killed one
  // left there (private work folders, staging files) goes.
  for (const QString& left : LeftoverStagingFiles(path)) {
    if (QFileInfo(left).isDir() && !QFileInfo(left).isSymLink()) QDir(left).removeRecursively();
    else QFile::remove(left);
  }
}

DatabaseLockHold::~DatabaseLockHold() { delete held_; }

int UsageOf(const QString& name, const QString& what) {
  QTextStream(stderr) << "marrowtide-db " << name << ": " << what << "\nusage: " << Line(Registry().at(name)) << "\n";
  return kUsage;
}

int ReportError(int code, const QString& description) {
  QTextStream err(stderr);
  err << "error: " << PlainDescription(description);
  if (code != 0) err << " (code " << code << ")";
  err << "\n";
  return kFailed;
}

int ReportOpenError(const QString& path, int code, const QString& description) {
  if (IsJetFile(path))
    return ReportError(code, QStringLiteral("%1 is a Jet (Access) file, not a Marrowtide database; copy it into "
                                            "one with: marrowtide-db import %1 NEW.mdb")
                                 .arg(path));
  return ReportError(code, description);
}

TerminalProgress::TerminalProgress(QString what) : what_(std::move(what)), terminal_(isatty(STDERR_FILENO) == 1) {}

void TerminalProgress::Show(const QString& text) {
  if (!terminal_ || text == last_) return;
  last_ = text;
  shown_ = true;
  QTextStream(stderr) << "\r" << what_ << ": " << text << "\x1b[K" << Qt::flush;
}

void TerminalProgress::Percent(double percent) { Show(QString::number(qBound(0.0, percent, 100.0), 'f', 0) + QLatin1Char('%')); }

void TerminalProgress::Count(qint64 count, const QString& unit) { Show(QString::number(count) + QLatin1Char(' ') + unit); }

void TerminalProgress::Done() {
  if (!shown_) return;
  shown_ = false;
  QTextStream(stderr) << "\r\x1b[K" << Qt::flush;
}

int WithDatabase(const QString& path, const std::function<void(Connection&, QTextStream& out)>& work,
                 bool readOnly) {
  QTextStream out(stdout);
  std::unique_ptr<Connection> connection;
  try {
    connection = readOnly ? DefaultEngine().OpenReadOnly(path, DatabasePassword())
                          : DefaultEngine().Open(path, DatabasePassword());
  } catch (const DbError& e) {
    return ReportOpenError(path, e.code(), e.description());
  }
  try {
    work(*connection, out);
    connection->Close();
  } catch (const DbError& e) {
    out.flush();
    return ReportError(e.code(), e.description());
  }
  return kOk;
}

QVariant Setting(Connection& connection, const QString& id, const QVariant& def) {
  // Without TSettings (an odd or imported file) the run reads its default too.
  if (!connection.GetCatalog().HasTable(QStringLiteral("TSettings"))) return def;
  QVariant value = def;
  auto rs = connection.OpenRecordset(
      QStringLiteral("SELECT Val1 FROM TSettings WHERE ID LIKE '") + id + QLatin1Char('\''),
      CursorType::Static, LockType::ReadOnly);
  if (!rs->Eof() && !rs->Value(0).isNull()) value = rs->Value(0);
  rs->Close();
  return value;
}

int32_t StoredVersion(Connection& connection) {
  return VersionFromStored(Setting(connection, QStringLiteral("DBVersion"), 1),
                           [](const QString& text) { return DBDecryptValue(text); });
}

}  // namespace mt::tool

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  mt::InstallProductionServices();
  QStringList args = app.arguments();
  args.removeFirst();
  if (args.isEmpty()) return mt::tool::Usage();
  if (args.size() == 1 && mt::tool::IsHelp(args.first())) {
    QTextStream out(stdout);
    mt::tool::PrintUsage(out);
    return mt::tool::kOk;
  }
  if (args == QStringList{QStringLiteral("--version")}) {
    QTextStream(stdout) << mt::VersionText(QStringLiteral("marrowtide-db"));
    return mt::tool::kOk;
  }
  auto it = mt::tool::Registry().find(args.first());
  if (it == mt::tool::Registry().end()) {
    QTextStream(stderr) << "marrowtide-db: unknown command '" << args.first() << "'\n";
    return mt::tool::Usage();
  }
  args.removeFirst();
  if (args.size() == 1 && mt::tool::IsHelp(args.first())) {
    QTextStream(stdout) << mt::tool::Line(it->second) << "\n";
    return mt::tool::kOk;
  }
  // Every command on a database file holds its database lock, as a run does:
  // it never works under a running upgrade, nor one under it, and it never
  // reads a half-done state.
  const mt::tool::Entry& entry = it->second;
  const bool named = entry.access != mt::tool::Access::OwnChoice && entry.databaseArgument < args.size();
  const mt::tool::DatabaseLockHold hold(named ? args[entry.databaseArgument] : QString(),
                                        named ? entry.access : mt::tool::Access::None);
  if (hold.status() != mt::tool::kOk) return hold.status();
  return entry.fn(args);
}
