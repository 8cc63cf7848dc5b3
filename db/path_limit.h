// How long a path the database engine can open. SQLite's Unix file layer
// takes absolute paths of at most 512 bytes and refuses a database whose
// journal name (the path and "-journal") would be longer, so a database, a
// work copy or a compaction target must stay within 504 bytes. A run checks
// every path it will hand the engine before it changes anything, instead of
// failing at a later step with half the work done.
//
// Promises:
//  - EnginePathProblem(path) is empty when the absolute form of path (in
//    the file system's encoding) is at most kMaxEnginePathBytes long, and
//    otherwise a sentence naming the path, its length and the limit.
#pragma once

#include <QString>

namespace mt {

constexpr int kMaxEnginePathBytes = 504;

QString EnginePathProblem(const QString& path);

}  // namespace mt
