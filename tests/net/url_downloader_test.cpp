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

// Each download into a target holding "previous contents": what it answers,
// the target afterwards and its log lines between Start and End. A failure
// keeps the old file and leaves no partial one; only a transfer the server
// answered with an error or broke off logs its own error line; a transfer of
// nothing leaves no file.
TEST(Downloader, SuccessesReplaceTheFileFailuresKeepIt) {
  test::SpineScope scope;
  const test::ProgramFolder& folder = scope.folder;
  Globals().LoggingEnabled = true;
  LoopbackServer server{{
      {"/file.txt", "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(kFileText.size()) + "\r\n\r\n" + kFileText},
      {"/empty", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"},
      {"/moved", "HTTP/1.1 302 Found\r\nLocation: /file.txt\r\nContent-Length: 0\r\n\r\n"},
      // Announces 1000 bytes, sends 10, then hangs up.
      {"/broken", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789"},
  }};
  QString refused;  // a port that was just served: nobody listens there any more
  {
    LoopbackServer gone;
    refused = gone.Url(QStringLiteral("/file.txt"));
  }
  const QString target = folder.File(QStringLiteral("download.bin"));
  const QByteArray failure = "CURLDownloader.Download Error: INET_E_DOWNLOAD_FAILURE";
  const QByteArray kept = "previous contents";
  const struct {
    QString url, file;
    bool ok;
    QByteArray after, error;  // the target's bytes afterwards; the error line
  } cases[] = {
      {server.Url(QStringLiteral("/missing")), target, false, kept, failure},
      {server.Url(QStringLiteral("/broken")), target, false, kept, failure},
      {refused, target, false, kept, {}},
      {QStringLiteral("nosuch://127.0.0.1/file.txt"), target, false, kept, {}},
      {server.Url(QStringLiteral("/file.txt")), folder.File(QStringLiteral("no/download.bin")), false, kept, {}},
      {server.Url(QStringLiteral("/file.txt")), target, true, kFileText, {}},
      {server.Url(QStringLiteral("/moved")), target, true, kFileText, {}},
      {server.Url(QStringLiteral("/empty")), target, false, "<none>",
       "CURLDownloader.Download Error: Downloaded File Size = 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url.toStdString());
    test::WriteFile(target, kept);
    QFile::remove(folder.LogPath());
    CURLDownloader downloader;
    EXPECT_EQ(downloader.Download(c.url, c.file), c.ok);
    EXPECT_EQ(QFile::exists(target) ? test::FileBytes(target) : QByteArray("<none>"), c.after);
    QStringList log{QStringLiteral("CURLDownloader.Download Start szURL = ") + c.url + QStringLiteral(", szFile = ") + c.file};
    if (!c.error.isEmpty()) log << QString::fromUtf8(c.error);
    EXPECT_EQ(folder.LogMessages(), log << QStringLiteral("CURLDownloader.Download End ") + (c.ok ? "True" : "False"));
  }
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList()) << "no temporary file may stay";
}

}  // namespace
}  // namespace mt
