// marrowtide-db: a command-line tool for people who look after Marrowtide
// databases, and for tests. It drives the same modules as the upgrade program
// but is not the upgrade run.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <map>
#include <optional>

#include "app/production.h"
#include "app/run_lock.h"
#include "db/engine.h"
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
  bool changesDatabase;
};

std::map<QString, Entry>& Registry() {
  static std::map<QString, Entry> registry;
  return registry;
}

// "marrowtide-db USAGE" padded to one column, then the summary.
QString Line(const Entry& entry) {
  return (QStringLiteral("marrowtide-db ") + entry.usage).leftJustified(44) + entry.summary;
}

int Usage() {
  QTextStream err(stderr);
  err << "usage: marrowtide-db COMMAND ARGS...   (marrowtide-db COMMAND --help: that command)\n";
  for (const auto& [name, entry] : Registry()) err << "  " << Line(entry) << "\n";
  return kUsage;
}

}  // namespace

ToolCommand::ToolCommand(const char* name, const char* usage, const char* summary, CommandFn fn,
                         bool changesDatabase) {
  Registry().emplace(QString::fromUtf8(name), Entry{QString::fromUtf8(usage), QString::fromUtf8(summary),
                                                    std::move(fn), changesDatabase});
}

int UsageOf(const QString& name) {
  QTextStream(stderr) << "usage: " << Line(Registry().at(name)) << "\n";
  return kUsage;
}

int ReportError(int code, const QString& description) {
  QTextStream(stderr) << "error " << code << ": " << description << "\n";
  return kFailed;
}

int WithDatabase(const QString& path, const std::function<void(Connection&, QTextStream& out)>& work) {
  QTextStream out(stdout);
  try {
    auto connection = DefaultEngine().Open(path, DatabasePassword());
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
  auto it = mt::tool::Registry().find(args.first());
  if (it == mt::tool::Registry().end()) return mt::tool::Usage();
  args.removeFirst();
  if (args == QStringList{QStringLiteral("--help")}) {
    QTextStream(stdout) << mt::tool::Line(it->second) << "\n";
    return mt::tool::kOk;
  }
  // A command that changes FILE holds its database lock, as a run does, so
  // it never works under a running upgrade, nor one under it.
  std::optional<mt::RunLock> lock;
  if (it->second.changesDatabase && !args.isEmpty()) {
    lock.emplace(mt::DatabaseLockPath(args.first()));
    const mt::LockResult& held = lock->result();
    if (held.state == mt::LockState::HeldElsewhere)
      return mt::tool::ReportError(0, QStringLiteral("%1 is in use by an upgrade run or another "
                                                     "marrowtide-db command; try again when it has ended")
                                          .arg(args.first()));
    if (held.state == mt::LockState::Unavailable) return mt::tool::ReportError(0, held.why);
  }
  return it->second.fn(args);
}
