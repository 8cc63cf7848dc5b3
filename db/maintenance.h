// The last database step of a run: prune the activity logs, compact the
// database file, and stamp the compaction time into autoup.ini.
//
// Promises:
//  - p_CompactDB runs the five pruning statements in order through DBExecute,
//    closes the shared connection (it stays allocated), compacts DBPath and
//    writes [Update] CompactDBDate=yyyy-MM-dd HH:mm:ss (services().clock) to
//    ProgramFolder()/autoup.ini. A failing pruning statement ends it early (no
//    compaction, no stamp), logged under "modMain.p_CompactDB".
//  - CompactDatabase builds the compacted copy as ProgramFolder()/tmp.mdb
//    (a leftover one is deleted first) and renames it over the database file
//    in one atomic step (db/file_replace.h), so the path always names either
//    the old or the compacted database. A failure is logged under
//    "modDB.CompactDatabase" and leaves the database file as it was.
#pragma once

#include <QString>
#include <span>

#include "db/ini_file.h"

namespace mt {

// The five pruning statements, in the order p_CompactDB runs them.
std::span<const char* const> PruningStatements();

void p_CompactDB();
void CompactDatabase(const QString& path, const QString& password);

}  // namespace mt
