// Conversions of database values (QVariant) to text and numbers with the
// program's long-standing rules, and the runtime failures they raise.
//
// Promises:
//  - TextOrEmpty never fails: Null (an invalid or null QVariant) is the empty
//    text, everything else its ordinary text form.
//  - TextOf and ToLong throw DbError kInvalidUseOfNull for Null; ToLong throws
//    kTypeMismatch for text that is no number and kOverflow outside 32 bits.
//    Numbers are rounded half to even, the way the old runtime rounded.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

namespace mt {

// Runtime failure numbers (the values the program's logs have always shown).
namespace rterr {
constexpr int32_t kInvalidCall = 5;        // invalid procedure call or argument
constexpr int32_t kOverflow = 6;
constexpr int32_t kSubscript = 9;          // subscript out of range
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kInvalidUseOfNull = 94;
}  // namespace rterr

bool IsNullValue(const QVariant& value);
QString TextOrEmpty(const QVariant& value);
QString TextOf(const QVariant& value);
int32_t ToLong(const QVariant& value);

}  // namespace mt
