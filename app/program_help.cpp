#include "app/program_help.h"

#include "app/globals.h"
#include "generated/release.h"

namespace mt {

InfoRequest InfoRequestOf(const QString& argumentText) {
  if (argumentText == QLatin1String("--help") || argumentText == QLatin1String("-h")) return InfoRequest::Help;
  if (argumentText == QLatin1String("--version")) return InfoRequest::Version;
  return InfoRequest::None;
}

QString UpgradeHelpText() {
  return QStringLiteral(
             "usage: marrowtide-dbupgrade [PATH]\n"
             "       marrowtide-dbupgrade --help | -h | --version\n"
             "\n"
             "Brings a Marrowtide database to schema version %1 in one pass: opens it, decrypts\n"
             "its protected values, applies the upgrade scripts and code migrations version by\n"
             "version, encrypts the values again, checks the schema against version %1's,\n"
             "prunes the activity logs and compacts the file.\n"
             "\n"
             "PATH is the whole argument text (a path with blanks needs no quotes). Without it,\n"
             "or when no file matches it, the database is Marrowtide.mdb beside the program.\n"
             "\n"
             "Nothing is written on standard output. The trace goes to\n"
             "log/marrowtide-dbupgrade.log beside the program when that folder exists.\n"
             "Without a window system every failure line also goes to standard error, and a\n"
             "run ends with one summary line there: the versions before and after, the failed\n"
             "statements (and how many of them the upgrade expects) and the exit status.\n"
             "\n"
             "Exit status (when several apply, the smallest):\n"
             "  0  at version %1 (or above) and encrypted\n"
             "  1  the database could not be opened, or was lost after a value pass\n"
             "  2  the database stayed below version %1\n"
             "  3  the values could not be encrypted\n"
             "  4  nothing done: another run holds this installation or this database\n"
             "  5  at version %1, but the schema differs from version %1's\n")
      .arg(LatestDBVersion);
}

QString VersionText(const QString& program) {
  return QStringLiteral("%1 %2 (schema version %3)\n")
      .arg(program, QStringLiteral(MT_RELEASE))
      .arg(LatestDBVersion);
}

}  // namespace mt
