// The program's secrets, kept only as scrambled lists of byte values (see
// protect/unscramble.h); the plain texts appear nowhere in source or binary.
// Each call site copies UnscrambleSeed into a local variable and unscrambles
// at the moment of use, without keeping the result.
#pragma once

#include <cstdint>

namespace mt {

// The database password: 10 values, 10 characters.
extern const char* const ScrambledDBPassword;
// The key text of the string cipher: 9 values, 9 characters.
extern const char* const ScrambledCipherKey;
extern const int32_t UnscrambleSeed;

}  // namespace mt
