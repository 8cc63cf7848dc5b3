// marrowtide-db import SOURCE DEST [--codepage N]: a real Jet 3 / Jet 4 file
// (.mdb) copied into a new database keyed like the ones `create` makes.
// Standard error gets one line per table ("TABLE  ROWS"), remarks (skipped
// queries, views that do not run, keys and defaults left out, the Jet
// library's own messages, a few at most), and a summary line; standard output
// stays empty. --codepage N reads a Jet 3 file's texts in Windows code page N
// instead of the one the file records.
#include <QTextStream>

#include "db/engine.h"
#include "db/query.h"
#include "jetimport/jet_import.h"
#include "tools/command.h"

namespace mt::tool {
namespace {

int Import(QStringList args) {
  jetimport::ImportOptions options;
  const qsizetype at = args.indexOf(QStringLiteral("--codepage"));
  if (at >= 0 && at < 2)  // the lock is taken on the second argument, DEST
    return UsageOf(QStringLiteral("import"), QStringLiteral("--codepage N comes after SOURCE.mdb and FILE"));
  if (at >= 0) {
    bool ok = false;
    options.codePage = args.value(at + 1).toInt(&ok);
    if (!ok || options.codePage <= 0 || options.codePage > 65535)
      return UsageOf(QStringLiteral("import"),
                     QStringLiteral("--codepage: '%1' is not a Windows code page number (e.g. 1252, 949)")
                         .arg(args.value(at + 1)));
    args.remove(at, 2);
  }
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
    const auto s = jetimport::ImportJetDatabase(args[0], args[1], DatabasePassword(), report, options);
    if (options.codePage != 0 && s.format != QStringLiteral("Jet 3"))
      err << "note: --codepage has no effect on a " << s.format << " file: its texts are Unicode" << Qt::endl;
    err << "imported " << s.format << " file: " << s.tables << " tables, " << s.rows << " rows, " << s.views
        << " views (" << s.viewsThatRun << " run), " << s.procedures << " procedures, " << s.skippedQueries << " queries skipped" << Qt::endl;
  } catch (const DbError& e) {
    err.flush();
    return ReportError(e.code(), e.description());
  }
  return kOk;
}

const ToolCommand kImport("import", "import SOURCE.mdb FILE [--codepage N]",
                          "a real Jet 3/4 file copied into a new keyed database: tables, types, "
                          "keys, descriptions, rows, queries",
                          Import, Access::Writes, 1);

}  // namespace
}  // namespace mt::tool
