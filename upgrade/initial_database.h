// The product's initial database: the file a fresh installation starts from,
// at schema version 2, before any upgrade script has run.
//
// Promises:
//  - CreateInitialDatabase() creates a new database file at path through the
//    default engine, keyed with the database password, holding the eight
//    tables that exist before version 3 (TSettings, TCodes, TFunctionPresets,
//    TTaskList, TTaskLogHour, TTaskLogDay, TIPs, TMACPrefixes), the settings
//    rows DBVersion "2" and IsDBEn "0", and the base rows the upgrade scripts
//    build on (code rows, site categories).
//  - It refuses a path where a file exists (the engine's Create does) and
//    never touches that file.
//  - On any failure it throws mt::DbError and leaves no file behind.
#pragma once

#include <QString>

namespace mt {

void CreateInitialDatabase(const QString& path);

}  // namespace mt
