// Importing a real Jet file (tests/jetimport/data/nwind.mdb, or FILE) into a
// new keyed database, against mdb-export of all its tables to /dev/null in
// the same run (libmdb's own reading and text formatting, one process per
// table, as a person would run it). Wall time; the best of ROUNDS counts.
//
// usage: bench_jet_import [FILE [ROUNDS]]   (default nwind.mdb, 5 rounds)
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include "bench/bench_support.h"
#include "db/query.h"
#include "jetimport/jet_import.h"

using namespace mt;
using namespace mt::bench;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  InstallProductionServices();
  const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                : QStringLiteral(MT_SOURCE_DIR "/tests/jetimport/data/nwind.mdb");
  const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
  const QString exportTool = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
  QTextStream out(stdout);
  if (exportTool.isEmpty()) {
    out << "mdb-export is not installed (package mdbtools)\n";
    return 1;
  }
  QProcess lister;
  lister.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file});
  lister.waitForFinished();
  const QStringList tables = QString::fromUtf8(lister.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);

  Timing import, bare;
  qint64 rows = 0;
  for (int r = 0; r < rounds; ++r) {
    QTemporaryDir dir;
    Stopwatch ours;
    rows = jetimport::ImportJetDatabase(file, dir.filePath(QStringLiteral("imported.db")), DatabasePassword(), {}).rows;
    KeepBest(import, ours.Stop(), r == 0);
    Stopwatch theirs;
    for (const QString& table : tables) {
      QProcess p;
      p.setStandardOutputFile(QProcess::nullDevice());
      p.start(exportTool, {file, table});
      p.waitForFinished(-1);
    }
    KeepBest(bare, theirs.Stop(), r == 0);
  }
  out << "import " << tables.size() << " tables, " << rows << " rows: wall " << import.wallMs << " ms\n";
  out << "mdb-export of the same tables to /dev/null: wall " << bare.wallMs << " ms\n";
  out << "ratio import / mdb-export (wall): " << import.wallMs / bare.wallMs << "\n";
  return 0;
}
