// Kills the real upgrade program with SIGKILL at many points of its run and
// shows that the database survives every kill: the program is copied with a
// log folder into a folder of its own, the database beside it; it is killed
// (at a time offset, or inside a chosen step: version 388 with its 19,709
// inserts, from the moment its staged script appears in the program folder;
// a code migration; the decryption or the encryption pass; the pruning or
// the compaction - each at a random moment within the time the step took in
// the uninterrupted run), run again to completion, and the result is checked
// against an uninterrupted run of the same input:
//  - right after each kill the database path holds a database that opens
//    and passes PRAGMA integrity_check;
//  - after the final run it is at version 405 with the reference schema
//    (marrowtide-db schema against tests/schema/reference_405.tsv), passes
//    the integrity check, every row seeded before the first run is there
//    with the values the uninterrupted run gave it, every table holds as
//    many rows and the same distinct rows as after the uninterrupted run
//    (protected values compared decrypted, so a value in clear or with a
//    second layer differs; only the TSettings rows DBVersion and IsDBEn are
//    left out, checked on their own), the values are encrypted as after the
//    uninterrupted run, and no protected value is stored in clear in a
//    database marked encrypted.
// Also reported, as observations: files left in the program folder and the
// error lines of the final runs.
//
// Two inputs alternate: a plain version-2 database (every script, migration,
// the encryption pass and the compaction) and a version-300 database with
// encrypted values (the typical run: decryption pass first).
//
// usage: bench_crash_kill [--kills N] [--seed S] [--shim LIB] [--program EXE] [--tool EXE]
//   --shim: a preload library that skips the run's fixed waits of a second
//           or more (tests/crash/skip_waits.c); without it every value pass
//           waits its real 10 s.
//   Exit status 0 when every check held.
#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <optional>

#include "app/globals.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "bench/run_checks.h"
#include "db/engine.h"
#include "db/query.h"
#include "protect/cipher.h"

using namespace mt;
using namespace mt::bench;

namespace {

QTextStream out(stdout);

struct Options : Setup {
  int kills = 24;
  quint32 seed = 20240704;
};

struct Input {
  QString name, path;
  Snapshot reference;
  qint64 cleanMs = 0;
  QStringList migrations;  // the code-migration log lines its run writes
  QMap<QString, qint64> timeline;  // when the uninterrupted run's lines and files appeared
  // How long the uninterrupted run took from one line or file to another (at least 1 ms).
  int Span(const QString& from, const QString& to) const {
    return int(std::max<qint64>(1, timeline.value(to, -1) - timeline.value(from, 0)));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  Options o;
  UseBuiltPrograms(o, QCoreApplication::applicationDirPath());
  const QStringList args = app.arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == u"--kills") o.kills = args[i + 1].toInt();
    else if (args[i] == u"--seed") o.seed = args[i + 1].toUInt();
    else if (!TakeProgramOption(o, args[i], args[i + 1])) {
      out << "unknown option " << args[i] << "\n";
      return 2;
    }
  }
  for (const QString& f : {o.program, o.tool})
    if (!QFileInfo(f).isExecutable()) {
      out << "not built: " << f << "\n";
      return 2;
    }

  QTemporaryDir root;
  InstallBenchServices(root.filePath(QStringLiteral("driver")), QStringLiteral("driver"), false);

  const QStringList reference = ReferenceSchema();
  if (reference.isEmpty()) {
    out << "cannot read the reference schema\n";
    return 2;
  }

  // The two inputs, seeded before anything runs on them.
  std::vector<Input> inputs(2);
  inputs[0].name = QStringLiteral("plain v2");
  inputs[0].path = root.filePath(QStringLiteral("plain2.mdb"));
  inputs[1].name = QStringLiteral("encrypted v300");
  inputs[1].path = root.filePath(QStringLiteral("encrypted300.mdb"));
  try {
    MakeDatabase(inputs[0].path, 2);
    ExecuteOn(inputs[0].path, SeedStatements());
    QFile::copy(inputs[0].path, inputs[1].path);
    UpgradeDatabase(inputs[1].path, 2, 300);
    EncryptValues(inputs[1].path, 300);
  } catch (const DbError& e) {
    out << "cannot build the inputs: " << e.description() << "\n";
    return 2;
  }
  Globals() = RunGlobals{};
  ResetCipherComponent();

  int failures = 0;
  auto fail = [&](const QString& what) {
    ++failures;
    out << "  FAIL " << what << "\n";
    out.flush();
  };
  // Everything a finished run must show; empty when it does.
  auto check = [&](const QString& db, const Snapshot* want) -> QString {
    const Snapshot s = Read(db, true);
    QStringList problems;
    if (!s.opened) return QStringLiteral("does not open: ") + s.openError;
    if (s.integrity != u"ok") problems << QStringLiteral("integrity: ") + s.integrity;
    if (s.version != u"405") problems << QStringLiteral("version ") + s.version;
    if (s.inClear > 0) problems << QStringLiteral("%1 protected values stored in clear in a database marked encrypted").arg(s.inClear);
    const QString schema = SchemaDifference(reference, ToolSchema(o, db));
    if (!schema.isEmpty()) problems << QStringLiteral("schema:\n      ") + schema;
    if (want) {
      if (want->encrypted && !s.encrypted) problems << QStringLiteral("values left plain (IsDBEn says plain)");
      const QString rows = RowsDifference(*want, s);
      if (!rows.isEmpty()) problems << QStringLiteral("seeded rows:\n      ") + rows;
      const QString tables = TablesDifference(*want, s);
      if (!tables.isEmpty()) problems << QStringLiteral("tables:\n      ") + tables;
    }
    return problems.join(QStringLiteral("\n    "));
  };

  out << "uninterrupted runs\n";
  for (Input& in : inputs) {
    const QString folder = NewProgramFolder(root.path(), QStringLiteral("clean"), o, in.path);
    Program program(folder, o);
    const RunResult r = program.Run(std::nullopt);
    const QString db = folder + QStringLiteral("/Marrowtide.mdb");
    in.reference = Read(db, true);
    in.cleanMs = r.ms;
    in.timeline = r.seen;
    static const QRegularExpression migration(QStringLiteral("modMain\\.p_DBUpgrade_\\d+ Start"));
    for (auto it = migration.globalMatch(program.Log()); it.hasNext();) {
      const QString line = it.next().captured(0);
      if (!in.migrations.contains(line)) in.migrations << line;
    }
    QString problems = r.finished ? check(db, nullptr) : QStringLiteral("did not finish");
    for (const auto& [table, rows] : in.reference.seeds) {
      if (rows.empty()) problems += QStringLiteral("\n    no seeded row left in ") + table;
      else if (rows[0].contains(QStringLiteral("<error>"))) problems += QStringLiteral("\n    ") + table + u' ' + rows[0].first();
    }
    if (!in.reference.openError.isEmpty()) problems += QStringLiteral("\n    ") + in.reference.openError;
    out << "  " << in.name << ": " << r.ms << " ms, " << (in.reference.encrypted ? "encrypted" : "PLAIN")
        << (problems.isEmpty() ? QString() : QStringLiteral("\n    ") + problems) << "\n    steps (ms): version 388 "
        << in.Span(QStringLiteral("10388.sql"), QStringLiteral("10389.sql"));
    for (const QString& m : in.migrations)
      out << ", " << QString(m).section(u'_', -1).section(u' ', 0, 0) << " "
          << in.Span(m, QString(m).replace(QLatin1String(" Start"), QLatin1String(" End")));
    for (const char* pass : {"DBDecrypt", "DBEncrypt"})
      if (in.timeline.contains(QStringLiteral("modMain.p_%1 Start").arg(QLatin1String(pass))))
        out << ", " << pass << " " << in.Span(QStringLiteral("modMain.p_%1 Start").arg(QLatin1String(pass)),
                                              QStringLiteral("modMain.p_%1 End").arg(QLatin1String(pass)));
    out << "\n";
    if (!problems.isEmpty()) {
      out << "the uninterrupted run itself fails; nothing to compare with\n";
      return 1;
    }
    // The checks must see a lost row, a changed value and a missing column.
    const QString spoiled = root.filePath(QStringLiteral("spoiled.mdb"));
    QFile::remove(spoiled);
    QFile::copy(db, spoiled);
    try {
      ExecuteOn(spoiled, {QStringLiteral("DELETE FROM TTaskList WHERE IDX = 7"),
                          QStringLiteral("UPDATE TIPs SET IPState = 0 WHERE IPHost = '10.9.8.7'"),
                          QStringLiteral("INSERT INTO TMACPrefixes (MACPrefix) VALUES ('00-00-01')"),
                          QStringLiteral("ALTER TABLE TSiteCategoryVisible ADD COLUMN Spoiled LONG"),
                          QStringLiteral("UPDATE TUserAgentsRaw SET UA = '%1' WHERE IDX = (SELECT Min(IDX) FROM TUserAgentsRaw)")
                              .arg(in.reference.encrypted ? DBEncryptValue(QStringLiteral("spoiled")) : QStringLiteral("spoiled"))});
    } catch (const DbError& e) {
      out << "cannot spoil a copy: " << e.description() << "\n";
      return 2;
    }
    const QString seen = check(spoiled, &in.reference);

    if (!seen.contains(QLatin1String("TTaskList")) || !seen.contains(QLatin1String("IPState")) ||
        !seen.contains(QLatin1String("Spoiled")) || !seen.contains(QLatin1String("TMACPrefixes: 19711 rows")) ||
        !seen.contains(QLatin1String("TUserAgentsRaw: distinct rows differ (1 missing, 1 not")) ||
        !seen.contains(QLatin1String("TSiteCategoryVisible: distinct rows differ"))) {
      out << "the checks missed a spoiled copy:\n    " << seen << "\n";
      return 2;
    }
  }

  // Kill points: by time, or inside a chosen step. Each input goes through
  // the ten kinds in turn; a kill in a rerun takes the next kind.
  QRandomGenerator rng(o.seed);
  auto within = [&](const QString& from, const QString& to, const Input& in) { return int(rng.bounded(in.Span(from, to))); };
  auto inside = [&](const QString& step, const Input& in) {
    const QString start = QStringLiteral("modMain.p_%1 Start").arg(step);
    return Trigger{start, {}, within(start, QStringLiteral("modMain.p_%1 End").arg(step), in)};
  };
  auto pick = [&](int kind, const Input& in) -> Trigger {
    const bool encrypted = in.name.startsWith(u"encrypted");
    switch (kind % 10) {
      case 0:
      case 5:
        return {{}, QStringLiteral("10388.sql"), within(QStringLiteral("10388.sql"), QStringLiteral("10389.sql"), in)};
      case 1:
      case 6: {
        const QString start = in.migrations.value(int(rng.bounded(int(in.migrations.size()))));
        return {start, {}, within(start, QString(start).replace(QLatin1String(" Start"), QLatin1String(" End")), in)};
      }
      case 2: return encrypted ? inside(QStringLiteral("DBDecrypt"), in) : Trigger{QStringLiteral("DBPath = "), {}, int(rng.bounded(300))};
      case 3: return inside(QStringLiteral("DBEncrypt"), in);
      case 7: return inside(encrypted ? QStringLiteral("DBDecrypt") : QStringLiteral("DBEncrypt"), in);
      case 8:
        return rng.bounded(2) ? Trigger{QStringLiteral("modMain.p_CompactDB Start "), {},
                                        within(QStringLiteral("modMain.p_CompactDB Start"), QStringLiteral("modDB.CompactDatabase Start"), in)}
                              : Trigger{QStringLiteral("modDB.CompactDatabase Start"), {},
                                        within(QStringLiteral("modDB.CompactDatabase Start"), QStringLiteral("modDB.CompactDatabase End"), in)};
      default: return {{}, {}, int(rng.bounded(quint32(std::max<qint64>(1, in.cleanMs))))};
    }
  };

  out << "kills (seed " << o.seed << ")\n";
  int kills = 0, survived = 0, missed = 0;
  QMap<QString, int> byPhase;
  QMap<QString, int> leftovers;
  QMap<QString, int> finalErrors;  // procedure -> error lines the final runs logged
  for (int trial = 0; kills < o.kills && trial < 4 * o.kills + 8; ++trial) {
    const Input& in = inputs[trial % 2];
    const QString folder = NewProgramFolder(root.path(), QStringLiteral("trial"), o, in.path);
    const QString db = folder + QStringLiteral("/Marrowtide.mdb");
    Program program(folder, o);
    // Every third trial kills twice or three times before the final run.
    const int chain = trial % 3 == 2 ? 2 + int(rng.bounded(2)) : 1;
    QStringList phases;
    bool damaged = false;
    for (int k = 0; k < chain && kills < o.kills; ++k) {
      const Trigger t = pick(trial / 2 + k, in);
      RunResult r = program.Run(t);
      if (!r.killed) {
        ++missed;
        phases << QStringLiteral("(finished before the kill)");
        continue;
      }
      ++kills;
      if (r.phase == u"scripts" && r.lastScript == u"10388.sql") r.phase = QStringLiteral("version 388");
      ++byPhase[r.phase];
      phases << r.phase;
      const Snapshot after = Read(db, false);
      if (!after.opened || after.integrity != u"ok") {
        fail(QStringLiteral("trial %1 (%2): after a kill in %3 the database %4")
                 .arg(trial).arg(in.name, r.phase,
                      after.opened ? QStringLiteral("fails the integrity check: ") + after.integrity
                                   : QStringLiteral("does not open: ") + after.openError));
        damaged = true;
        break;
      }
    }
    if (damaged) continue;
    const qsizetype logBefore = program.Log().size();
    const RunResult last = program.Run(std::nullopt);
    static const QRegularExpression errorLine(QStringLiteral("\tERROR: (\\S+)"));
    for (auto it = errorLine.globalMatch(program.Log().mid(logBefore)); it.hasNext();) ++finalErrors[it.next().captured(1)];
    const QString problems = last.finished ? check(db, &in.reference) : QStringLiteral("the final run did not finish");
    if (!problems.isEmpty()) {
      fail(QStringLiteral("trial %1 (%2), killed in %3:\n    %4").arg(trial).arg(in.name, phases.join(QStringLiteral(", ")), problems));
      continue;
    }
    survived += int(std::count_if(phases.begin(), phases.end(), [](const QString& p) { return !p.startsWith(u'('); }));
    for (const QString& f : QDir(folder).entryList(QDir::Files | QDir::Hidden))
      if (f != u"marrowtide-dbupgrade" && f != u"Marrowtide.mdb" && f != u"stderr.txt" && f != u"autoup.ini")
        ++leftovers[QString(f).replace(QRegularExpression(QStringLiteral("\\d{14}")), QStringLiteral("<time>"))];
    out << "  trial " << trial << " (" << in.name << "): killed in " << phases.join(QStringLiteral(", "))
        << "; final run " << last.ms << " ms, ok\n";
    out.flush();
  }

  out << "\nkills: " << kills << ", survived: " << survived << ", failures: " << failures
      << ", runs that finished before their kill: " << missed << "\n";
  out << "kills by phase:";
  for (auto it = byPhase.begin(); it != byPhase.end(); ++it) out << " " << it.key() << " " << it.value() << ";";
  out << "\n";
  if (!finalErrors.isEmpty()) {
    out << "error lines of the final runs:";
    for (auto it = finalErrors.begin(); it != finalErrors.end(); ++it) out << " " << it.key() << " " << it.value() << ";";
    out << "\n";
  }
  if (!leftovers.isEmpty()) {
    out << "files left in the program folder (trials):";
    for (auto it = leftovers.begin(); it != leftovers.end(); ++it) out << " " << it.key() << " " << it.value() << ";";
    out << "\n";
  }
  SetClock(nullptr);
  return failures == 0 && survived == kills ? 0 : 1;
}
