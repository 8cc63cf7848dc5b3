// A piece of work run in a forked child process under limits, so that a
// library that loops, floods its output, eats memory or crashes on bad input
// takes only the child with it.
//
// Promises:
//  - The child has at most `cpuSeconds` of CPU time and `memoryBytes` of
//    address space, writes no core file and dies with the parent. Its
//    standard output and standard error go into one pipe of which the parent
//    keeps the first `keptOutputLines` lines and counts the rest: nothing the
//    child prints reaches the terminal.
//  - The work talks to the parent only through messages (Send); they arrive
//    whole and in order in `onMessage`, in the parent, while the child runs.
//  - The parent ends the child (SIGKILL to its own positive id, before it is
//    reaped) when no message came for `quietMs` (until `onMessage` returns
//    false: the part that may loop is over), or when its output passes
//    `maxOutputLines`; RunBounded returns only after the child is reaped.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>

namespace mt::jetimport {

struct ChildLimits {
  int quietMs = 5000;
  qint64 cpuSeconds = 600;
  qint64 memoryBytes = qint64(4) << 30;
  int keptOutputLines = 3;
  qint64 maxOutputLines = 10000;
};

// The child's end of the message pipe.
class ChildChannel {
 public:
  explicit ChildChannel(int fd) : fd_(fd) {}
  void Send(const QByteArray& message);

 private:
  int fd_;
};

struct ChildOutcome {
  enum class End {
    Exited,      // exitCode holds its status
    Signalled,   // signal holds the signal (SIGXCPU: out of CPU time)
    Silent,      // killed: no message for quietMs
    Flooded,     // killed: more output lines than maxOutputLines
    NotStarted,  // fork or pipe failed (errno in exitCode)
  };
  End end = End::NotStarted;
  int exitCode = 0;
  int signal = 0;
  QStringList output;      // the first lines the child printed
  qint64 outputLines = 0;  // all of them
};

// The child runs `work` and exits with its return value (1 when it throws).
ChildOutcome RunBounded(const std::function<int(ChildChannel&)>& work,
                        const std::function<bool(const QByteArray&)>& onMessage, const ChildLimits& limits);

}  // namespace mt::jetimport
