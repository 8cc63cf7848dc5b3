// CURLDownloader: downloads one URL into a local file with libcurl, checks
// that a non-empty file arrived, and writes its steps to the shared log.
//
// Promises:
//  - Download logs exactly one "Start" line and one "End" line per call,
//    whatever happens in between, and answers true only when the transfer
//    succeeded and left a file of at least one byte.
//  - The transfer writes through a temporary file beside the target, which
//    takes the target's place only when the transfer succeeded: a failed
//    download leaves an existing file as it was and never leaves a partial
//    one. A successful transfer of nothing leaves no file behind.
//  - The transfer never answers from a cache (libcurl keeps none, and the
//    request asks proxies for a fresh copy), follows redirects, and gives up
//    after 30 s without a connection or 60 s without data.
//
// Transfer outcomes, in the result codes the checks know:
//   out of memory                                      -> kOutOfMemory
//   the server answered an error status (400 and up), or the transfer broke
//   off after the connection was made (short body, read error, stall)
//                                                      -> kDownloadFailure
//   everything else that fails (bad URL, host not found, connection refused,
//   target file not writable)                          -> another failing code
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

class CURLDownloader {
 public:
  static constexpr int32_t kOk = 0;
  static constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x8007000E);
  static constexpr int32_t kDownloadFailure = static_cast<int32_t>(0x800C0008);
  static constexpr int32_t kCannotConnect = static_cast<int32_t>(0x800C0004);
  static constexpr int32_t kResourceNotFound = static_cast<int32_t>(0x800C0005);
  static constexpr int32_t kUnknownProtocol = static_cast<int32_t>(0x800C000D);
  static constexpr int32_t kAccessDenied = static_cast<int32_t>(0x80070005);
  static constexpr int32_t kFail = static_cast<int32_t>(0x80004005);

  bool Download(const QString& szURL, const QString& szFile);

 private:
  // Fetches the URL into the file; answers one of the codes above.
  static int32_t Transfer(const QString& url, const QString& file);
};

}  // namespace mt
