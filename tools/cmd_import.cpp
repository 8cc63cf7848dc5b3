// marrowtide-db import SOURCE DEST: a real Jet 3 / Jet 4 file (.mdb) copied
// into a new database keyed like the ones `create` makes. Standard error gets
// one line per table ("TABLE  ROWS"), remarks (skipped queries, defaults left
// out), and a summary line; standard output stays empty.
#include <QTextStream>

#include "db/engine.h"
#include "db/query.h"
#include "jetimport/jet_import.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

int Import(const QStringList& args) {
  if (args.size() != 2 || args[0].isEmpty() || args[1].isEmpty()) return UsageOf(QStringLiteral("import"));
  QTextStream err(stderr);
  jetimport::ImportReport report;
  TerminalProgress progress(QStringLiteral("import"));
  report.rowsCopied = [&](const QString& table, qint64 rows) { progress.Count(rows, table + QStringLiteral(" rows")); };
  report.tableDone = [&](const QString& table, qint64 rows) {
    progress.Done();
    err << table << "  " << rows << Qt::endl;
  };
  report.note = [&](const QString& text) { err << "note: " << text << Qt::endl; };
  try {
    const auto s = jetimport::ImportJetDatabase(args[0], args[1], DatabasePassword(), report);
    err << "imported " << s.format << " file: " << s.tables << " tables, " << s.rows << " rows, " << s.views
        << " views, " << s.procedures << " procedures, " << s.skippedQueries << " queries skipped" << Qt::endl;
  } catch (const DbError& e) {
    err.flush();
    return ReportError(e.code(), e.description());
  }
  return kOk;
}

const ToolCommand kImport("import", "import SOURCE.mdb FILE",
                          "a real Jet 3/4 file copied into a new keyed database: tables, types, "
                          "keys, descriptions, rows, queries",
                          Import, Access::Writes, 1);

}  // namespace
}  // namespace mt::tool
