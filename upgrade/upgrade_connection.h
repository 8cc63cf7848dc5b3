// The connection the upgrade works on: the shared connection, which the
// caller has opened. The upgrade never opens one of its own, so a missing or
// closed connection shows up as a failure of each operation that needs it.
#pragma once

#include "db/engine.h"
#include "db/query.h"

namespace mt::upgrade {

inline Connection& UpgradeConnection() {
  Connection* conn = SharedConnection();
  if (conn == nullptr || !conn->IsOpen()) {
    throw DbError(dberr::kClosed,
                  QStringLiteral("Operation is not allowed when the object is closed."));
  }
  return *conn;
}

}  // namespace mt::upgrade
