// The string cipher over a transparent component (a layer is "E(...)") whose
// creations and keys are counted: creation on first use, keying once, three
// layers for stored values, identity with one logged error per call when the
// component fails.
#include "protect/cipher.h"

#include <gtest/gtest.h>

#include "protect/secrets.h"
#include "protect/sodium_crypto.h"
#include "protect/unscramble.h"
#include "support/fake_services.h"

namespace mt {
namespace {

class TransparentFactory : public CryptoFactory {
 public:
  std::unique_ptr<CryptoComponent> Create() override;
  int created = 0;
  QStringList keys;
  bool creationFails = false, key1Fails = false;
};

class TransparentCrypto : public CryptoComponent {
 public:
  explicit TransparentCrypto(TransparentFactory& factory) : f_(factory) {}
  void SetKey1(const QString& key) override {
    f_.keys << key;
    if (f_.key1Fails) throw DbError(-5, QStringLiteral("setter refused"));
  }
  void SetKey2(const QString& key) override { f_.keys << key; }
  QString Encrypt(const QString& text) override { return "E(" + text + ")"; }
  QString Decrypt(const QString& text) override {
    if (!text.startsWith(QLatin1String("E(")) || !text.endsWith(QLatin1Char(')')))
      throw DbError(kCryptoRejected, QStringLiteral("not cipher text"));
    return text.mid(2, text.size() - 3);
  }

 private:
  TransparentFactory& f_;
};

std::unique_ptr<CryptoComponent> TransparentFactory::Create() {
  ++created;
  if (creationFails) throw DbError(kCryptoUnavailable, QStringLiteral("no component"));
  return std::make_unique<TransparentCrypto>(*this);
}

class Cipher : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCipherComponent();
    SetCryptoFactory(&factory_);
  }
  void TearDown() override {
    ResetCipherComponent();
    SetCryptoFactory(nullptr);
  }
  int ErrorLines(const QString& procedure) const { return folder_.ErrorLines(procedure); }
  test::ProgramFolder folder_;
  TransparentFactory factory_;
};

TEST_F(Cipher, CreatesOnFirstUseKeysOnceAndStoresThreeLayers) {
  // Empty values never touch the component.
  EXPECT_EQ(StringDecrypt(QString()) + DBDecryptValue(QString()) + DBEncryptValue(QString()), QString());
  EXPECT_EQ(factory_.created, 0);

  EXPECT_EQ(DBEncryptValue(QStringLiteral("300")), QStringLiteral("E(E(E(300)))"));
  EXPECT_EQ(DBDecryptValue(QStringLiteral("E(E(E(300)))")), QStringLiteral("300"));
  EXPECT_TRUE(IsProtectedValue(QStringLiteral("E(x)")));
  int32_t seed = UnscrambleSeed;
  bool strip = false;
  const QString key = StringUnscramble(QString::fromLatin1(ScrambledCipherKey), seed, strip);
  EXPECT_EQ(factory_.created, 1);
  EXPECT_EQ(factory_.keys, QStringList({key, key}));  // each setter once
  EXPECT_EQ(ErrorLines(QString()), 0);

  // Foreign text decrypts to itself, one logged error a layer.
  EXPECT_FALSE(IsProtectedValue(QStringLiteral("plain")));
  EXPECT_EQ(DBDecryptValue(QStringLiteral("plain")), QStringLiteral("plain"));
  EXPECT_EQ(ErrorLines(QStringLiteral("modEncrypt.StringDecrypt")), 3);
}

// A component that cannot be made gives identity with one error a call and
// is tried again; one whose setter failed is kept and not keyed again.
TEST_F(Cipher, FailuresGiveTheTextBackWithOneLoggedErrorACall) {
  factory_.creationFails = true;
  EXPECT_EQ(StringEncrypt(QStringLiteral("v")), QStringLiteral("v"));
  EXPECT_EQ(StringDecrypt(QStringLiteral("w")), QStringLiteral("w"));
  EXPECT_EQ(ErrorLines(QStringLiteral("modEncrypt.StringEncrypt")), 1);
  EXPECT_EQ(ErrorLines(QStringLiteral("modEncrypt.StringDecrypt")), 1);
  EXPECT_EQ(factory_.created, 2);

  factory_.creationFails = false;
  factory_.key1Fails = true;
  EXPECT_EQ(StringEncrypt(QStringLiteral("v")), QStringLiteral("v"));
  EXPECT_EQ(StringEncrypt(QStringLiteral("v")), QStringLiteral("E(v)"));
  EXPECT_EQ(factory_.created, 3);
  EXPECT_EQ(factory_.keys.size(), 1);
}

}  // namespace
}  // namespace mt
