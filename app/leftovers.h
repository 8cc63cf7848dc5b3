// Working files that a killed run leaves behind: work copies of the value
// passes, the compaction's tmp.mdb, staged upgrade scripts and the staging
// files of a file replacement. They may hold protected values in clear, and
// none of them is ever the only copy of anything (every replacement is one
// atomic rename), so the next run deletes them before it opens the database.
//
// Promises:
//  - RemoveLeftovers(programFolder, appName, databasePath) deletes, in the
//    program folder, appName + "_backup_en_" + 14 digits + ".mdb", "tmp.mdb"
//    and the staged scripts ("<resource id>.sql" for the ids of the upgrade
//    scripts), and their "~" forms (db/file_replace.h, WorkingFilePath),
//    each with its "-wal", "-shm" and "-journal"; and beside the file
//    databasePath names, the staging files of its replacement and the
//    private work folders of marrowtide-db. The database itself and its
//    journals are never touched, whatever their names (compared by inode).
//    Nothing else is touched. It returns the paths it deleted.
//  - The caller holds the installation lock and the database lock, so no
//    live run is using any of these files.
#pragma once

#include <QString>
#include <QStringList>

namespace mt {

QStringList RemoveLeftovers(const QString& programFolder, const QString& appName,
                            const QString& databasePath);

}  // namespace mt
