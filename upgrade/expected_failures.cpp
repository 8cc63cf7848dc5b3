#include "upgrade/expected_failures.h"

namespace mt::upgrade {

bool IsExpectedFailure(int32_t version, const QString& statement) {
  if (version != kVersionWithExpectedFailures) return false;
  for (const char* fallback : {"ALTER TABLE [TUserProfileStatistics] ADD COLUMN ",
                               "ALTER TABLE [TUserProfileStatistics] DROP COLUMN ",
                               "UPDATE TUserProfileStatistics SET "}) {
    if (statement.startsWith(QLatin1String(fallback))) return true;
  }
  return false;
}

}  // namespace mt::upgrade
