// Second copies and kills: two installations on one database, marrowtide-db
// during a run, marrowtide-db values killed while its work copy exists.
#include <csignal>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include "bench/fault_cases/fault_kit.h"

namespace mt::bench::faults {

void AddConcurrencyCases(CaseList& cases, const Inputs& in) {
  const Setup& o = in.o;
  const QString& enc300 = in.enc300;
  const QString& plain405 = in.plain405;
  const Snapshot& refPlain = in.refPlain;
  const Snapshot& refEnc = in.refEnc;

  // Two installations (two program folders) on one database, the second
  // started through a symbolic link while the first is at a given point:
  // the second does nothing, the first upgrades, no row is added twice.
  auto twoInstallations = [&](const QString& when) {
    return [&in, &o, &enc300, &refEnc, when](const QString& dir) {
      Outcome r;
      const QString first = ProgramFolder(dir + QStringLiteral("/first"), o);
      const QString second = ProgramFolder(dir + QStringLiteral("/second"), o);
      const QString data = dir + QStringLiteral("/data");
      QDir().mkpath(data);
      const QString db = data + QStringLiteral("/Marrowtide.mdb");
      QFile::copy(enc300, db);
      QFile::link(db, dir + QStringLiteral("/link.mdb"));
      Program a(first, o), b(second, o);
      a.SetArguments({db});
      b.SetArguments({dir + QStringLiteral("/link.mdb")});
      // Each its own temporary folder, as per-user ones are.
      for (const char* t : {"/tmpA", "/tmpB"}) QDir().mkpath(dir + QLatin1String(t));
      a.SetEnvironment({QStringLiteral("TMPDIR=") + dir + QStringLiteral("/tmpA")});
      b.SetEnvironment({QStringLiteral("TMPDIR=") + dir + QStringLiteral("/tmpB")});
      QProcess running;
      a.Prepare(running);
      running.start();
      QElapsedTimer waited;
      waited.start();
      while (!a.Log().contains(when) && running.state() != QProcess::NotRunning && waited.elapsed() < 600000)
        running.waitForFinished(1);
      const bool during = running.state() != QProcess::NotRunning;
      const RunResult other = b.Run(std::nullopt);
      running.waitForFinished(600000);
      r.result = QStringLiteral("second started %1 \"%2\"; ").arg(during ? "during" : "after", when) +
                 Describe(Read(db, false));
      if (!b.Log().isEmpty() && during) r.problems << QStringLiteral("the second run worked on the database too");
      r.problems += Upgraded(in, refEnc, db);
      r.evidence = Evidence(a.Log(), QString::fromUtf8(running.readAllStandardError()) + other.err);
      return r;
    };
  };
  for (const char* when : {"DBPath = ", "modMain.p_DBDecrypt Start", "modMain.p_DBUpgrade_319", "modMain.p_DBEncrypt Start",
                           "modDB.CompactDatabase Start"})
    cases.push_back({QStringLiteral("two installations on one database, second at %1").arg(QLatin1String(when)),
                     twoInstallations(QLatin1String(when))});

  // marrowtide-db with another temporary folder while a run works on the
  // database: a write and a read are refused (never a row added that the
  // run then loses or doubles, never a half-done state printed).
  cases.push_back({QStringLiteral("marrowtide-db during a run, other TMPDIR"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir, o);
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(enc300, db);
                     Program a(folder, o);
                     QProcess running;
                     a.Prepare(running);
                     running.start();
                     QElapsedTimer waited;
                     waited.start();
                     while (!a.Log().contains(QStringLiteral("modMain.p_DBDecrypt Start")) &&
                            running.state() != QProcess::NotRunning && waited.elapsed() < 600000)
                       running.waitForFinished(1);
                     const QStringList env{QStringLiteral("TMPDIR=") + dir};
                     const RunResult insert = Tool(o, {QStringLiteral("sql"), db,
                                                       QStringLiteral("INSERT INTO TCodes (Code, Val, ValText) VALUES ('X', 1, 'x')")}, env);
                     const RunResult info = Tool(o, {QStringLiteral("info"), db}, env);
                     const bool during = running.state() != QProcess::NotRunning;
                     running.waitForFinished(600000);
                     r.result = QStringLiteral("tools %1 the run: sql exit %2, info exit %3; ")
                                    .arg(during ? "during" : "after").arg(insert.exitCode).arg(info.exitCode) +
                                Describe(Read(db, false));
                     if (!during) r.problems << QStringLiteral("the run ended before the tools ran");
                     for (const RunResult* t : {&insert, &info})
                       if (t->exitCode != 1 || !t->err.contains(QStringLiteral("a run is working on this database")))
                         r.problems << QStringLiteral("not refused: ") + t->err.left(120);
                     r.problems += Upgraded(in, refEnc, db);
                     r.evidence = QStringList{insert.err.left(170), info.err.left(170)};
                     return r;
                   }});

  // marrowtide-db values killed while its work copy (values in clear) exists:
  // the next command removes it; killed again, the next run does.
  cases.push_back({QStringLiteral("marrowtide-db values killed"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir + QStringLiteral("/program"), o);
                     const QString data = dir + QStringLiteral("/data");
                     QDir().mkpath(data);
                     const QString db = data + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(plain405, db);
                     const auto killedLeftovers = [&] {
                       for (int attempt = 0; attempt < 10; ++attempt) {
                         QFile::remove(db);
                         QFile::copy(plain405, db);
                         QProcess tool;
                         tool.start(o.tool, {QStringLiteral("values"), db, QStringLiteral("encrypt")});
                         tool.waitForStarted();
                         while (!tool.waitForFinished(1)) {
                           const QStringList work = QDir(data).entryList({QStringLiteral(".Marrowtide.mdb.work-*")},
                                                                          QDir::Dirs | QDir::Hidden);
                           if (work.isEmpty() || QDir(data + u'/' + work[0]).entryList({QStringLiteral("*.mdb")}).isEmpty())
                             continue;
                           ::kill(pid_t(tool.processId()), SIGKILL);
                           tool.waitForFinished();
                           return QDir(data).entryList({QStringLiteral(".*work-*")}, QDir::Dirs | QDir::Hidden);
                         }
                       }
                       return QStringList();
                     };
                     QStringList left = killedLeftovers();
                     const RunResult info = Tool(o, {QStringLiteral("info"), db});
                     const QStringList afterInfo = QDir(data).entryList({QStringLiteral(".*work-*")}, QDir::Dirs | QDir::Hidden);
                     if (left.isEmpty()) r.problems << QStringLiteral("the kill left no work folder");
                     if (!afterInfo.isEmpty()) r.problems << QStringLiteral("info left ") + afterInfo.join(u',');
                     if (Read(db, false).encrypted) {
                       r.result = QStringLiteral("(the first kill came after the swap) ");
                     } else {
                       left += killedLeftovers();
                     }
                     Program program(folder, o);
                     program.SetArguments({db});
                     program.Run(std::nullopt);
                     const QStringList afterRun = QDir(data).entryList({QStringLiteral(".*work-*")}, QDir::Dirs | QDir::Hidden);
                     if (!afterRun.isEmpty()) r.problems << QStringLiteral("the run left ") + afterRun.join(u',');
                     r.problems += Upgraded(in, refPlain, db);
                     r.result += QStringLiteral("killed work folders: ") + left.join(u',') + QStringLiteral("; ") + Describe(Read(db, false));
                     r.evidence = Evidence(program.Log(), QString());
                     if (info.exitCode != 0) r.problems << QStringLiteral("info after the kill: ") + info.err.left(120);
                     return r;
                   }});
}

}  // namespace mt::bench::faults
