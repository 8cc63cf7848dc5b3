#include "protect/cipher.h"

#include <memory>

#include "app/log.h"
#include "app/services.h"
#include "db/engine.h"
#include "protect/secrets.h"
#include "protect/sodium_crypto.h"
#include "protect/unscramble.h"

namespace mt {
namespace {

std::unique_ptr<CryptoComponent>& Component() {
  static std::unique_ptr<CryptoComponent> component;
  return component;
}

// Unscrambled at each use, so the key text never stays in memory longer
// than the call that needs it.
QString CipherKeyText() {
  int32_t seed = UnscrambleSeed;
  bool stripEnds = false;
  return StringUnscramble(QString::fromLatin1(ScrambledCipherKey), seed, stripEnds);
}

CryptoComponent& EnsureComponent() {
  std::unique_ptr<CryptoComponent>& component = Component();
  if (component) return *component;
  // No factory installed counts as a component that cannot be created.
  if (CryptoFactory* factory = services().crypto) component = factory->Create();
  if (!component)
    throw DbError(kCryptoUnavailable, QStringLiteral("The crypto component cannot be created"));
  component->SetKey1(CipherKeyText());
  component->SetKey2(CipherKeyText());
  return *component;
}

template <typename Op>
QString Guarded(const char* procedure, const QString& input, Op op) {
  try {
    return op(EnsureComponent());
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QString::fromLatin1(procedure), e.number, e.description, 0);
  }
  return input;
}

}  // namespace

QString StringEncrypt(const QString& text) {
  return Guarded("modEncrypt.StringEncrypt", text,
                 [&](CryptoComponent& c) { return c.Encrypt(text); });
}

QString StringDecrypt(const QString& text) {
  if (text.isEmpty()) return QString();
  return Guarded("modEncrypt.StringDecrypt", text,
                 [&](CryptoComponent& c) { return c.Decrypt(text); });
}

QString DBEncryptValue(const QString& text) {
  if (text.isEmpty()) return text;
  return StringEncrypt(StringEncrypt(StringEncrypt(text)));
}

QString DBDecryptValue(const QString& text) {
  if (text.isEmpty()) return text;
  return StringDecrypt(StringDecrypt(StringDecrypt(text)));
}

bool IsProtectedValue(const QString& text) {
  if (text.isEmpty()) return false;
  try {
    return EnsureComponent().Opens(text);
  } catch (...) {
    return false;
  }
}

void ResetCipherComponent() { Component().reset(); }

}  // namespace mt
