// The schema version a database stores in TSettings (row DBVersion), read the
// way the upgrade run reads it.
//
// Promises:
//  - VersionFromStored takes the stored value (1 when the row, the table or
//    the value is missing: what DBGetValue answers with that default). A
//    number, or a text that reads as a decimal number with blanks around it,
//    is rounded half to even; anything else is passed through `decrypt` (an
//    encrypted database keeps its version encrypted too) and read the same way.
//  - It throws DbError 13 ("Type mismatch") when neither reads as a number,
//    and 6 ("Overflow") for a number outside 32 bits.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>

namespace mt {

int32_t VersionFromStored(const QVariant& stored,
                          const std::function<QString(const QString&)>& decrypt);

}  // namespace mt
