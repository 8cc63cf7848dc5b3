// Where the database lies and what it is called: through a bind mount, kept
// private, named like the run's working files, too deep for the engine, or
// with something in the way of the work copy.
#include <sys/mount.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "bench/fault_cases/fault_kit.h"

namespace mt::bench::faults {

void AddPlaceCases(CaseList& cases, const Inputs& in) {
  const Setup& o = in.o;
  const bool& root = in.root;
  const QString& plain2 = in.plain2;
  const QString& enc300 = in.enc300;
  const QString& done405 = in.done405;
  const Snapshot& refPlain = in.refPlain;
  const Snapshot& refEnc = in.refEnc;

  // The database's folder reached through a bind mount (one device, another
  // mount: a rename between the two fails with EXDEV), the database kept
  // private (mode 600); and the same private database in the program folder.
  auto elsewhere = [&](const QString& input, const Snapshot& ref, bool bind) {
    return [&in, &o, input, &ref, bind, root](const QString& dir) {
      Outcome r;
      if (bind && !root) return Outcome{false};
      const QString folder = ProgramFolder(dir + QStringLiteral("/program"), o);
      QString db = folder + QStringLiteral("/Marrowtide.mdb");
      if (bind) {
        const QString data = dir + QStringLiteral("/data"), bound = dir + QStringLiteral("/bound");
        QDir().mkpath(data);
        QDir().mkpath(bound);
        if (::mount(QFile::encodeName(data).constData(), QFile::encodeName(bound).constData(), nullptr, MS_BIND,
                    nullptr) != 0)
          return Outcome{false};
        db = bound + QStringLiteral("/Marrowtide.mdb");
      }
      QFile::copy(input, db);
      ::chmod(QFile::encodeName(db).constData(), 0600);
      Program program(folder, o);
      program.SetArguments({db});
      const RunResult run = program.Run(std::nullopt);
      r.problems = Upgraded(in, ref, db);
      if (run.exitCode != 0) r.problems << QStringLiteral("exit status %1").arg(run.exitCode);
      if (Mode(db) != u"600") r.problems << QStringLiteral("mode %1, was 600").arg(Mode(db));
      r.result = Describe(Read(db, false)) + QStringLiteral(", mode ") + Mode(db);
      r.evidence = Evidence(program.Log(), run.err);
      if (bind) Unmount(dir + QStringLiteral("/bound"));
      return r;
    };
  };
  cases.push_back({QStringLiteral("private database (600) through a bind mount, plain"), elsewhere(plain2, refPlain, true)});
  cases.push_back({QStringLiteral("private database (600) through a bind mount, encrypted"), elsewhere(enc300, refEnc, true)});
  cases.push_back({QStringLiteral("private database (600) in the program folder"), elsewhere(enc300, refEnc, false)});

  // A database whose name is one of the run's working names: tmp.mdb in the
  // program folder, and the work copy's name of the second its pass starts.
  auto namedLikeWork = [&](bool workCopy) {
    return [&in, &o, &enc300, &refEnc, workCopy](const QString& dir) {
      Outcome r;
      const QString folder = ProgramFolder(dir, o);
      QString name = QStringLiteral("tmp.mdb");
      if (workCopy) {
        // The run starts as a second begins; its pass starts within it.
        const QDateTime next = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() + 1);
        name = QStringLiteral("Marrowtide_backup_en_") + next.toString(QStringLiteral("yyyyMMddHHmmss")) +
               QStringLiteral(".mdb");
        QFile::copy(enc300, folder + u'/' + name);
        while (QDateTime::currentDateTime() < next) QThread::msleep(1);
      } else {
        QFile::copy(enc300, folder + u'/' + name);
      }
      const QString db = folder + u'/' + name;
      Program program(folder, o);
      program.SetArguments({db});
      const RunResult run = program.Run(std::nullopt);
      r.problems = Upgraded(in, refEnc, db);
      r.result = name + QStringLiteral(": ") + Describe(Read(db, false)) + QStringLiteral(", exit %1").arg(run.exitCode);
      if (workCopy) {
        // Whether the pass's own work copy was due to take that name.
        const QString log = program.Log();
        const qsizetype at = log.indexOf(QStringLiteral("\tmodMain.p_DBDecrypt Start"));
        const QString started = at < 19 ? QString() : log.mid(at - 19, 19);
        r.result += QStringLiteral(", its pass started %1").arg(started);
        if (QDateTime::fromString(started, QStringLiteral("yyyy-MM-dd HH:mm:ss")).toString(QStringLiteral("yyyyMMddHHmmss")) !=
            name.mid(21, 14))
          r.result += QStringLiteral(" (another second: no collision tried)");
      }
      r.evidence = Evidence(program.Log(), run.err);
      return r;
    };
  };
  cases.push_back({QStringLiteral("database named tmp.mdb in the program folder"), namedLikeWork(false)});
  cases.push_back({QStringLiteral("database named like the work copy of its second"), namedLikeWork(true)});

  // A program folder so deep that a work copy's path passes the engine's
  // limit, and a database path that passes it itself: refused before any pass.
  cases.push_back({QStringLiteral("paths too long for the engine"), [&](const QString& dir) {
                     Outcome r;
                     QString deep = dir;
                     while (QFile::encodeName(deep).size() < 470) deep += QStringLiteral("/") + QString(40, u'd');
                     deep = deep.left(470 - (QFile::encodeName(deep).size() - deep.size()));
                     const QString folder = ProgramFolder(deep, o);
                     QString longName = folder + QStringLiteral("/") + QString(60, u'n') + QStringLiteral(".mdb");
                     for (const QString& db : {folder + QStringLiteral("/Marrowtide.mdb"), longName}) {
                       QFile::remove(db);
                       QFile::copy(plain2, db);
                       const QByteArray before = Bytes(db);
                       Program program(folder, o);
                       program.SetArguments({db});
                       const RunResult run = program.Run(std::nullopt);
                       const bool same = Bytes(db) == before;
                       if (!same) r.problems << QFileInfo(db).fileName().left(20) + QStringLiteral(": the file changed");
                       if (run.exitCode != 1) r.problems << QStringLiteral("exit status %1, want 1").arg(run.exitCode);
                       if (!program.Log().contains(QStringLiteral("at most 504 bytes"))) r.problems << QStringLiteral("the limit is not named");
                       r.result += QStringLiteral("%1 bytes: exit %2, file byte for byte: %3; ")
                                       .arg(QFile::encodeName(db).size()).arg(run.exitCode).arg(same ? "yes" : "no");
                       r.evidence = Evidence(program.Log(), run.err);
                       for (const QString& l : program.Log().split(QStringLiteral("\r\n")))
                         if (l.contains(QStringLiteral("bytes long"))) r.evidence << l.section(u'\t', 1).right(150);
                     }
                     return r;
                   }});

  // Something at the work-copy path that cannot be deleted: every name the
  // next quarter of an hour can give.
  auto lockedWorkCopy = [&](const QString& input, const Snapshot& ref) {
    return [&in, &o, input, &ref](const QString& dir) {
      Outcome r;
      const QString folder = ProgramFolder(dir, o);
      const QDateTime now = QDateTime::currentDateTime();
      for (int s = -5; s < 900; ++s)
        QDir().mkpath(folder + QStringLiteral("/Marrowtide_backup_en_") +
                      now.addSecs(s).toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral(".mdb"));
      const QString db = folder + QStringLiteral("/Marrowtide.mdb");
      QFile::copy(input, db);
      const Before before = Take(o, db);
      Program program(folder, o);
      const RunResult run = program.Run(std::nullopt);
      r.evidence = Evidence(program.Log(), run.err);
      const Snapshot s = Read(db, true);
      r.result = Describe(s);
      // An encrypted database whose decryption pass has no work copy to
      // write is not upgraded: it must read as it was.
      // A plain database is upgraded, and its encryption pass fails the same
      // way: the values stay plain and the user is told so (box M3).
      Snapshot want = ref;
      if (!s.encrypted && run.err.contains(QStringLiteral("DB 암호화 실패"))) {
        want.encrypted = false;
        r.result += QStringLiteral(", encryption pass failed (box M3)");
      }
      const QStringList upgraded = Upgraded(in, want, db);
      if (!upgraded.isEmpty()) {
        r.problems = AsItWas(o, before, db);
        if (!r.problems.isEmpty()) r.problems.prepend(QStringLiteral("neither upgraded (") + upgraded.join(u';') + u')');
      }
      return r;
    };
  };
  cases.push_back({QStringLiteral("folder at the work-copy path, plain database"), lockedWorkCopy(plain2, refPlain)});
  cases.push_back({QStringLiteral("folder at the work-copy path, encrypted database"), lockedWorkCopy(enc300, refEnc)});

  cases.push_back({QStringLiteral("folder at tmp.mdb"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir, o);
                     QDir().mkpath(folder + QStringLiteral("/tmp.mdb"));
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(done405, db);
                     const Before before = Take(o, db);
                     Program program(folder, o);
                     const RunResult run = program.Run(std::nullopt);
                     r.problems = AsItWas(o, before, db);
                     r.result = Describe(Read(db, false));
                     r.evidence = Evidence(program.Log(), run.err);
                     return r;
                   }});
}

}  // namespace mt::bench::faults
