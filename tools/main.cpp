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
#include "db/engine/engine.h"
#include "db/query.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

struct Entry {
  const char* usage;
  CommandFn fn;
  bool changesDatabase;
};

std::map<QString, Entry>& Registry() {
  static std::map<QString, Entry> registry;
  return registry;
}

int Usage() {
  QTextStream err(stderr);
  err << "usage: marrowtide-db COMMAND ARGS...\n";
  for (const auto& [name, entry] : Registry()) err << "  marrowtide-db " << entry.usage << "\n";
  return kUsage;
}

}  // namespace

ToolCommand::ToolCommand(const char* name, const char* usage, CommandFn fn, bool changesDatabase) {
  Registry().emplace(QString::fromUtf8(name), Entry{usage, std::move(fn), changesDatabase});
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
