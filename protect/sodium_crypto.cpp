#include "protect/sodium_crypto.h"

#include <sodium.h>

#include <pthread.h>

#include <array>
#include <atomic>
#include <cstring>

#include "db/engine.h"

namespace mt {
namespace {

constexpr char kPrefix = 'M';
// Associated data: the prefix and the format generation. A future format
// gets a new tag and old texts fail authentication instead of misreading.
constexpr unsigned char kAssociated[] = {'M', '1'};
constexpr unsigned char kUtf8Payload = 1;
constexpr unsigned char kUtf16Payload = 2;
constexpr size_t kNonce = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr size_t kMac = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr char kKeyDomain[] = "Marrowtide value key 1";

[[noreturn]] void Reject(const char* why) {
  throw DbError(kCryptoRejected, QString::fromLatin1(why), QStringLiteral("SodiumCrypto"));
}

// URL-safe base64 without padding, decoded as strictly as libsodium's
// decoder (its constant-time one was 7% of a decryption pass): every
// character in the alphabet, no '=', no dangling character, zero leftover
// bits. Nothing here is secret but the layout of the sealed text.
bool DecodeBase64Url(QStringView text, QByteArray& out) {
  static const auto table = [] {
    std::array<signed char, 128> t;
    t.fill(-1);
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    for (int i = 0; i < 64; ++i) t[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
    return t;
  }();
  out.resize(text.size() * 3 / 4);
  auto* o = reinterpret_cast<unsigned char*>(out.data());
  unsigned acc = 0, bits = 0;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    const int v = u < 128 ? table[u] : -1;
    if (v < 0) return false;
    acc = (acc << 6) | unsigned(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      *o++ = static_cast<unsigned char>(acc >> bits);
    }
  }
  if (bits > 4 || (acc & ((1u << bits) - 1u)) != 0) return false;
  out.resize(o - reinterpret_cast<unsigned char*>(out.data()));
  return true;
}

// The same encoding written: 3 bytes to 4 characters, the last group's 2 or
// 3 characters without padding (libsodium's constant-time encoder was a
// tenth of an encryption pass).
QString EncodeBase64Url(char prefix, const unsigned char* in, size_t n) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  QString text(qsizetype(1 + n / 3 * 4 + (n % 3 ? n % 3 + 1 : 0)), Qt::Uninitialized);
  QChar* o = text.data();
  *o++ = QLatin1Char(prefix);
  size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    const unsigned v = unsigned(in[i]) << 16 | unsigned(in[i + 1]) << 8 | in[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) *o++ = QLatin1Char(kAlphabet[(v >> shift) & 63]);
  }
  if (i < n) {
    const unsigned v = unsigned(in[i]) << 16 | (i + 1 < n ? unsigned(in[i + 1]) << 8 : 0u);
    for (int shift = 18, left = int(n - i) + 1; left > 0; shift -= 6, --left)
      *o++ = QLatin1Char(kAlphabet[(v >> shift) & 63]);
  }
  return text;
}

// Nonces come from a pool that libsodium's generator fills: one system call
// for many nonces instead of one each (they were a tenth of an encryption
// pass). A forked child's copy of the pool counts as used up, so parent and
// child never seal with the same nonce.
std::atomic<unsigned> g_forks{0};

void TakeNonce(unsigned char* out) {
  static const bool watched = [] { return pthread_atfork(nullptr, nullptr, [] { ++g_forks; }) == 0; }();
  if (!watched) return randombytes_buf(out, kNonce);
  thread_local std::array<unsigned char, kNonce * 128> pool;
  thread_local size_t used = pool.size();
  thread_local unsigned filledIn = 0;
  if (used == pool.size() || filledIn != g_forks.load()) {
    randombytes_buf(pool.data(), pool.size());
    used = 0;
    filledIn = g_forks.load();
  }
  std::memcpy(out, pool.data() + used, kNonce);
  used += kNonce;
}

// UTF-8 cannot carry a lone surrogate; such texts travel as UTF-16LE.
bool HasLoneSurrogate(const QString& s) {
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s.at(i);
    if (c.isHighSurrogate()) {
      if (i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        ++i;
        continue;
      }
      return true;
    }
    if (c.isLowSurrogate()) return true;
  }
  return false;
}

void AppendSized(QByteArray& out, const QByteArray& part) {
  const uint32_t n = static_cast<uint32_t>(part.size());
  for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>((n >> shift) & 0xFF));
  out.append(part);
}

}  // namespace

SodiumCrypto::~SodiumCrypto() { sodium_memzero(key_, sizeof key_); }

void SodiumCrypto::SetKey1(const QString& key) {
  key1_ = key;
  hasKey1_ = true;
  keyReady_ = false;
}

void SodiumCrypto::SetKey2(const QString& key) {
  key2_ = key;
  hasKey2_ = true;
  keyReady_ = false;
}

const unsigned char* SodiumCrypto::Key() {
  if (!hasKey1_ && !hasKey2_) Reject("no key text has been set");
  if (!keyReady_) {
    QByteArray material(kKeyDomain, sizeof kKeyDomain);  // with its NUL as separator
    AppendSized(material, key1_.toUtf8());
    AppendSized(material, key2_.toUtf8());
    crypto_generichash(key_, sizeof key_, reinterpret_cast<const unsigned char*>(material.constData()),
                       static_cast<unsigned long long>(material.size()), nullptr, 0);
    sodium_memzero(material.data(), static_cast<size_t>(material.size()));
    keyReady_ = true;
  }
  return key_;
}

QString SodiumCrypto::Encrypt(const QString& text) {
  const unsigned char* key = Key();
  QByteArray plain;
  if (HasLoneSurrogate(text)) {
    plain.append(static_cast<char>(kUtf16Payload));
    for (QChar c : text) {
      plain.append(static_cast<char>(c.unicode() & 0xFF));
      plain.append(static_cast<char>(c.unicode() >> 8));
    }
  } else {
    plain.append(static_cast<char>(kUtf8Payload));
    plain.append(text.toUtf8());
  }

  QByteArray sealed(static_cast<qsizetype>(kNonce + plain.size() + kMac), Qt::Uninitialized);
  auto* out = reinterpret_cast<unsigned char*>(sealed.data());
  TakeNonce(out);
  unsigned long long sealedLen = 0;
  crypto_aead_xchacha20poly1305_ietf_encrypt(
      out + kNonce, &sealedLen, reinterpret_cast<const unsigned char*>(plain.constData()),
      static_cast<unsigned long long>(plain.size()), kAssociated, sizeof kAssociated, nullptr, out,
      key);
  sodium_memzero(plain.data(), static_cast<size_t>(plain.size()));

  return EncodeBase64Url(kPrefix, out, static_cast<size_t>(sealed.size()));
}

bool SodiumCrypto::Opens(const QString& text) {
  // The encryption pass asks this of every plain value: an exception each
  // cost a tenth of the pass.
  if (text.size() < 2 || text.at(0) != QLatin1Char(kPrefix)) return false;
  return CryptoComponent::Opens(text);
}

QString SodiumCrypto::Decrypt(const QString& text) {
  const unsigned char* key = Key();
  if (text.size() < 2 || text.at(0) != QLatin1Char(kPrefix)) Reject("not an encrypted value");
  QByteArray sealed;
  if (!DecodeBase64Url(QStringView(text).mid(1), sealed)) Reject("encrypted value is not valid base64");
  const size_t sealedLen = static_cast<size_t>(sealed.size());
  if (sealedLen < kNonce + kMac + 1) Reject("encrypted value is too short");

  const auto* in = reinterpret_cast<const unsigned char*>(sealed.constData());
  QByteArray plain(static_cast<qsizetype>(sealedLen - kNonce - kMac), Qt::Uninitialized);
  unsigned long long plainLen = 0;
  if (crypto_aead_xchacha20poly1305_ietf_decrypt(
          reinterpret_cast<unsigned char*>(plain.data()), &plainLen, nullptr, in + kNonce,
          sealedLen - kNonce, kAssociated, sizeof kAssociated, in, key) != 0)
    Reject("encrypted value failed authentication");

  QString result;
  const auto* p = reinterpret_cast<const unsigned char*>(plain.constData());
  if (p[0] == kUtf8Payload) {
    result = QString::fromUtf8(plain.constData() + 1, static_cast<qsizetype>(plainLen - 1));
  } else if (p[0] == kUtf16Payload && (plainLen - 1) % 2 == 0) {
    result.resize(static_cast<qsizetype>((plainLen - 1) / 2));
    for (qsizetype i = 0; i < result.size(); ++i)
      result[i] = QChar(static_cast<char16_t>(p[1 + 2 * i] | (p[2 + 2 * i] << 8)));
  } else {
    sodium_memzero(plain.data(), static_cast<size_t>(plain.size()));
    Reject("encrypted value has an unknown payload format");
  }
  sodium_memzero(plain.data(), static_cast<size_t>(plain.size()));
  return result;
}

std::unique_ptr<CryptoComponent> SodiumCryptoFactory::Create() {
  if (creationFails_ || sodium_init() < 0)
    throw DbError(kCryptoUnavailable, QStringLiteral("The crypto component cannot be created"),
                  QStringLiteral("SodiumCryptoFactory"));
  return std::make_unique<SodiumCrypto>();
}

SodiumCryptoFactory& ProductionCryptoFactory() {
  static SodiumCryptoFactory factory;
  return factory;
}

}  // namespace mt
