// Turns a scrambled list of decimal byte values back into the secret text it
// hides (the database password, the cipher key text).
//
// Promises:
//  - A pure function: no state, no log, nothing shown.
//  - Every failure (no values, a value that is not a 32-bit decimal number,
//    more than 32767 values, an overflowing product, a result code outside
//    0..255, stripEnds with fewer than 4 characters) gives the empty text.
//  - seed and stripEnds are read, never written.
//  - Result codes 0..255 map to the characters U+0000..U+00FF (Latin-1); the
//    secrets of this program are ASCII.
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

QString StringUnscramble(const QString& list, int32_t& seed, bool& stripEnds);

}  // namespace mt
