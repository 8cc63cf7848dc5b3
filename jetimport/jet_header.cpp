#include "jetimport/jet_header.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cmath>

#include "db/engine.h"

namespace mt::jetimport {
namespace {

[[noreturn]] void Fail(const QString& text) { throw DbError(dberr::kOpenFailed, text); }

// Jet scrambles bytes 0x18 on of page 0 with RC4 under a fixed key.
void Rc4(const unsigned char* key, int keyLength, unsigned char* data, int n) {
  unsigned char s[256];
  for (int i = 0; i < 256; ++i) s[i] = static_cast<unsigned char>(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + key[i % keyLength]) & 0xff;
    std::swap(s[i], s[j]);
  }
  for (int k = 0, i = 0, j = 0; k < n; ++k) {
    i = (i + 1) & 0xff;
    j = (j + s[i]) & 0xff;
    std::swap(s[i], s[j]);
    data[k] ^= s[(s[i] + s[j]) & 0xff];
  }
}

constexpr int kScrambledAt = 0x18;
constexpr int kCodePageAt = 0x3c;
constexpr int kPasswordAt = 0x42;
constexpr int kCreatedAt = 0x72;  // Jet 4: the creation date, which masks the password

}  // namespace

JetHeader ReadJetHeader(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) Fail(QStringLiteral("Could not find file '%1'.").arg(path));
  if (!info.isFile()) Fail(QStringLiteral("'%1' is not a file.").arg(path));
  if (info.size() == 0) Fail(QStringLiteral("'%1' is empty, not a Jet database.").arg(path));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail(QStringLiteral("'%1' cannot be read: %2").arg(path, file.errorString()));
  QByteArray page = file.read(0x100);
  // A page-type byte 0, then "Standard Jet DB" at 4; the version at 0x14.
  if (page.size() < 0x100 || page[0] != 0 || page.mid(4, 15) != QByteArrayLiteral("Standard Jet DB") ||
      quint8(page[0x14]) > 1)
    Fail(QStringLiteral("'%1' is not a Jet 3 or Jet 4 database.").arg(path));
  JetHeader h;
  h.jet3 = page[0x14] == 0;
  h.pageSize = h.jet3 ? 2048 : 4096;
  if (info.size() % h.pageSize != 0)
    Fail(QStringLiteral("The Jet database '%1' is truncated: its size is no whole number of pages.").arg(path));
  auto* p = reinterpret_cast<unsigned char*>(page.data());
  const unsigned char key[4] = {0xc7, 0xda, 0x39, 0x6b};
  Rc4(key, 4, p + kScrambledAt, h.jet3 ? 126 : 128);
  h.codePage = qFromLittleEndian<quint16>(p + kCodePageAt);
  unsigned char mask[4] = {0, 0, 0, 0};
  const double created = qFromLittleEndian<double>(p + kCreatedAt);
  if (!h.jet3 && std::isfinite(created) && std::fabs(created) < 2e9) qToLittleEndian<qint32>(qint32(created), mask);
  const int length = h.jet3 ? 20 : 40;
  for (int i = 0; i < length; ++i) h.hasPassword |= (p[kPasswordAt + i] ^ mask[i % 4]) != 0;
  return h;
}

}  // namespace mt::jetimport
