// Full disks: under the database, in the program folder during the value
// passes and the compaction, and under marrowtide-db values.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "bench/fault_cases/fault_kit.h"

namespace mt::bench::faults {

void AddDiskCases(CaseList& cases, const Inputs& in) {
  const Setup& o = in.o;
  const bool& root = in.root;
  const QString& plain2 = in.plain2;
  const QString& enc300 = in.enc300;
  const QString& done405 = in.done405;
  const QString& plain405 = in.plain405;
  const Snapshot& refPlain = in.refPlain;
  const Snapshot& refEnc = in.refEnc;

  cases.push_back({QStringLiteral("full disk under the database"), [&](const QString& dir) {
                     Outcome r;
                     if (!root) return Outcome{false};
                     const QString folder = ProgramFolder(dir + QStringLiteral("/program"), o);
                     const QString mnt = dir + QStringLiteral("/small");
                     if (!Mount(mnt, QStringLiteral("size=1m"))) return Outcome{false};
                     const QString db = mnt + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(plain2, db);
                     Program program(folder, o);
                     program.SetArguments({db});
                     const RunResult full = program.Run(std::nullopt);
                     r.evidence = Evidence(program.Log(), full.err);
                     Remount(mnt, QStringLiteral("size=64m"));  // room again
                     const Snapshot afterFull = Read(db, false);
                     r.result = QStringLiteral("after the full run: ") + Describe(afterFull);
                     if (!afterFull.opened || afterFull.integrity != u"ok")
                       r.problems << QStringLiteral("damaged by the full disk: ") + Describe(afterFull);
                     const RunResult again = program.Run(std::nullopt);
                     r.problems += Upgraded(in, refPlain, db);
                     r.result += QStringLiteral("; run again with room: ") + Describe(Read(db, false));
                     Q_UNUSED(again);
                     Unmount(mnt);
                     return r;
                   }});

  // The program folder on a small file system that the program itself fills.
  auto fullProgramFolder = [&](const QString& input, const Snapshot& ref, qint64 leave) {
    return [&in, &o, input, &ref, leave, root](const QString& dir) {
      Outcome r;
      if (!root) return Outcome{false};
      const QString mnt = dir + QStringLiteral("/program");
      const QString db = dir + QStringLiteral("/data/Marrowtide.mdb");
      if (!SmallProgramFolder(mnt, o, 4 * 1048576, input, db)) return Outcome{false};
      Fill(mnt, leave);
      const Before before = Take(o, db);
      Program program(mnt, o);
      program.SetArguments({db});
      const RunResult run = program.Run(std::nullopt);
      r.evidence = Evidence(program.Log(), run.err);
      const Snapshot afterFull = Read(db, false);
      r.result = Describe(afterFull);
      // Without room the decryption pass cannot write its work copy and the
      // run stops before the upgrade, or the compaction cannot write
      // tmp.mdb: the database must be whole, and a run with room must finish
      // the work.
      if (!Upgraded(in, ref, db).isEmpty() && !AsItWas(o, before, db).isEmpty()) {
        if (!afterFull.opened || afterFull.integrity != u"ok")
          r.problems << QStringLiteral("damaged by the full disk: ") + Describe(afterFull);
        QFile::remove(mnt + QStringLiteral("/filler"));
        Remount(mnt, QStringLiteral("size=64m"));
        program.Run(std::nullopt);
        r.problems += Upgraded(in, ref, db);
        r.result = QStringLiteral("after the full run: ") + r.result + QStringLiteral("; run again with room: ") +
                   Describe(Read(db, false));
      }
      Unmount(mnt);
      return r;
    };
  };
  cases.push_back({QStringLiteral("full disk in the program folder, encrypted database"),
                   fullProgramFolder(enc300, refEnc, 48 * 1024)});
  cases.push_back({QStringLiteral("full disk in the program folder during compaction"),
                   fullProgramFolder(done405, refPlain, 256 * 1024)});

  // The program folder fills up while the encryption pass writes its work
  // copy of a plain database at version 405 (one left so by an earlier run):
  // there is room for the copy and `extra` bytes more. The database must end
  // as it was (plain, every value as before, so no cipher text under a plain
  // marker) or encrypted with every value opening to the original; a run with
  // room then encrypts it.
  auto fullDuringEncryption = [&](qint64 extra) {
    return [&in, &o, &plain405, &refPlain, extra, root](const QString& dir) {
      Outcome r;
      if (!root) return Outcome{false};
      const QString mnt = dir + QStringLiteral("/program");
      const QString db = dir + QStringLiteral("/data/Marrowtide.mdb");
      if (!SmallProgramFolder(mnt, o, QFileInfo(plain405).size() + 8 * 1048576, plain405, db))
        return Outcome{false};
      Fill(mnt, QFileInfo(db).size() + extra);
      const Before before = Take(o, db);
      Program program(mnt, o);
      program.SetArguments({db});
      const RunResult run = program.Run(std::nullopt);
      r.evidence = Evidence(program.Log(), run.err);
      const Snapshot afterFull = Read(db, false);
      r.result = QStringLiteral("with %1 KiB spare: ").arg(extra / 1024) + Describe(afterFull);
      if (!Upgraded(in, refPlain, db).isEmpty()) {
        r.problems = AsItWas(o, before, db);
        QFile::remove(mnt + QStringLiteral("/filler"));
        program.Run(std::nullopt);
        r.problems += Upgraded(in, refPlain, db);
        r.result += QStringLiteral("; run again with room: ") + Describe(Read(db, false));
      }
      const QStringList left = QDir(mnt).entryList({QStringLiteral("*.mdb*")}, QDir::Files);
      if (!left.isEmpty()) r.problems << QStringLiteral("left in the program folder: ") + left.join(u',');
      Unmount(mnt);
      return r;
    };
  };
  for (const qint64 extra : {qint64(16) << 10, qint64(128) << 10, qint64(512) << 10, qint64(2) << 20})
    cases.push_back({QStringLiteral("full disk during the encryption pass, %1 KiB spare").arg(extra >> 10),
                     fullDuringEncryption(extra)});

  // marrowtide-db values on a small file system: its work copy lies beside
  // the database, with room for the copy and 64 KiB more. It must fail with
  // exit 1 and leave the database as it was.
  cases.push_back({QStringLiteral("full disk during marrowtide-db values encrypt"), [&](const QString& dir) {
                     Outcome r;
                     if (!root) return Outcome{false};
                     const QString mnt = dir + QStringLiteral("/small");
                     if (!Mount(mnt, QStringLiteral("size=%1k").arg(QFileInfo(plain405).size() / 1024 * 3)))
                       return Outcome{false};
                     const QString db = mnt + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(plain405, db);
                     Fill(mnt, QFileInfo(db).size() + 64 * 1024);
                     const Before before = Take(o, db);
                     QProcess tool;
                     tool.start(o.tool, {QStringLiteral("values"), db, QStringLiteral("encrypt")});
                     tool.waitForFinished(600000);
                     const QString err = QString::fromUtf8(tool.readAllStandardError()).trimmed();
                     r.result = QStringLiteral("exit %1, ").arg(tool.exitCode()) + Describe(Read(db, false));
                     if (tool.exitCode() != 1) r.problems << QStringLiteral("exit status %1, want 1").arg(tool.exitCode());
                     r.problems += AsItWas(o, before, db);
                     const QStringList left = QDir(mnt).entryList({QStringLiteral("*_backup_en_*")}, QDir::Files);
                     if (!left.isEmpty()) r.problems << QStringLiteral("work copy left: ") + left.join(u',');
                     r.evidence = QStringList{err.left(170)};
                     Unmount(mnt);
                     return r;
                   }});
}

}  // namespace mt::bench::faults
