// The string-crypto component of the program: a small library of our own over
// libsodium behind the CryptoComponent interface (app/services.h).
//
// Promises:
//  - Key: SetKey1 and SetKey2 each remember one key text; the 256-bit key is
//    BLAKE2b-256 (crypto_generichash) of a fixed domain tag followed by both
//    texts, each as UTF-8 preceded by its byte length (so "ab"+"c" and
//    "a"+"bc" give different keys). The key text is a short program secret,
//    not a user password, so no slow password hash is spent on it.
//    Encrypt and Decrypt fail (DbError) until at least one setter was called.
//  - Encrypt(v) = "M" + URL-safe base64 without padding of
//    nonce(24) || XChaCha20-Poly1305(format byte || payload), with a fresh
//    random nonce each call (the same v encrypts differently each time) and
//    the prefix bound in as associated data. The payload is v as UTF-8, or as
//    UTF-16LE when v holds unpaired surrogates (so every QString comes back
//    exactly). The output is never empty, starts with a letter so it never
//    reads as a number, and uses only [A-Za-z0-9_-]: no quote, blank or NUL,
//    so it survives a SQL literal and a LIKE-free comparison unchanged.
//    Size: 1 + ceil((n + 41) * 4 / 3) characters for n payload bytes; three
//    nested applications turn a 10-character value into about 250 characters.
//  - Decrypt accepts only what Encrypt made under the same key texts: a wrong
//    prefix, bad base64, a short text or a failed authentication throws
//    DbError (kCryptoRejected), which the cipher turns into "input unchanged".
//  - SodiumCryptoFactory::Create throws DbError(kCryptoUnavailable) when
//    libsodium cannot be initialised, or while a test has made creation fail.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

#include "app/services.h"

namespace mt {

// "Cannot create object": the component could not be created.
constexpr int32_t kCryptoUnavailable = 429;
// The component refused a text (not its own output, or no key set).
constexpr int32_t kCryptoRejected = -2147024809;

class SodiumCrypto : public CryptoComponent {
 public:
  SodiumCrypto() = default;
  ~SodiumCrypto() override;
  void SetKey1(const QString& key) override;
  void SetKey2(const QString& key) override;
  QString Encrypt(const QString& text) override;
  QString Decrypt(const QString& text) override;
  // Texts without the form of an encrypted value are told without a failure.
  bool Opens(const QString& text) override;

 private:
  const unsigned char* Key();  // derives on demand; throws without any key text

  QString key1_, key2_;
  bool hasKey1_ = false, hasKey2_ = false;
  bool keyReady_ = false;
  unsigned char key_[32] = {};
};

class SodiumCryptoFactory : public CryptoFactory {
 public:
  std::unique_ptr<CryptoComponent> Create() override;
  // Test hook: while set, Create fails as if the library could not be loaded.
  void SetCreationFails(bool fails) { creationFails_ = fails; }

 private:
  bool creationFails_ = false;
};

// The factory the production entry points install; one per process.
SodiumCryptoFactory& ProductionCryptoFactory();

}  // namespace mt
