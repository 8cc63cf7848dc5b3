#include "net/url_downloader.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <atomic>
#include <thread>

#include "app/globals.h"
#include "support/fake_services.h"
#include "support/real_db.h"

namespace mt {
namespace {

// A tiny HTTP server on 127.0.0.1 in a thread of the test process: one
// request per connection, answered with the fixed response of its path.
// Every wait is bounded by a poll time-out.
class LoopbackServer {
 public:
  explicit LoopbackServer(QMap<QByteArray, QByteArray> responses = {}) : responses_(std::move(responses)) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(fd_, 8) != 0) {
      ADD_FAILURE() << "cannot listen on 127.0.0.1";
      return;
    }
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] {
      while (!stop_) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        if (const int client = accept(fd_, nullptr, nullptr); client >= 0) Answer(client), close(client);
      }
    });
  }
  ~LoopbackServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    close(fd_);
  }
  QString Url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path); }

 private:
  void Answer(int client) {
    QByteArray request;
    while (!request.contains("\r\n\r\n")) {
      pollfd p{client, POLLIN, 0};
      char buf[1024];
      const ssize_t n = poll(&p, 1, 2000) > 0 ? recv(client, buf, sizeof buf, 0) : 0;
      if (n <= 0) return;
      request.append(buf, n);
    }
    const QByteArray bytes =
        responses_.value(request.split(' ').value(1), "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
    send(client, bytes.constData(), bytes.size(), MSG_NOSIGNAL);
  }

  const QMap<QByteArray, QByteArray> responses_;
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

const QByteArray kFileText = QByteArray("업그레이드 파일 ").repeated(500);

class Downloader : public ::testing::Test {
 protected:
  void SetUp() override { Globals().LoggingEnabled = true; }
  void TearDown() override { Globals() = RunGlobals{}; }

  // The log lines this test wrote, without their timestamps.
  QStringList Log() const { return folder_.LogMessages(); }
  QString Target() const { return folder_.File(QStringLiteral("download.bin")); }
  QString StartLine(const QString& url, const QString& file = {}) const {
    return QStringLiteral("CURLDownloader.Download Start szURL = ") + url + QStringLiteral(", szFile = ") +
           (file.isEmpty() ? Target() : file);
  }

  test::ProgramFolder folder_;
  LoopbackServer server_{{
      {"/file.txt", "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(kFileText.size()) + "\r\n\r\n" + kFileText},
      {"/empty", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"},
      {"/moved", "HTTP/1.1 302 Found\r\nLocation: /file.txt\r\nContent-Length: 0\r\n\r\n"},
      // Announces 1000 bytes, sends 10, then hangs up.
      {"/broken", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789"},
  }};
  CURLDownloader downloader_;
};

TEST_F(Downloader, NormalFileAndRedirectAndAZeroLengthFileIsRemoved) {
  const QString url = server_.Url(QStringLiteral("/file.txt"));
  EXPECT_TRUE(downloader_.Download(url, Target()));
  EXPECT_EQ(test::FileBytes(Target()), kFileText);
  QFile::remove(Target());
  EXPECT_TRUE(downloader_.Download(server_.Url(QStringLiteral("/moved")), Target()));
  EXPECT_EQ(test::FileBytes(Target()), kFileText);

  const QString empty = server_.Url(QStringLiteral("/empty"));
  EXPECT_FALSE(downloader_.Download(empty, Target()));
  EXPECT_FALSE(QFile::exists(Target()));
  const QString end = QStringLiteral("CURLDownloader.Download End ");
  EXPECT_EQ(Log(), QStringList({StartLine(url), end + "True", StartLine(server_.Url(QStringLiteral("/moved"))),
                                end + "True", StartLine(empty),
                                QStringLiteral("CURLDownloader.Download Error: Downloaded File Size = 0"),
                                end + "False"}));
}

// A failed transfer keeps the old file and leaves no partial one; only a
// transfer that the server broke off logs its own error line.
TEST_F(Downloader, FailuresKeepTheOldFileAndLeaveNoPartialOne) {
  QString refused;  // a port that was just served: nobody listens there any more
  {
    LoopbackServer gone;
    refused = gone.Url(QStringLiteral("/file.txt"));
  }
  const QString end = QStringLiteral("CURLDownloader.Download End False");
  const QString failure = QStringLiteral("CURLDownloader.Download Error: INET_E_DOWNLOAD_FAILURE");
  const struct {
    QString url, file;
    bool errorLine;
  } cases[] = {
      {server_.Url(QStringLiteral("/missing")), Target(), true},
      {server_.Url(QStringLiteral("/broken")), Target(), true},
      {refused, Target(), false},
      {QStringLiteral("nosuch://127.0.0.1/file.txt"), Target(), false},
      {server_.Url(QStringLiteral("/file.txt")), folder_.File(QStringLiteral("no-such-folder/download.bin")), false},
  };
  test::WriteFile(Target(), "previous contents");
  QStringList expected;
  for (const auto& c : cases) {
    EXPECT_FALSE(downloader_.Download(c.url, c.file)) << c.url.toStdString();
    expected << StartLine(c.url, c.file);
    if (c.errorLine) expected << failure;
    expected << end;
  }
  EXPECT_EQ(test::FileBytes(Target()), QByteArray("previous contents"));
  EXPECT_EQ(Log(), expected);
  QFile::remove(Target());
  EXPECT_FALSE(downloader_.Download(server_.Url(QStringLiteral("/broken")), Target()));
  EXPECT_EQ(QDir(folder_.Path()).entryList(QDir::Files), QStringList()) << "no temporary file may stay";
}

}  // namespace
}  // namespace mt
