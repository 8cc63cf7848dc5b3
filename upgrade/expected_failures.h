// The failures the shipped upgrade expects. Version 395 renames the eight
// statistics columns of TUserProfileStatistics and then, for a database
// where the renames do not work, adds the new columns, copies the values and
// drops the old ones: once the renames have worked those 17 statements fail,
// and a run from below 395 logs them every time.
//
// Promises:
//  - IsExpectedFailure is true only for a statement of that fallback half at
//    version 395 (a normalised statement, as the engine logs it).
#pragma once

#include <QString>
#include <cstdint>

namespace mt::upgrade {

inline constexpr int32_t kVersionWithExpectedFailures = 395;
inline constexpr int kExpectedFailuresOf395 = 17;

bool IsExpectedFailure(int32_t version, const QString& statement);

}  // namespace mt::upgrade
