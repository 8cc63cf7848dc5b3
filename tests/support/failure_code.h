// What a call throws, for tests of failure paths that compare the code and
// the description passed on to the caller.
#pragma once

#include <QString>
#include <utility>

#include "db/engine.h"

namespace mt::test {

// The code and description of the DbError call() throws; 0 and an empty
// text when it throws none.
template <typename Call>
std::pair<int32_t, QString> Failure(Call call) {
  try {
    call();
  } catch (const DbError& e) {
    return {e.code(), e.description()};
  }
  return {0, QString()};
}

template <typename Call>
int32_t FailureCode(Call call) {
  return Failure(call).first;
}

template <typename Call>
QString FailureDescription(Call call) {
  return Failure(call).second;
}

}  // namespace mt::test
