// The code of the DbError a call throws, for tests of failure paths that
// compare the code passed on to the caller.
#pragma once

#include "db/engine/engine.h"

namespace mt::test {

// The code of the DbError call() throws, 0 when it throws none.
template <typename Call>
int32_t FailureCode(Call call) {
  try {
    call();
  } catch (const DbError& e) {
    return e.code();
  }
  return 0;
}

}  // namespace mt::test
