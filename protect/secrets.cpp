#include "protect/secrets.h"

namespace mt {

// Made with tools/scramble (mt-scramble SEED TEXT).
const char* const ScrambledDBPassword = "38 75 91 203 131 123 159 17 120 180";
const char* const ScrambledCipherKey = "95 65 74 151 29 191 146 2 230";
const int32_t UnscrambleSeed = 1175712480;

}  // namespace mt
