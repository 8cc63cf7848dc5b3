// The last check of a value pass before its work copy may take the
// database's place: the closed copy must be one whole database file that
// holds the marker the pass wrote.
//
// Promises:
//  - WorkCopyProblem(path, encrypted) is empty when the file at path has no
//    write-ahead log beside it, opens with the database password, answers
//    "ok" to PRAGMA integrity_check, and its settings rows IsDBEn (at least
//    one) all hold the encrypted marker (cipher text of "1") when encrypted
//    is true, "0" otherwise. Else it says, in one line, what is wrong.
//  - The file is opened read-only and never changed.
#pragma once

#include <QString>

namespace mt {

QString WorkCopyProblem(const QString& path, bool encrypted);

}  // namespace mt
