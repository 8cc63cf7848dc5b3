// marrowtide-dbupgrade: brings the product database to the newest schema in
// one pass. The whole command-line text is the optional database path, but
// for "--help", "-h" and "--version" (app/program_help.h), answered on
// standard output before anything else happens. A run writes nothing to
// standard output; the exit status says how it ended (mt::RunOutcome, the
// table in README.md). Without windows its failure lines and a summary line
// go to standard error.
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/display.h"
#include "app/log.h"
#include "app/program_help.h"
#include "app/run_summary.h"
#include "app/production.h"
#include "app/run.h"
#include "db/query.h"
#include "ui/qt_ui.h"

namespace {

// Starts a window-system application in a child process first: whatever
// would abort this process (no server behind DISPLAY, a stale forward, a
// platform plugin that cannot start) then ends only the child. A child that
// does not finish within a few seconds counts as a failure too.
bool WindowSystemStarts(int argc, char** argv) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
    }
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    QApplication probe(argc, argv);
    _exit(0);
  }
  constexpr int kStepMs = 10, kLimitMs = 5000;
  for (int waited = 0; waited < kLimitMs; waited += kStepMs) {
    int status = 0;
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0) return false;
    usleep(kStepMs * 1000);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // The argument text taken whole: the arguments as the shell passed them,
  // joined by single blanks, so a path with blanks needs no quoting.
  QStringList parts;
  for (int i = 1; i < argc; ++i) parts << QString::fromLocal8Bit(argv[i]);
  const QString argument = parts.join(QLatin1Char(' '));
  if (const mt::InfoRequest request = mt::InfoRequestOf(argument); request != mt::InfoRequest::None) {
    const QString text = request == mt::InfoRequest::Help ? mt::UpgradeHelpText()
                                                          : mt::VersionText(QStringLiteral("marrowtide-dbupgrade"));
    const QByteArray bytes = text.toLocal8Bit();
    return fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) && fflush(stdout) == 0
               ? 0
               : 1;
  }

  // Windows only when a window system can be reached and starts; otherwise
  // the run goes on headless and message boxes go to standard error.
  const bool windows = mt::WindowSystemReachable() && WindowSystemStarts(argc, argv);
  std::unique_ptr<QCoreApplication> app;
  if (windows) app = std::make_unique<QApplication>(argc, argv);
  else app = std::make_unique<QCoreApplication>(argc, argv);

  mt::InstallProductionServices();
  if (windows) mt::InstallQtUi();
  mt::SetFailureEcho(!windows);
  mt::RunReport report;
  const mt::RunOutcome outcome = mt::RunMain(argument, &report);
  // The run leaves the shared connection open; closing it here, and not in a
  // static destructor, keeps it ahead of the crypto library's own exit handlers.
  mt::ReleaseSharedConnection();
  // A second run stays silent, as a second copy always has.
  if (!windows && outcome != mt::RunOutcome::AnotherRunHoldsTheLock) {
    const QByteArray line = (mt::RunSummaryLine(mt::ExeName(), report, outcome) + QLatin1Char('\n')).toLocal8Bit();
    fwrite(line.constData(), 1, size_t(line.size()), stderr);
  }
  return static_cast<int>(outcome);
}
