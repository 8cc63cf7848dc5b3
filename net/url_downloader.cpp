#include "net/url_downloader.h"

#include <curl/curl.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <mutex>

#include "app/log.h"
#include "db/engine.h"

namespace mt {

namespace {

const QString kProcedure = QStringLiteral("CURLDownloader.Download");

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t WriteToFile(char* data, size_t size, size_t count, void* target) {
  auto* file = static_cast<QSaveFile*>(target);
  const qint64 written = file->write(data, static_cast<qint64>(size * count));
  // A short count makes libcurl stop with a write error.
  return written < 0 ? 0 : static_cast<size_t>(written);
}

int32_t ResultOf(CURLcode code, long httpStatus) {
  switch (code) {
    case CURLE_OK:
      return httpStatus >= 400 ? CURLDownloader::kDownloadFailure : CURLDownloader::kOk;
    case CURLE_OUT_OF_MEMORY:
      return CURLDownloader::kOutOfMemory;
    case CURLE_HTTP_RETURNED_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_FTP_COULDNT_RETR_FILE:
      return CURLDownloader::kDownloadFailure;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      return CURLDownloader::kUnknownProtocol;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_FILE_COULDNT_READ_FILE:
    case CURLE_REMOTE_FILE_NOT_FOUND:
      return CURLDownloader::kResourceNotFound;
    case CURLE_COULDNT_CONNECT:
      return CURLDownloader::kCannotConnect;
    case CURLE_WRITE_ERROR:
      return CURLDownloader::kAccessDenied;
    default:
      return CURLDownloader::kFail;
  }
}

}  // namespace

int32_t CURLDownloader::Transfer(const QString& url, const QString& file) {
  InitCurlOnce();
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return kAccessDenied;

  CURL* curl = curl_easy_init();
  if (!curl) throw DbError(7, QStringLiteral("Out of memory: no transfer handle"), kProcedure);
  const QByteArray urlBytes = url.toUtf8();
  curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  curl_easy_setopt(curl, CURLOPT_URL, urlBytes.constData());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteToFile);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &out);
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Marrowtide-DBUpgrade");
  const CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);

  const int32_t result = ResultOf(code, status);
  if (result != kOk) {
    out.cancelWriting();
    return result;
  }
  return out.commit() ? kOk : kAccessDenied;
}

bool CURLDownloader::Download(const QString& szURL, const QString& szFile) {
  bool result = false;
  WriteLog(kProcedure + QStringLiteral(" Start szURL = ") + szURL + QStringLiteral(", szFile = ") + szFile);
  try {
    const int32_t hr = Transfer(szURL, szFile);
    if (hr == kOutOfMemory) {
      WriteLog(kProcedure + QStringLiteral(" Error: E_OUTOFMEMORY"));
    } else if (hr == kDownloadFailure) {
      WriteLog(kProcedure + QStringLiteral(" Error: INET_E_DOWNLOAD_FAILURE"));
    } else if (hr == kOk) {
      if (!FileExists(szFile)) {
        WriteLog(kProcedure + QStringLiteral(" Error: Downloaded File Not Found"));
      } else if (QFileInfo(szFile).size() < 1) {
        if (!QFile::remove(szFile)) {
          throw DbError(75, QStringLiteral("Path/File access error: ") + szFile, kProcedure);
        }
        WriteLog(kProcedure + QStringLiteral(" Error: Downloaded File Size = 0"));
      } else {
        result = true;
      }
    }
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(kProcedure, e.number, e.description, 0);
  }
  WriteLog(kProcedure + QStringLiteral(" End ") + (result ? QStringLiteral("True") : QStringLiteral("False")));
  return result;
}

}  // namespace mt
