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
// What "as it was" and "upgraded" mean: fault_kit.h. When a value pass
// cannot write its work copy the run goes on without it: an encrypted database is upgraded over its encrypted
// values (the values the scripts write stay in clear and read back as they
// are), a plain one stays plain after its failed encryption pass.
//
// usage: bench_fault_cases [--shim LIB] [--program EXE] [--tool EXE] [--only NAME]
//   Cases that need root (mounts, running as another user) are skipped
//   without it. Exit status 0 when every case that ran held.
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/globals.h"
#include "bench/bench_inputs.h"
#include "bench/bench_support.h"
#include "bench/fault_cases/fault_kit.h"
#include "protect/cipher.h"

using namespace mt;
using namespace mt::bench;
using namespace mt::bench::faults;

namespace {

QTextStream out(stdout);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  Inputs in;
  Setup& o = in.o;
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
  in.root = ::geteuid() == 0;

  QTemporaryDir tmp;
  const QString base = tmp.path();
  QFile::setPermissions(base, QFileDevice::Permissions(0x7755));  // reachable for "nobody"
  InstallBenchServices(base + QStringLiteral("/driver"), QStringLiteral("driver"), false);
  in.reference = ReferenceSchema();
  if (in.reference.isEmpty()) {
    out << "cannot read the reference schema\n";
    return 2;
  }

  // Inputs, and what an uninterrupted run makes of them.
  const QString& plain2 = in.plain2 = base + QStringLiteral("/plain2.mdb");
  const QString& enc300 = in.enc300 = base + QStringLiteral("/encrypted300.mdb");
  in.done405 = base + QStringLiteral("/done405.mdb");
  const QString& plain405 = in.plain405 = base + QStringLiteral("/plain405.mdb");
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
  for (const auto& [input, ref] : {std::pair{plain2, &in.refPlain}, std::pair{enc300, &in.refEnc}}) {
    const QString folder = ProgramFolder(base + QStringLiteral("/clean"), o);
    QFile::copy(input, folder + QStringLiteral("/Marrowtide.mdb"));
    Program(folder, o).Run(std::nullopt);
    *ref = Read(folder + QStringLiteral("/Marrowtide.mdb"), true);
    if (input == plain2) QFile::copy(folder + QStringLiteral("/Marrowtide.mdb"), in.done405);
    const QStringList problems = Upgraded(in, *ref, folder + QStringLiteral("/Marrowtide.mdb"));
    if (!problems.isEmpty() || !ref->encrypted) {
      out << "an uninterrupted run of " << input << " fails: " << problems.join(u';') << "\n";
      return 1;
    }
  }

  CaseList cases;
  AddFileCases(cases, in);
  AddDiskCases(cases, in);
  AddConcurrencyCases(cases, in);
  AddPlaceCases(cases, in);

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
