// Runs the real upgrade program against faults of its surroundings and shows
// that each ends with the database as it was or correctly upgraded, never
// damaged or missing, and with a line that says what went wrong (in the log,
// or as the message box the headless program writes to standard error):
//   a garbage, a truncated and an empty database file; a read-only database
//   file and a read-only file system; a missing log folder; a program folder
//   the program may not write; a full disk under the database, and in the
//   program folder during the value pass and during the compaction; a full
//   disk at several sizes during the encryption pass of the run and of
//   marrowtide-db values; two installations started on one database at
//   several points of a run; a folder in the way of the work copy and of
//   tmp.mdb.
// "As it was": it opens, passes the integrity check, and its version, schema
// listing, seeded rows and row counts are those from before the run.
// "Upgraded": version 405, the reference schema, the seeded rows as an
// uninterrupted run left them, every table with the row count of that run,
// no protected value in clear in a database marked encrypted. When a value pass cannot write its work copy the run
// goes on without it: an encrypted database is upgraded over its encrypted
// values (the values the scripts write stay in clear and read back as they
// are), a plain one stays plain after its failed encryption pass.
//
// usage: bench_fault_cases [--shim LIB] [--program EXE] [--tool EXE] [--only NAME]
//   Cases that need root (mounts, running as another user) are skipped
//   without it. Exit status 0 when every case that ran held.
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <csignal>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <functional>

#include "app/globals.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "bench/run_checks.h"
#include "protect/cipher.h"

using namespace mt;
using namespace mt::bench;

namespace {

QTextStream out(stdout);

struct Outcome {
  bool ran = true;       // false: skipped
  QStringList problems;  // empty: the case held
  QString result;        // what became of the database
  QStringList evidence;  // the lines that say what went wrong
};

QStringList reference;  // the schema listing at version 405

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

bool Mount(const QString& dir, const QString& options) {
  QDir().mkpath(dir);
  return ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, options.toLatin1().constData()) == 0;
}

bool Remount(const QString& dir, const QString& options, unsigned long flags = 0) {
  return ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", MS_REMOUNT | flags,
                 options.toLatin1().constData()) == 0;
}

void Unmount(const QString& dir) { ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH); }

qint64 FreeBytes(const QString& dir) {
  struct statvfs st {};
  if (::statvfs(QFile::encodeName(dir).constData(), &st) != 0) return 0;
  return qint64(st.f_bavail) * qint64(st.f_frsize);
}

// Fills the file system of dir up to `leave` free bytes.
void Fill(const QString& dir, qint64 leave) {
  QFile filler(dir + QStringLiteral("/filler"));
  if (!filler.open(QIODevice::WriteOnly)) return;
  const QByteArray block(4096, 'f');
  for (;;) {
    const qint64 avail = FreeBytes(dir);
    if (avail <= leave) break;
    const qint64 n = std::min<qint64>(block.size(), avail - leave);
    if (filler.write(block.constData(), n) != n) break;
    filler.flush();
  }
}

// The program's folder: the program, its log folder (unless told otherwise).
QString ProgramFolder(const QString& folder, const Setup& o, bool logFolder = true) {
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);
  if (logFolder) QDir().mkpath(folder + QStringLiteral("/log"));
  QFile::copy(o.program, folder + QStringLiteral("/marrowtide-dbupgrade"));
  QFile::setPermissions(folder + QStringLiteral("/marrowtide-dbupgrade"), QFileDevice::Permissions(0x7755));
  return folder;
}

// The program folder on a tmpfs of the program's size and `room` bytes more
// (log folder included), and a copy of input at db, on the disk of the test.
bool SmallProgramFolder(const QString& mnt, const Setup& o, qint64 room, const QString& input, const QString& db) {
  if (!Mount(mnt, QStringLiteral("size=%1k").arg((QFileInfo(o.program).size() + room) / 1024))) return false;
  QDir().mkpath(mnt + QStringLiteral("/log"));
  QFile::copy(o.program, mnt + QStringLiteral("/marrowtide-dbupgrade"));
  QFile::setPermissions(mnt + QStringLiteral("/marrowtide-dbupgrade"), QFileDevice::Permissions(0x7755));
  QDir().mkpath(QFileInfo(db).absolutePath());
  return QFile::copy(input, db);
}

// The lines of a run that say what went wrong: error lines of the log and
// the message boxes (written to standard error by the headless program).
QStringList Evidence(const QString& log, const QString& err) {
  QStringList lines;
  for (const QString& l : log.split(QStringLiteral("\r\n"))) {
    const QString msg = l.section(u'\t', 1);
    if (msg.startsWith(QLatin1String("ERROR: ")) || msg.startsWith(QLatin1String("modMain.ExtractResourceToFile")) ||
        msg.contains(QLatin1String("could not replace")) || msg.startsWith(QLatin1String("[err: modMain.p_Create"))) {
      const QString shortened = msg.left(170);
      if (!lines.contains(shortened)) lines << shortened;
    }
  }
  // The first failure of the upgrade engine, and how many followed it.
  const qsizetype upgradeErrors = log.count(QLatin1String("[err: modMain.p_DBUpgrade]"));
  if (upgradeErrors > 0) {
    const qsizetype at = log.indexOf(QLatin1String("[err: modMain.p_DBUpgrade]"));
    lines << log.mid(at, log.indexOf(u'\r', at) - at).left(170) +
                 QStringLiteral("  (%1 such lines)").arg(upgradeErrors);
  }
  for (const QString& l : err.split(u'\n', Qt::SkipEmptyParts)) lines << QStringLiteral("box: ") + l;
  if (lines.size() > 8) lines = lines.mid(0, 8) << QStringLiteral("...");
  return lines;
}

// marrowtide-db with its arguments (and NAME=VALUE environment additions).
RunResult Tool(const Setup& o, const QStringList& args, const QStringList& env = {}) {
  QProcess tool;
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const QString& var : env) e.insert(var.section(u'=', 0, 0), var.section(u'=', 1));
  tool.setProcessEnvironment(e);
  tool.start(o.tool, args);
  tool.waitForFinished(600000);
  RunResult r;
  r.exitCode = tool.exitCode();
  r.err = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed();
  return r;
}

QString Mode(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? QString::number(st.st_mode & 0777, 8) : QString();
}

// --- what a database may look like afterwards ------------------------------

struct Before {
  Snapshot snapshot;
  QStringList schema;
};

Before Take(const Setup& o, const QString& db) { return {Read(db, true), ToolSchema(o, db)}; }

QStringList AsItWas(const Setup& o, const Before& before, const QString& db) {
  QStringList problems;
  const Snapshot s = Read(db, true);
  if (!s.opened) return {QStringLiteral("does not open: ") + s.openError};
  if (s.integrity != u"ok") problems << QStringLiteral("integrity: ") + s.integrity;
  if (s.version != before.snapshot.version) problems << QStringLiteral("version %1, was %2").arg(s.version, before.snapshot.version);
  if (ToolSchema(o, db) != before.schema) problems << QStringLiteral("schema listing changed");
  const QString rows = RowsDifference(before.snapshot, s);
  if (!rows.isEmpty()) problems << rows;
  if (s.counts != before.snapshot.counts) problems << QStringLiteral("row counts changed");
  return problems;
}

QStringList Upgraded(const Setup& o, const Snapshot& want, const QString& db) {
  QStringList problems;
  const Snapshot s = Read(db, true);
  if (!s.opened) return {QStringLiteral("does not open: ") + s.openError};
  if (s.integrity != u"ok") problems << QStringLiteral("integrity: ") + s.integrity;
  if (s.version != u"405") problems << QStringLiteral("version ") + s.version;
  const QString schema = SchemaDifference(reference, ToolSchema(o, db));
  if (!schema.isEmpty()) problems << QStringLiteral("schema: ") + schema.left(300);
  const QString rows = RowsDifference(want, s);
  if (!rows.isEmpty()) problems << rows;
  if (s.counts != want.counts) {
    QStringList differ;
    for (const auto& [table, n] : want.counts)
      if (s.counts.count(table) == 0 || s.counts.at(table) != n)
        differ << QStringLiteral("%1 %2 rows, want %3").arg(table).arg(s.counts.count(table) ? s.counts.at(table) : -1).arg(n);
    problems << QStringLiteral("row counts: ") + (differ.isEmpty() ? QStringLiteral("other tables") : differ.join(u',').left(300));
  }
  if (s.inClear > 0)
    problems << QStringLiteral("%1 protected values in clear in a database marked encrypted").arg(s.inClear);
  if (s.encrypted != want.encrypted)
    problems << (s.encrypted ? QStringLiteral("marked encrypted") : QStringLiteral("values left plain"));
  return problems;
}

QString Describe(const Snapshot& s) {
  if (!s.opened) return QStringLiteral("does not open (") + s.openError.left(120) + u')';
  return QStringLiteral("version %1, %2, integrity %3")
      .arg(s.version, s.encrypted ? QStringLiteral("encrypted") : QStringLiteral("plain"), s.integrity);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  Setup o;
  QString only;
  UseBuiltPrograms(o, QCoreApplication::applicationDirPath());
  const QStringList args = app.arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == u"--only") only = args[i + 1];
    else if (!TakeProgramOption(o, args[i], args[i + 1])) {
      out << "unknown option " << args[i] << "\n";
      return 2;
    }
  }
  const bool root = ::geteuid() == 0;

  QTemporaryDir tmp;
  const QString base = tmp.path();
  QFile::setPermissions(base, QFileDevice::Permissions(0x7755));  // reachable for "nobody"
  InstallBenchServices(base + QStringLiteral("/driver"), QStringLiteral("driver"), false);
  reference = ReferenceSchema();
  if (reference.isEmpty()) {
    out << "cannot read the reference schema\n";
    return 2;
  }

  // Inputs, and what an uninterrupted run makes of them.
  const QString plain2 = base + QStringLiteral("/plain2.mdb");
  const QString enc300 = base + QStringLiteral("/encrypted300.mdb");
  const QString done405 = base + QStringLiteral("/done405.mdb");
  const QString plain405 = base + QStringLiteral("/plain405.mdb");  // upgraded, never encrypted
  Snapshot refPlain, refEnc;
  try {
    MakeDatabase(plain2, 2);
    ExecuteOn(plain2, SeedStatements());
    QFile::copy(plain2, enc300);
    UpgradeDatabase(enc300, 2, 300);
    EncryptValues(enc300, 300);
    QFile::copy(plain2, plain405);
    UpgradeDatabase(plain405, 2, 405);
  } catch (const DbError& e) {
    out << "cannot build the inputs: " << e.description() << "\n";
    return 2;
  }
  Globals() = RunGlobals{};
  ResetCipherComponent();
  for (const auto& [input, ref] : {std::pair{plain2, &refPlain}, std::pair{enc300, &refEnc}}) {
    const QString folder = ProgramFolder(base + QStringLiteral("/clean"), o);
    QFile::copy(input, folder + QStringLiteral("/Marrowtide.mdb"));
    Program(folder, o).Run(std::nullopt);
    *ref = Read(folder + QStringLiteral("/Marrowtide.mdb"), true);
    if (input == plain2) QFile::copy(folder + QStringLiteral("/Marrowtide.mdb"), done405);
    const QStringList problems = Upgraded(o, *ref, folder + QStringLiteral("/Marrowtide.mdb"));
    if (!problems.isEmpty() || !ref->encrypted) {
      out << "an uninterrupted run of " << input << " fails: " << problems.join(u';') << "\n";
      return 1;
    }
  }

  using Case = std::function<Outcome(const QString& dir)>;
  std::vector<std::pair<QString, Case>> cases;

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
                     r.problems = Upgraded(o, refPlain, db);
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
                     const QStringList upgraded = Upgraded(o, refEnc, db);
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
                     r.problems += Upgraded(o, refPlain, db);
                     r.result += QStringLiteral("; run again with room: ") + Describe(Read(db, false));
                     Q_UNUSED(again);
                     Unmount(mnt);
                     return r;
                   }});

  // The program folder on a small file system that the program itself fills.
  auto fullProgramFolder = [&](const QString& input, const Snapshot& ref, qint64 leave) {
    return [&o, input, &ref, leave, root](const QString& dir) {
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
      if (!Upgraded(o, ref, db).isEmpty() && !AsItWas(o, before, db).isEmpty()) {
        if (!afterFull.opened || afterFull.integrity != u"ok")
          r.problems << QStringLiteral("damaged by the full disk: ") + Describe(afterFull);
        QFile::remove(mnt + QStringLiteral("/filler"));
        Remount(mnt, QStringLiteral("size=64m"));
        program.Run(std::nullopt);
        r.problems += Upgraded(o, ref, db);
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
    return [&o, &plain405, &refPlain, extra, root](const QString& dir) {
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
      if (!Upgraded(o, refPlain, db).isEmpty()) {
        r.problems = AsItWas(o, before, db);
        QFile::remove(mnt + QStringLiteral("/filler"));
        program.Run(std::nullopt);
        r.problems += Upgraded(o, refPlain, db);
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

  // Two installations (two program folders) on one database, the second
  // started through a symbolic link while the first is at a given point:
  // the second does nothing, the first upgrades, no row is added twice.
  auto twoInstallations = [&](const QString& when) {
    return [&o, &enc300, &refEnc, when](const QString& dir) {
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
      r.problems += Upgraded(o, refEnc, db);
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
                     r.problems += Upgraded(o, refEnc, db);
                     r.evidence = QStringList{insert.err.left(170), info.err.left(170)};
                     return r;
                   }});

  // The database's folder reached through a bind mount (one device, another
  // mount: a rename between the two fails with EXDEV), the database kept
  // private (mode 600); and the same private database in the program folder.
  auto elsewhere = [&](const QString& input, const Snapshot& ref, bool bind) {
    return [&o, input, &ref, bind, root](const QString& dir) {
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
      r.problems = Upgraded(o, ref, db);
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
    return [&o, &enc300, &refEnc, workCopy](const QString& dir) {
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
      r.problems = Upgraded(o, refEnc, db);
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

  cases.push_back({QStringLiteral("FIFOs at the log file and autoup.ini"), [&](const QString& dir) {
                     Outcome r;
                     const QString folder = ProgramFolder(dir, o);
                     const QString db = folder + QStringLiteral("/Marrowtide.mdb");
                     QFile::copy(enc300, db);
                     const QString log = folder + QStringLiteral("/log/marrowtide-dbupgrade.log");
                     const QString ini = folder + QStringLiteral("/autoup.ini");
                     for (const QString& f : {log, ini}) ::mkfifo(QFile::encodeName(f).constData(), 0644);
                     const RunResult run = Program(folder, o).Run(std::nullopt, 120000);
                     r.problems = Upgraded(o, refEnc, db);
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
                     r.problems = Upgraded(o, refEnc, db);
                     if (lie.exitCode != 0) r.problems << QStringLiteral("could not set the marker: ") + lie.err;
                     if (!program.Log().contains(QStringLiteral("IsDBEn says the values are plain")))
                       r.problems << QStringLiteral("the disagreement is not logged");
                     r.result = Describe(Read(db, false)) + QStringLiteral(", exit %1").arg(run.exitCode);
                     r.evidence = Evidence(program.Log(), run.err);
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
                     r.problems += Upgraded(o, refPlain, db);
                     r.result += QStringLiteral("killed work folders: ") + left.join(u',') + QStringLiteral("; ") + Describe(Read(db, false));
                     r.evidence = Evidence(program.Log(), QString());
                     if (info.exitCode != 0) r.problems << QStringLiteral("info after the kill: ") + info.err.left(120);
                     return r;
                   }});

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
    return [&o, input, &ref](const QString& dir) {
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
      const QStringList upgraded = Upgraded(o, want, db);
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

  int failed = 0, ran = 0;
  for (const auto& [name, run] : cases) {
    if (!only.isEmpty() && !name.contains(only)) continue;
    const QString dir = base + QStringLiteral("/case");
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFileDevice::Permissions(0x7755));
    const Outcome r = run(dir);
    if (!r.ran) {
      out << "SKIP " << name << " (needs root and tmpfs mounts)\n";
      continue;
    }
    ++ran;
    if (!r.problems.isEmpty()) ++failed;
    out << (r.problems.isEmpty() ? "PASS " : "FAIL ") << name << "\n    database: " << r.result << "\n";
    for (const QString& p : r.problems) out << "    problem: " << p << "\n";
    for (const QString& e : r.evidence) out << "    said: " << e << "\n";
    out.flush();
    QDir(dir).removeRecursively();
  }
  out << "\ncases: " << ran << ", held: " << ran - failed << ", failed: " << failed << "\n";
  SetClock(nullptr);
  return failed == 0 ? 0 : 1;
}
