// The schema versions whose upgrade step is written in code rather than as a
// script, and the production set of those steps.
//
// Promises:
//  - IsCodeMigrationVersion is true for exactly 298, 299, 319, 329, 335 and
//    338; for these versions the upgrade never runs a script, even where one
//    is stored (as it is for 319).
//  - RunCodeMigration runs the step through services().migrations; with no
//    migrations installed it does nothing.
//  - ProductionCodeMigrations maps 298 and 299 to p_DBUpgrade_298 and each
//    other version to its own procedure (migrations/migration_steps.h).
#pragma once

#include "app/services.h"

namespace mt {

bool IsCodeMigrationVersion(int version);

void RunCodeMigration(int version);

CodeMigrations& ProductionCodeMigrations();

}  // namespace mt
