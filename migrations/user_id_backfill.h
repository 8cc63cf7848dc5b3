// The code migration that fills the text account name UserId from the
// account table TUserIdIPs wherever a row has a positive UserIDX but no name.
//
// Promises:
//  - Three passes in this order, each on its own recordset opened after the
//    previous one is released: TUserActions, TTaskLog, TActionList. A later
//    pass sees what the earlier ones wrote.
//  - A TUserActions row that gets a name also gives it to every TTaskLog and
//    TActionList row of the account; a TTaskLog row to every TActionList row.
//  - A row whose account has no name (no account row, Null or empty name, or
//    a failed lookup) is skipped and not updated.
//  - Runs in the migration frame: the first failing statement or update ends
//    the whole migration and is logged.
#pragma once

namespace mt {

void p_DBUpgrade_335();

}  // namespace mt
