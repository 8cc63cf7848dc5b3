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

// A tiny HTTP server on 127.0.0.1, one request per connection, in a thread
// of the test process. Every wait is bounded by a poll time-out.
class LoopbackServer {
 public:
  struct Reply {
    QByteArray head;  // status line and headers, without the blank line
    QByteArray body;  // sent after the blank line, then the connection closes
  };

  LoopbackServer() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    const int one = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd_, 8) != 0) {
      ADD_FAILURE() << "cannot listen on 127.0.0.1";
      return;
    }
    socklen_t len = sizeof addr;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }

  ~LoopbackServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    close(fd_);
  }

  void Route(const QByteArray& path, Reply reply) { routes_[path] = std::move(reply); }
  QString Url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      const int client = accept(fd_, nullptr, nullptr);
      if (client < 0) continue;
      Answer(client);
      close(client);
    }
  }

  void Answer(int client) {
    QByteArray request;
    while (!request.contains("\r\n\r\n")) {
      pollfd p{client, POLLIN, 0};
      if (poll(&p, 1, 2000) <= 0) return;
      char buf[1024];
      const ssize_t n = recv(client, buf, sizeof buf, 0);
      if (n <= 0) return;
      request.append(buf, n);
    }
    const QByteArray path = request.split(' ').value(1);
    const Reply reply = routes_.value(path, Reply{"HTTP/1.1 404 Not Found\r\nContent-Length: 9", "not found"});
    const QByteArray bytes = reply.head + "\r\nConnection: close\r\n\r\n" + reply.body;
    send(client, bytes.constData(), bytes.size(), MSG_NOSIGNAL);
  }

  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  QMap<QByteArray, Reply> routes_;
};

class Downloader : public ::testing::Test {
 protected:
  void SetUp() override {
    Globals().LoggingEnabled = true;
    const QByteArray text = QByteArray("업그레이드 파일 ").repeated(500);
    server_.Route("/file.txt", {"HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(text.size()), text});
    server_.Route("/empty", {"HTTP/1.1 200 OK\r\nContent-Length: 0", ""});
    server_.Route("/moved", {"HTTP/1.1 302 Found\r\nLocation: /file.txt\r\nContent-Length: 0", ""});
    // Announces 1000 bytes, sends 10, then hangs up.
    server_.Route("/broken", {"HTTP/1.1 200 OK\r\nContent-Length: 1000", "0123456789"});
    fileText_ = text;
  }
  void TearDown() override { Globals() = RunGlobals{}; }

  // The log lines this test wrote, without their timestamps.
  QStringList Log() const { return folder_.LogMessages(); }
  QString Target() const { return folder_.File(QStringLiteral("download.bin")); }
  QString StartLine(const QString& url, const QString& file = {}) const {
    return QStringLiteral("CURLDownloader.Download Start szURL = ") + url + QStringLiteral(", szFile = ") +
           (file.isEmpty() ? Target() : file);
  }

  test::ProgramFolder folder_;
  LoopbackServer server_;
  QByteArray fileText_;
  CURLDownloader downloader_;
};

TEST_F(Downloader, NormalFileAndRedirectAndAZeroLengthFileIsRemoved) {
  const QString url = server_.Url(QStringLiteral("/file.txt"));
  EXPECT_TRUE(downloader_.Download(url, Target()));
  EXPECT_EQ(test::FileBytes(Target()), fileText_);
  QFile::remove(Target());
  EXPECT_TRUE(downloader_.Download(server_.Url(QStringLiteral("/moved")), Target()));
  EXPECT_EQ(test::FileBytes(Target()), fileText_);

  const QString empty = server_.Url(QStringLiteral("/empty"));
  EXPECT_FALSE(downloader_.Download(empty, Target()));
  EXPECT_FALSE(QFile::exists(Target()));
  const QString end = QStringLiteral("CURLDownloader.Download End ");
  EXPECT_EQ(Log(), QStringList({StartLine(url), end + "True", StartLine(server_.Url(QStringLiteral("/moved"))),
                                end + "True", StartLine(empty),
                                QStringLiteral("CURLDownloader.Download Error: Downloaded File Size = 0"),
                                end + "False"}));
}

TEST_F(Downloader, FailedTransfersKeepTheOldFileAndLeaveNoPartialOne) {
  test::WriteFile(Target(), "previous contents");
  const QString missing = server_.Url(QStringLiteral("/missing"));
  const QString broken = server_.Url(QStringLiteral("/broken"));
  EXPECT_FALSE(downloader_.Download(missing, Target()));
  EXPECT_FALSE(downloader_.Download(broken, Target()));
  EXPECT_EQ(test::FileBytes(Target()), QByteArray("previous contents"));
  const QString failure = QStringLiteral("CURLDownloader.Download Error: INET_E_DOWNLOAD_FAILURE");
  const QString end = QStringLiteral("CURLDownloader.Download End False");
  EXPECT_EQ(Log(), QStringList({StartLine(missing), failure, end, StartLine(broken), failure, end}));

  QFile::remove(Target());
  EXPECT_FALSE(downloader_.Download(broken, Target()));
  EXPECT_FALSE(QFile::exists(Target()));
  EXPECT_EQ(QDir(folder_.Path()).entryList(QDir::Files), QStringList()) << "no temporary file may stay";
}

TEST_F(Downloader, OtherFailuresWriteOnlyStartAndEnd) {
  QString refused;  // a port that was just served: nobody listens there any more
  {
    LoopbackServer gone;
    refused = gone.Url(QStringLiteral("/file.txt"));
  }
  const QString badScheme = QStringLiteral("nosuch://127.0.0.1/file.txt");
  const QString unwritable = folder_.File(QStringLiteral("no-such-folder/download.bin"));
  EXPECT_FALSE(downloader_.Download(refused, Target()));
  EXPECT_FALSE(downloader_.Download(badScheme, Target()));
  EXPECT_FALSE(downloader_.Download(server_.Url(QStringLiteral("/file.txt")), unwritable));
  const QString end = QStringLiteral("CURLDownloader.Download End False");
  EXPECT_EQ(Log(), QStringList({StartLine(refused), end, StartLine(badScheme), end,
                                StartLine(server_.Url(QStringLiteral("/file.txt")), unwritable), end}));
  EXPECT_FALSE(QFile::exists(Target()));
}

}  // namespace
}  // namespace mt
