// marrowtide-dbupgrade: brings the product database to the newest schema in
// one pass. The whole command-line text is the optional database path.
// Nothing is written to standard output; the exit status is always 0.
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <memory>

#include "app/display.h"
#include "app/production.h"
#include "app/run.h"
#include "db/query.h"
#include "ui/qt_ui.h"

int main(int argc, char** argv) {
  // The argument text taken whole: the arguments as the shell passed them,
  // joined by single blanks, so a path with blanks needs no quoting.
  QStringList parts;
  for (int i = 1; i < argc; ++i) parts << QString::fromLocal8Bit(argv[i]);
  const QString argument = parts.join(QLatin1Char(' '));

  // Windows only when a window system can be reached; otherwise the run goes
  // on headless and message boxes go to standard error.
  const bool windows = mt::WindowSystemReachable();
  std::unique_ptr<QCoreApplication> app;
  if (windows) app = std::make_unique<QApplication>(argc, argv);
  else app = std::make_unique<QCoreApplication>(argc, argv);

  mt::InstallProductionServices();
  if (windows) mt::InstallQtUi();
  mt::RunMain(argument);
  // The run leaves the shared connection open; closing it here, and not in a
  // static destructor, keeps it ahead of the crypto library's own exit handlers.
  mt::ReleaseSharedConnection();
  return 0;
}
