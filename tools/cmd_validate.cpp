// marrowtide-db validate FILE: is FILE's schema the one its stored version
// should have? Builds that schema in a temporary database of its own (the
// initial database of version 2, then the versions up to the stored one
// through the upgrade engine, as `migrate` applies them; the newest version's
// listing is embedded at build time), lists both with the schema listing and
// prints their differences (upgrade/schema_diff.h). Exit 0
// when there are none, 1 when there are any or the check cannot be made.
//
// FILE itself is never opened: the tool reads a copy in its temporary folder,
// made under FILE's database lock (shared), and FILE stays byte for byte as
// it was. A copy the engine finds damaged (PRAGMA quick_check) is reported
// as lines "damaged TAB PROBLEM" before any difference, and the exit is 1.
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "app/globals.h"
#include "db/engine.h"
#include "db/store/schema_listing.h"
#include "db/query.h"
#include "tools/command.h"
#include "upgrade/schema_diff.h"
#include "tools/script_staging.h"
#include "upgrade/reference_schema.h"

namespace mt::tool {
namespace {

using upgrade::kInitialVersion;

struct Listing {
  int32_t version = 0;
  QStringList lines;
};

Listing Read(const QString& path) {
  auto connection = DefaultEngine().Open(path, DatabasePassword());
  Listing listing{StoredVersion(*connection), engine::ListSchema(*connection)};
  connection->Close();
  return listing;
}

int RunValidate(const QStringList& args) {
  if (args.size() != 1) return UsageOf(QStringLiteral("validate"));
  const QString& file = args[0];
  if (!QFileInfo(file).isFile()) {
    return ReportError(dberr::kOpenFailed, QStringLiteral("No database file at ") + file);
  }
  ScriptStaging staging;
  if (!staging.Start(/*keepLog=*/false)) return ReportError(dberr::kOpenFailed, staging.error());
  const QString copy = staging.path() + QStringLiteral("/actual.mdb");
  {
    const DatabaseLockHold hold(file, Access::Reads);
    if (hold.status() != kOk) return hold.status();
    if (QFile source(file); !source.copy(copy)) {
      return ReportError(dberr::kOpenFailed,
                         QStringLiteral("cannot copy %1: %2").arg(file, source.errorString()));
    }
  }
  QTextStream out(stdout);
  bool damaged = false;
  try {
    auto connection = DefaultEngine().Open(copy, DatabasePassword());
    const QString damage = connection->Damage();
    connection->Close();
    for (const QString& problem : damage.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      out << "damaged\t" << engine::EscapeField(problem) << '\n';
    damaged = !damage.isEmpty();
  } catch (const DbError& e) {
    return ReportError(e.code(), e.description());
  }
  try {
    const Listing actual = Read(copy);
    if (actual.version < kInitialVersion || actual.version > LatestDBVersion) {
      return ReportError(dberr::kInvalidArg,
                         QStringLiteral("no schema is known for version %1 (known: %2 to %3)")
                             .arg(actual.version)
                             .arg(kInitialVersion)
                             .arg(LatestDBVersion));
    }
    // The newest version's schema is embedded; older ones are built.
    const QStringList expected =
        actual.version == LatestDBVersion
            ? upgrade::LatestSchemaListing()
            : upgrade::BuildSchemaOfVersion(staging.path() + QStringLiteral("/expected.mdb"), actual.version);
    const QStringList differences = upgrade::CompareSchemas(expected, actual.lines);
    for (const QString& line : differences) out << line << '\n';
    return differences.isEmpty() && !damaged ? kOk : kFailed;
  } catch (const DbError& e) {
    out.flush();
    return ReportError(e.code(), e.description());
  }
}

const ToolCommand kValidate("validate", "validate FILE",
                            "the file's schema against the one its stored version should have "
                            "(exit 1 on drift)",
                            RunValidate, Access::OwnChoice);

}  // namespace
}  // namespace mt::tool
