// The value-protection passes: encrypt or decrypt the protected columns of
// TCodes, TSettings and TUserAgentsRaw on a work copy of the database, and
// put the copy in place of the database file only when every table went
// through.
//
// Promises:
//  - The work copy is ProgramFolder()/AppName + "_backup_en_" +
//    yyyyMMddHHmmss (services().clock) + ".mdb". The fixed waits (3000 ms
//    after the copy; 1000, 3000 and 3000 ms around the swap) go through
//    services().clock->Sleep.
//  - A row update the engine refuses while the copy still takes changes (a
//    constraint) leaves that row as it was and the pass goes on.
//  - A failure (copy, connection, a table that lists no rows, any error of
//    the engine outside the single row updates, a work copy that takes no
//    more changes, a marker that could not be written, a closed work copy
//    that fails protect/work_copy_check.h) leaves the database file
//    untouched, deletes the work copy this pass made, logs through LogError
//    under "modMain.p_DBEncrypt" / "modMain.p_DBDecrypt" (an empty table and
//    a missing connection log nothing here) and returns normally.
//  - The encryption pass leaves a value that already opens under the
//    program's key as it is: no value gets a second layer. A value the pass
//    would not change is not written.
//  - The swap never leaves DBPath without a whole database: the processed
//    copy is renamed over the database file in one atomic step (staged
//    through a flushed copy beside the database when the program folder is
//    on another file system; see db/file_replace.h). The old file is gone
//    only once the new one is in place. If the swap fails the database stays
//    as it was and the processed copy is deleted.
//  - Either way the shared connection is closed and released at the end.
#pragma once

#include <QString>
#include <functional>
#include <cstdint>

namespace mt {

void p_DBEncrypt();
void p_DBDecrypt(int32_t version);

// The same passes, telling how they ended: ok is true when the processed copy
// took the place of the database file; otherwise code and description say
// why (code 0 for an empty table or a missing connection).
struct ValuePassResult {
  bool ok = false;
  int32_t code = 0;
  QString description;
};
// rowDone, when given, is called after each row a pass has processed, with
// the count so far (marrowtide-db shows it on a terminal).
using RowProgress = std::function<void(qint64 rows)>;
ValuePassResult EncryptDatabaseValues(const RowProgress& rowDone = {});
ValuePassResult DecryptDatabaseValues(int32_t version, const RowProgress& rowDone = {});

}  // namespace mt
