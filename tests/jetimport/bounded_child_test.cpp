// Work run in a bounded child process: what each way of going wrong turns
// into, and that messages and the child's output reach the parent as promised.
#include "jetimport/bounded_child.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace mt::jetimport {
namespace {

using End = ChildOutcome::End;

TEST(BoundedChild, EachWayOfGoingWrongEndsTheChildAndSaysWhich) {
  ChildLimits limits;
  limits.quietMs = 300;
  limits.cpuSeconds = 1;
  limits.memoryBytes = qint64(256) << 20;
  limits.maxOutputLines = 1000;
  struct Case {
    const char* what;
    std::function<int(ChildChannel&)> work;
    End end;
    int codeOrSignal;
    int watchUntil = -1;  // the message after which onMessage stops the silence watch
  } const cases[] = {
      {"exits", [](ChildChannel& c) { c.Send("a"); c.Send("b"); std::puts("one\ntwo"); return 3; }, End::Exited, 3},
      {"loops silently", [](ChildChannel&) { for (;;) ::pause(); return 0; }, End::Silent, 0},
      {"floods its output", [](ChildChannel&) { for (;;) std::puts("warning: offset is beyond EOF"); return 0; },
       End::Flooded, 0},
      {"crashes", [](ChildChannel&) { ::raise(SIGSEGV); return 0; }, End::Signalled, SIGSEGV},
      {"spins while it reports", [](ChildChannel& c) { for (;;) c.Send("tick"); return 0; }, End::Signalled, SIGXCPU},
      {"eats memory while it reports", [](ChildChannel& c) {
         std::vector<std::vector<char>> hog;
         for (;;) hog.emplace_back(size_t(16) << 20, 'x'), c.Send("tick");
         return 0;
       }, End::Exited, 1},
      {"takes its time once the watched part is over", [](ChildChannel& c) {
         c.Send("done");
         ::usleep(900000);
         return 0;
       }, End::Exited, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<QByteArray> messages;
    const ChildOutcome o = RunBounded(c.work, [&](const QByteArray& m) {
      if (messages.size() < 3) messages.push_back(m);
      return int(messages.size()) - 1 != c.watchUntil;
    }, limits);
    EXPECT_EQ(o.end, c.end);
    EXPECT_EQ(c.end == End::Signalled ? o.signal : o.exitCode, c.codeOrSignal);
    EXPECT_LE(o.output.size(), limits.keptOutputLines);
    if (c.end == End::Flooded) EXPECT_GT(o.outputLines, limits.maxOutputLines);
  }
}

// The child writes only through its channels and keeps no other descriptor
// of the parent's (a lock on the database must end with the parent).
TEST(BoundedChild, MessagesAndOutputArriveInOrderThroughTheOnlyDescriptorsKept) {
  std::vector<QByteArray> messages;
  const int opened = ::open("/dev/null", O_RDONLY);
  const int held = ::fcntl(opened, F_DUPFD, 100);  // above the numbers the channels take
  ::close(opened);
  ASSERT_GE(held, 100);
  const ChildOutcome o = RunBounded(
      [held](ChildChannel& c) {
        for (int i = 0; i < 500; ++i) c.Send(QByteArray(i * 37 % 5000, char('a' + i % 26)));
        for (int i = 0; i < 5; ++i) std::printf("line %d\n", i);
        std::fflush(stdout);
        std::fprintf(stderr, "last");
        return ::fcntl(held, F_GETFD) == -1 ? 0 : 7;
      },
      [&](const QByteArray& m) { messages.push_back(m); return true; }, ChildLimits{});
  ::close(held);
  EXPECT_EQ(o.end, End::Exited);
  EXPECT_EQ(o.exitCode, 0) << "the child kept a descriptor of the parent's";
  ASSERT_EQ(messages.size(), 500u);
  for (int i = 0; i < 500; ++i) EXPECT_EQ(messages[size_t(i)], QByteArray(i * 37 % 5000, char('a' + i % 26))) << i;
  EXPECT_EQ(o.output, (QStringList{"line 0", "line 1", "line 2"}));
  EXPECT_EQ(o.outputLines, 6);
}

}  // namespace
}  // namespace mt::jetimport
