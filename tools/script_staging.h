// The private folder where marrowtide-db has the upgrade engine stage its
// scripts. The engine writes each script to the program folder before reading
// it; the tool's own folder may be read-only or shared, so for as long as a
// ScriptStaging lives the program folder is a fresh temporary folder of its
// own, removed with everything in it afterwards.
//
// Promises:
//  - With keepLog, log lines still reach the log folder beside the tool when
//    that folder exists: the staging folder holds a link "log" to it.
//  - StagingFailure names why the script of a version could not be staged:
//    the program carries no script for it, or the system's reason for the
//    failed write.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace mt::tool {

class ScriptStaging {
 public:
  ScriptStaging() = default;
  ScriptStaging(const ScriptStaging&) = delete;
  ScriptStaging& operator=(const ScriptStaging&) = delete;
  ~ScriptStaging();

  // False with error() set when the folder cannot be made.
  bool Start(bool keepLog);
  QString error() const { return error_; }
  QString path() const { return dir_.path(); }

  QString StagingFailure(int version) const;

 private:
  QTemporaryDir dir_;
  QString error_;
  bool started_ = false;
};

}  // namespace mt::tool
