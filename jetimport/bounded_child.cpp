#include "jetimport/bounded_child.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QtEndian>
#include <cstdio>

namespace mt::jetimport {
namespace {

bool WriteAll(int fd, const char* p, size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= size_t(w);
  }
  return true;
}

void Limit(int resource, qint64 value, qint64 hard) {
  struct rlimit r;
  r.rlim_cur = rlim_t(value);
  r.rlim_max = rlim_t(hard);
  ::setrlimit(resource, &r);
}

[[noreturn]] void RunChild(const std::function<int(ChildChannel&)>& work, int messageFd, int outputFd,
                           pid_t parent, const ChildLimits& limits) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(1);
  Limit(RLIMIT_CORE, 0, 0);
  Limit(RLIMIT_CPU, limits.cpuSeconds, limits.cpuSeconds + 1);
  Limit(RLIMIT_AS, limits.memoryBytes, limits.memoryBytes);
  ::dup2(outputFd, STDOUT_FILENO);
  ::dup2(outputFd, STDERR_FILENO);
  ::close(outputFd);
  // Nothing else of the parent's stays open here. A lock the parent holds
  // (on the database it writes) must end with the parent; a child keeping
  // the descriptor would hold it until its own death signal arrives.
  constexpr int kChannel = STDERR_FILENO + 1;
  if (messageFd != kChannel && ::dup2(messageFd, kChannel) != kChannel) ::_exit(1);
  ::close_range(kChannel + 1, ~0U, 0);
  int status = 1;
  try {
    ChildChannel channel(kChannel);
    status = work(channel);
  } catch (...) {
    status = 1;
  }
  std::fflush(nullptr);
  ::_exit(status);
}

}  // namespace

void ChildChannel::Send(const QByteArray& message) {
  char length[4];
  qToLittleEndian<quint32>(quint32(message.size()), length);
  // A parent that is gone has killed this process already (PR_SET_PDEATHSIG).
  if (!WriteAll(fd_, length, 4) || !WriteAll(fd_, message.constData(), size_t(message.size()))) ::_exit(1);
}

ChildOutcome RunBounded(const std::function<int(ChildChannel&)>& work,
                        const std::function<bool(const QByteArray&)>& onMessage, const ChildLimits& limits) {
  ChildOutcome outcome;
  int messages[2], output[2];
  if (::pipe2(messages, O_CLOEXEC) != 0) {
    outcome.exitCode = errno;
    return outcome;
  }
  if (::pipe2(output, O_CLOEXEC) != 0) {
    outcome.exitCode = errno;
    ::close(messages[0]);
    ::close(messages[1]);
    return outcome;
  }
  std::fflush(nullptr);  // nothing buffered here may be written twice
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(messages[0]);
    ::close(output[0]);
    RunChild(work, messages[1], output[1], parent, limits);
  }
  ::close(messages[1]);
  ::close(output[1]);
  if (pid < 0) {
    outcome.exitCode = errno;
    ::close(messages[0]);
    ::close(output[0]);
    return outcome;
  }

  QByteArray inbox, line;
  QElapsedTimer quiet;
  quiet.start();
  bool messagesOpen = true, outputOpen = true, killed = false, watching = true;
  auto kill = [&](ChildOutcome::End why) {
    ::kill(pid, SIGKILL);  // pid > 0 and not yet reaped: it is our child
    outcome.end = why;
    killed = true;
  };
  while ((messagesOpen || outputOpen) && !killed) {
    const int wait = watching ? int(std::max<qint64>(0, limits.quietMs - quiet.elapsed())) : -1;
    struct pollfd fds[2] = {{messagesOpen ? messages[0] : -1, POLLIN, 0}, {outputOpen ? output[0] : -1, POLLIN, 0}};
    const int ready = ::poll(fds, 2, wait);
    if (ready < 0 && errno == EINTR) continue;
    if (watching && (ready == 0 || quiet.elapsed() >= limits.quietMs)) {
      kill(ChildOutcome::End::Silent);
      break;
    }
    char buf[65536];
    if (fds[0].revents) {
      const ssize_t n = ::read(messages[0], buf, sizeof buf);
      if (n <= 0 && !(n < 0 && errno == EINTR)) {
        messagesOpen = false;
      } else if (n > 0) {
        inbox.append(buf, int(n));
        while (inbox.size() >= 4) {
          const quint32 length = qFromLittleEndian<quint32>(inbox.constData());
          if (qsizetype(inbox.size()) < qsizetype(length) + 4) break;
          quiet.restart();
          if (!onMessage(inbox.mid(4, qsizetype(length)))) watching = false;
          inbox.remove(0, qsizetype(length) + 4);
        }
      }
    }
    if (fds[1].revents) {
      const ssize_t n = ::read(output[0], buf, sizeof buf);
      if (n <= 0 && !(n < 0 && errno == EINTR)) {
        outputOpen = false;
      } else if (n > 0) {
        for (ssize_t i = 0; i < n; ++i) {
          if (buf[i] != '\n') {
            if (line.size() < 300) line += buf[i];
            continue;
          }
          if (outcome.output.size() < limits.keptOutputLines) outcome.output << QString::fromUtf8(line).trimmed();
          line.clear();
          ++outcome.outputLines;
        }
        if (outcome.outputLines > limits.maxOutputLines) kill(ChildOutcome::End::Flooded);
      }
    }
  }
  if (!line.isEmpty() && !killed) {
    if (outcome.output.size() < limits.keptOutputLines) outcome.output << QString::fromUtf8(line).trimmed();
    ++outcome.outputLines;
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ::close(messages[0]);
  ::close(output[0]);
  if (killed) return outcome;
  if (WIFEXITED(status)) {
    outcome.end = ChildOutcome::End::Exited;
    outcome.exitCode = WEXITSTATUS(status);
  } else {
    outcome.end = ChildOutcome::End::Signalled;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  }
  return outcome;
}

}  // namespace mt::jetimport
