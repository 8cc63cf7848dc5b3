// The string cipher over the crypto component: creation on first use, keying
// once, three layers for stored values, identity with one logged error per
// call when the component fails.
#include "protect/cipher.h"

#include <gtest/gtest.h>

#include "db/engine/engine.h"
#include "protect/secrets.h"
#include "protect/sodium_crypto.h"
#include "protect/unscramble.h"
#include "support/fake_services.h"

namespace mt {
namespace {

// The real component, with its creations, keys and encryptions counted.
struct Counts {
  int created = 0, encrypt = 0;
  QStringList keys;
};

class CountingCrypto : public CryptoComponent {
 public:
  CountingCrypto(std::unique_ptr<CryptoComponent> inner, Counts& counts, bool failKey1)
      : inner_(std::move(inner)), c_(counts), failKey1_(failKey1) {}
  void SetKey1(const QString& key) override {
    c_.keys << key;
    if (failKey1_) throw DbError(-5, QStringLiteral("setter refused"));
    inner_->SetKey1(key);
  }
  void SetKey2(const QString& key) override {
    c_.keys << key;
    inner_->SetKey2(key);
  }
  QString Encrypt(const QString& t) override {
    ++c_.encrypt;
    return inner_->Encrypt(t);
  }
  QString Decrypt(const QString& t) override { return inner_->Decrypt(t); }

 private:
  std::unique_ptr<CryptoComponent> inner_;
  Counts& c_;
  bool failKey1_;
};

class CountingFactory : public CryptoFactory {
 public:
  std::unique_ptr<CryptoComponent> Create() override {
    ++counts.created;
    return std::make_unique<CountingCrypto>(sodium.Create(), counts, failKey1);
  }
  SodiumCryptoFactory sodium;
  Counts counts;
  bool failKey1 = false;
};

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
  CountingFactory factory_;
};

TEST_F(Cipher, CreatesOnFirstUseKeysOnceAndStoresThreeLayers) {
  // Empty values never touch the component.
  EXPECT_EQ(StringDecrypt(QString()) + DBDecryptValue(QString()) + DBEncryptValue(QString()), QString());
  EXPECT_EQ(factory_.counts.created, 0);

  const QString stored = DBEncryptValue(QStringLiteral("300"));
  EXPECT_EQ(factory_.counts.encrypt, 3);
  for (int i = 0; i < 3; ++i) DBDecryptValue(DBEncryptValue(QStringLiteral("x")));
  int32_t seed = UnscrambleSeed;
  bool strip = false;
  const QString key = StringUnscramble(QString::fromLatin1(ScrambledCipherKey), seed, strip);
  EXPECT_EQ(factory_.counts.created, 1);
  EXPECT_EQ(factory_.counts.keys, QStringList({key, key}));  // each setter once

  // One layer off is still cipher text; all three give the value.
  EXPECT_NE(StringDecrypt(stored), QStringLiteral("300"));
  EXPECT_EQ(StringDecrypt(StringDecrypt(StringDecrypt(stored))), QStringLiteral("300"));
  EXPECT_EQ(DBDecryptValue(stored), QStringLiteral("300"));
  EXPECT_EQ(ErrorLines(QString()), 0);

  // Foreign text decrypts to itself, one logged error a layer.
  EXPECT_EQ(DBDecryptValue(QStringLiteral("plain")), QStringLiteral("plain"));
  EXPECT_EQ(ErrorLines(QStringLiteral("modEncrypt.StringDecrypt")), 3);
}

// A component that cannot be made gives identity with one error a call and
// is tried again; one whose setter failed is kept and not keyed again.
TEST_F(Cipher, FailuresGiveTheTextBackWithOneLoggedErrorACall) {
  factory_.sodium.SetCreationFails(true);
  EXPECT_EQ(StringEncrypt(QStringLiteral("v")), QStringLiteral("v"));
  EXPECT_EQ(StringDecrypt(QStringLiteral("w")), QStringLiteral("w"));
  EXPECT_EQ(ErrorLines(QStringLiteral("modEncrypt.StringEncrypt")), 1);
  EXPECT_EQ(ErrorLines(QStringLiteral("modEncrypt.StringDecrypt")), 1);
  EXPECT_EQ(factory_.counts.created, 2);

  factory_.sodium.SetCreationFails(false);
  factory_.failKey1 = true;
  EXPECT_EQ(StringEncrypt(QStringLiteral("v")), QStringLiteral("v"));
  StringEncrypt(QStringLiteral("v"));
  EXPECT_EQ(factory_.counts.created, 3);
  EXPECT_EQ(factory_.counts.keys.size(), 1);
}

}  // namespace
}  // namespace mt
