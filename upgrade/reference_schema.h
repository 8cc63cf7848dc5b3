// The schema a database should have at a given version, and the embedded
// listing of the newest one.
//
// Promises:
//  - BuildSchemaOfVersion makes the product's initial database (version 2)
//    at path, applies the versions up to `version` through the upgrade engine
//    exactly as a run does (the caller chooses the program folder where the
//    scripts are staged), and returns the database's schema listing
//    (db/store/schema_listing.h). It throws DbError when the database cannot
//    be made or opened, or a version's script is missing; the file stays for
//    the caller to remove.
//  - LatestSchemaListing returns the listing of version LatestDBVersion that
//    the build made this way and embedded in the program (":/schema/latest");
//    it throws DbError when the program carries none.
//  - LatestSchemaDifferences compares a database's schema with that listing
//    (upgrade/schema_diff.h): no lines when they agree. It reads the schema
//    only, never a row, in milliseconds.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace mt {
class Connection;
}

namespace mt::upgrade {

inline constexpr int32_t kInitialVersion = 2;

QStringList BuildSchemaOfVersion(const QString& path, int32_t version);

QStringList LatestSchemaListing();

QStringList LatestSchemaDifferences(Connection& connection);

}  // namespace mt::upgrade
