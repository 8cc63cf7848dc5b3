// Files that cannot be used or written as they are: garbage, truncated, empty
// and damaged databases, read-only files and file systems, a program folder
// the program may not write, FIFOs where files go, a marker that lies.
#include <sys/mount.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "bench/fault_cases/fault_kit.h"

namespace mt::bench::faults {

void AddFileCases(CaseList& cases, const Inputs& in) {
  const Setup& o = in.o;
  const bool& root = in.root;
  const QString& plain2 = in.plain2;
  const QString& enc300 = in.enc300;
  const QString& done405 = in.done405;
  const Snapshot& refPlain = in.refPlain;
  const Snapshot& refEnc = in.refEnc;

  // Files that are no usable database: refused, left byte for byte.
  auto unusable = [&](std::function<QByteArray()> make) {
    return [&o, make](const QString& dir) {
      Outcome r;
      const QString folder = ProgramFolder(dir, o);
      const QString db = folder + QStringLiteral("/Marrowtide.mdb");
      const QByteArray before = make();
      Put(db, before);
      const RunResult run = Program(folder, o).Run(std::nullopt);
      if (Bytes(db) != before) r.problems << QStringLiteral("the file changed");
      if (QFileInfo::exists(db + QStringLiteral("-wal"))) r.problems << QStringLiteral("a -wal file appeared");
      r.result = QStringLiteral("file left byte for byte: ") + (Bytes(db) == before ? "yes" : "NO");
      r.evidence = Evidence(Program(folder, o).Log(), run.err);
      if (!run.err.contains(QStringLiteral("DB 연결 실패"))) r.problems << QStringLiteral("no M1 box");
      return r;
    };
  };
  cases.push_back({QStringLiteral("garbage database file"), unusable([] {
                     QByteArray b(65536, 0);
                     for (char& c : b) c = char(QRandomGenerator::global()->bounded(256));
                     return b;
                   })});
  cases.push_back({QStringLiteral("truncated database file"), unusable([&] {
                     const QByteArray whole = Bytes(done405);
                     return whole.left(whole.size() / 2);
                   })});
  cases.push_back({QStringLiteral("empty database file"), unusable([] { return QByteArray(); })});

  cases.push_back({QStringLiteral("log folder missing"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir, o, false);
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(plain2, db);
                     const RunResult run = Program(folder, o).Run(std::nullopt);
                     r.problems = Upgraded(in, refPlain, db);
                     if (QFileInfo::exists(folder + QStringLiteral("/log")))
                       r.problems << QStringLiteral("a log folder was created");
                     r.result = Describe(Read(db, false));
                     r.evidence = Evidence({}, run.err);
                     return r;
                   }});

  cases.push_back({QStringLiteral("read-only database file"), [&](const QString& dir) {
                     Outcome r;
                     if (!root) return Outcome{false};
                     Setup as = o;
                     as.runAs = QStringLiteral("65534");
                     const QString folder = ProgramFolder(dir, o);
                     QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
                     QFile::setPermissions(folder + QStringLiteral("/log"), QFileDevice::Permissions(0x7777));
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(enc300, db);
                     QFile::setPermissions(db, QFileDevice::Permissions(0x4444));
                     const Before before = Take(o, db);
                     const QByteArray bytes = Bytes(db);
                     const RunResult run = Program(folder, as).Run(std::nullopt);
                     r.result = Describe(Read(db, false)) +
                                QStringLiteral(", file byte for byte: ") + (Bytes(db) == bytes ? "yes" : "no");
                     // Replaced by an upgraded copy, or left as it was.
                     const QStringList upgraded = Upgraded(in, refEnc, db);
                     if (!upgraded.isEmpty()) r.problems = AsItWas(o, before, db);
                     r.evidence = Evidence(Program(folder, o).Log(), run.err);
                     return r;
                   }});

  cases.push_back({QStringLiteral("read-only file system"), [&](const QString& dir) {
                     Outcome r;
                     if (!root) return Outcome{false};
                     const QString folder = ProgramFolder(dir, o);
                     const QString mnt = dir + QStringLiteral("/ro");
                     if (!Mount(mnt, QStringLiteral("size=16m"))) return Outcome{false};
                     const QString db = mnt + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(enc300, db);
                     const Before before = Take(o, db);
                     Remount(mnt, QStringLiteral("size=16m"), MS_RDONLY);
                     Program program(folder, o);
                     program.SetArguments({db});
                     const RunResult run = program.Run(std::nullopt);
                     Remount(mnt, QStringLiteral("size=16m"));
                     r.problems = AsItWas(o, before, db);
                     r.result = Describe(Read(db, false));
                     r.evidence = Evidence(Program(folder, o).Log(), run.err);
                     Unmount(mnt);
                     return r;
                   }});

  cases.push_back({QStringLiteral("program folder not writable"), [&](const QString& dir) {
                     Outcome r;
                     if (!root) return Outcome{false};
                     Setup as = o;
                     as.runAs = QStringLiteral("65534");
                     const QString folder = ProgramFolder(dir + QStringLiteral("/program"), o);
                     QFile::setPermissions(folder + QStringLiteral("/log"), QFileDevice::Permissions(0x7777));
                     QFile::setPermissions(folder, QFileDevice::Permissions(0x5555));
                     const QString data = dir + QStringLiteral("/data");
                     QDir().mkpath(data);
                     QFile::setPermissions(data, QFileDevice::Permissions(0x7777));
                     const QString db = data + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(plain2, db);
                     QFile::setPermissions(db, QFileDevice::Permissions(0x6666));
                     const Before before = Take(o, db);
                     Program program(folder, as);
                     program.SetArguments({db});
                     const RunResult run = program.Run(std::nullopt);
                     QFile::setPermissions(folder, QFileDevice::Permissions(0x7755));
                     r.problems = AsItWas(o, before, db);
                     r.result = Describe(Read(db, false));
                     r.evidence = Evidence(Program(folder, o).Log(), run.err);
                     return r;
                   }});

  cases.push_back({QStringLiteral("FIFOs at the log file and autoup.ini"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir, o);
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(enc300, db);
                     const QString log = folder + QStringLiteral("/log/marrowtide-dbupgrade.log");
                     const QString ini = folder + QStringLiteral("/autoup.ini");
                     for (const QString& f : {log, ini}) ::mkfifo(QFile::encodeName(f).constData(), 0644);
                     const RunResult run = Program(folder, o).Run(std::nullopt, 120000);
                     r.problems = Upgraded(in, refEnc, db);
                     if (run.exitCode != 0) r.problems << QStringLiteral("exit status %1 (timed out?)").arg(run.exitCode);
                     struct stat st {};
                     for (const QString& f : {log, ini})
                       if (::stat(QFile::encodeName(f).constData(), &st) != 0 || !S_ISFIFO(st.st_mode))
                         r.problems << f + QStringLiteral(" is no longer the FIFO");
                     r.result = Describe(Read(db, false)) + QStringLiteral(", exit %1").arg(run.exitCode);
                     r.evidence = Evidence({}, run.err);
                     return r;
                   }});

  // Bytes overwritten inside a page near the middle of the file.
  cases.push_back({QStringLiteral("damaged database"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir, o);
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QByteArray bytes = Bytes(done405);
                     const qsizetype at = (bytes.size() / 2 / 1024) * 1024 + 200;
                     for (int i = 0; i < 64; ++i) bytes[at + i] = char(0x5a);
                     Put(db, bytes);
                     const RunResult run = Program(folder, o).Run(std::nullopt);
                     const RunResult validate = Tool(o, {QStringLiteral("validate"), db});
                     const QString log = Program(folder, o).Log();
                     if (run.exitCode != 1) r.problems << QStringLiteral("exit status %1, want 1").arg(run.exitCode);
                     if (!run.err.contains(QStringLiteral("DB 연결 실패"))) r.problems << QStringLiteral("no M1 box");
                     if (!log.contains(QStringLiteral("is damaged"))) r.problems << QStringLiteral("no log line says damaged");
                     if (QFile::exists(folder + QStringLiteral("/autoup.ini"))) r.problems << QStringLiteral("autoup.ini stamped");
                     if (Bytes(db).mid(4096) != bytes.mid(4096)) r.problems << QStringLiteral("pages after the first changed");
                     if (validate.exitCode != 1 || !validate.err.contains(QStringLiteral("damaged\t")))
                       r.problems << QStringLiteral("validate: exit %1, %2").arg(validate.exitCode).arg(validate.err.left(120));
                     r.result = QStringLiteral("run exit %1, validate exit %2, file after its header byte for byte: %3")
                                    .arg(run.exitCode).arg(validate.exitCode).arg(Bytes(db).mid(4096) == bytes.mid(4096) ? "yes" : "no");
                     r.evidence = Evidence(log, run.err);
                     r.evidence << QStringLiteral("validate: ") + validate.err.left(150);
                     for (const QString& l : log.split(QStringLiteral("\r\n")))
                       if (l.contains(QStringLiteral("is damaged"))) r.evidence << l.section(u'\t', 1).left(170);
                     return r;
                   }});

  cases.push_back({QStringLiteral("marker says plain over encrypted values"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir, o);
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(enc300, db);
                     const RunResult lie = Tool(o, {QStringLiteral("sql"), db,
                                                    QStringLiteral("UPDATE TSettings SET Val1 = '0' WHERE ID = 'IsDBEn'")});
                     Program program(folder, o);
                     const RunResult run = program.Run(std::nullopt);
                     r.problems = Upgraded(in, refEnc, db);
                     if (lie.exitCode != 0) r.problems << QStringLiteral("could not set the marker: ") + lie.err;
                     if (!program.Log().contains(QStringLiteral("IsDBEn says the values are plain")))
                       r.problems << QStringLiteral("the disagreement is not logged");
                     r.result = Describe(Read(db, false)) + QStringLiteral(", exit %1").arg(run.exitCode);
                     r.evidence = Evidence(program.Log(), run.err);
                     return r;
                   }});
}

}  // namespace mt::bench::faults
