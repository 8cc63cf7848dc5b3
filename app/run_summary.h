// The one line the upgrade program ends with on standard error when it runs
// without windows: what the run did and its exit status.
//
//   marrowtide-dbupgrade: version 2 -> 405, 17 statements failed (17 expected,
//   at version 395), exit status 0: at version 405, encrypted
//
// (one line). A version that was not read is "not read"; failures of code
// migrations are added when there are any.
#pragma once

#include <QString>

#include "app/run.h"

namespace mt {

QString RunSummaryLine(const QString& program, const RunReport& report, RunOutcome outcome);

// The meaning of an exit status, as the summary and the README's table say it.
QString OutcomeMeaning(RunOutcome outcome);

}  // namespace mt
