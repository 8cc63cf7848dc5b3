// The program's secrets: unscrambled from the lists the build holds; the
// libsodium crypto component; and the string cipher over a transparent
// component (a layer is "E(...)") whose creations and keys are counted:
// creation on first use, keying once, three layers for stored values,
// identity with one logged error per call when the component fails.
#include "protect/cipher.h"

#include <gtest/gtest.h>
#include <sodium.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include "db/query.h"
#include "protect/secrets.h"
#include "protect/sodium_crypto.h"
#include "protect/unscramble.h"
#include "support/failure_code.h"
#include "support/fake_services.h"

namespace mt {
namespace {

QString Unscramble(const QString& list, int32_t seed = 0, bool strip = false) {
  return StringUnscramble(list, seed, strip);
}

// Malformed lists (an empty element, a non-number, a tab, beyond 32 bits, no
// such character, an overflowing product) give empty text; one value is its
// own character, and outer spaces do not count.
TEST(StringUnscramble, MalformedListsGiveEmptyTextAndOneValueItsCharacter) {
  for (const char* list : {"", "    ", "65  66", "65 x", "6.5", "65\t66", "4294967361", "300", "-1",
                           "2147483647 2", "100000 0"})
    EXPECT_EQ(Unscramble(QString::fromLatin1(list)), QString()) << list;
  EXPECT_EQ(Unscramble(QStringLiteral("  65   "), 12345), QStringLiteral("A"));
  EXPECT_EQ(Unscramble(QStringLiteral(" 10 20 30 "), 777), Unscramble(QStringLiteral("10 20 30"), 777));
}

TEST(StringUnscramble, ThePassesStripEndsAndListLimit) {
  // Fewer than three values skip the first two passes. Seed 0: m1 = 11, m2 = 7. Worked by hand:
  //   pass 3: b1 = 65 ^ 66 ^ (66*7 mod 256 = 206) = 205
  //   pass 4: b2 = 66 ^ 205 ^ (205*11 mod 256 = 207) = 64
  EXPECT_EQ(Unscramble(QStringLiteral("65 66")), QString(QChar(205)) + QChar(64));
  // Three values go through all four passes. Seed 0: m1 = 11, m2 = 7, m3 = 5, m4 = 3; list 1 2 3. Worked by hand:
  //   pass 1 (i=1):    b1 = 1 ^ 3 ^ (2*3)        = 4        -> 4 2 3
  //   pass 2 (i=3):    b3 = 3 ^ 4 ^ (2*5)        = 13       -> 4 2 13
  //   pass 3 (i=1,2):  b1 = 4 ^ 2 ^ (2*7)        = 8
  //                    b2 = 2 ^ 13 ^ (13*7=91)   = 84       -> 8 84 13
  //   pass 4 (i=3,2):  b3 = 13 ^ 84 ^ (84*11 mod 256 = 156) = 197
  //                    b2 = 84 ^ 8 ^ (8*11=88)   = 4        -> 8 4 197
  EXPECT_EQ(Unscramble(QStringLiteral("1 2 3")), QString(QChar(8)) + QChar(4) + QChar(197));

  // Stripping the ends, and the longest list. Zeros stay zeros through every
  // pass, so the lengths are easy to control.
  EXPECT_EQ(Unscramble(QStringLiteral("0 0 0 0"), 9, true), QString());
  EXPECT_EQ(Unscramble(QStringLiteral("1 2 3 4 5"), 9, true), Unscramble(QStringLiteral("1 2 3 4 5"), 9).mid(2, 1));
  QStringList zeros(32767, QStringLiteral("0"));
  EXPECT_EQ(Unscramble(zeros.join(QLatin1Char(' '))).size(), 32767);
  zeros << QStringLiteral("0");
  EXPECT_EQ(Unscramble(zeros.join(QLatin1Char(' '))), QString());
}

// The secrets of this build: the right sizes, plain printable ASCII, and
// nowhere in the shipped program as plain text.
TEST(Secrets, UnscrambleToTheirSizesAndStayOutOfTheBinary) {
  const QString key = Unscramble(QString::fromLatin1(ScrambledCipherKey), UnscrambleSeed);
  const QString password = DatabasePassword();
  ASSERT_EQ(password.size(), 10);
  ASSERT_EQ(key.size(), 9);
  for (const QString& secret : {password, key})
    for (QChar c : secret) EXPECT_TRUE(c.unicode() > 32 && c.unicode() < 127);

  for (const char* program : {"/marrowtide-dbupgrade", "/marrowtide-db"}) {
    QFile f(QString::fromLatin1(MT_BINARY_DIR) + QString::fromLatin1(program));
    if (!f.open(QIODevice::ReadOnly)) continue;  // not built in this tree
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.contains(password.toLatin1())) << program;
    EXPECT_FALSE(bytes.contains(key.toLatin1())) << program;
  }
}

std::unique_ptr<CryptoComponent> Keyed(const QString& k1 = QStringLiteral("key-text1"),
                                       const QString& k2 = QStringLiteral("key-text1")) {
  SodiumCryptoFactory factory;
  auto c = factory.Create();
  c->SetKey1(k1);
  c->SetKey2(k2);
  return c;
}

QString RandomText(QRandomGenerator& rng) {
  static const QString pool = QStringLiteral(
      "abcXYZ0123456789 \t\"'`%_*?[]#&;=,.-+eE한국어데이터베이스\r\n\\");
  const int len = static_cast<int>(rng.bounded(0, 40));
  QString s;
  for (int i = 0; i < len; ++i) s += pool.at(rng.bounded(static_cast<int>(pool.size())));
  return s;
}

// Any text comes back through one or three layers; the cipher text is never
// empty, starts with a letter (so never reads as a number), is safe inside an
// SQL literal, differs at each call (random nonce) and three layers fit a long
// text column.
TEST(SodiumCrypto, RoundTripsAnyTextIntoSafeNonNumericCipherText) {
  static const QRegularExpression safe(QStringLiteral("^M[A-Za-z0-9_-]+$"));
  auto c = Keyed();
  QRandomGenerator rng(12345);
  QStringList samples = {QStringLiteral("\"quoted\" 'and' ''"), QString(5000, QLatin1Char('x')),
                         QString(QChar(0xD800)) + "lone", QStringLiteral("emoji \U0001F600"), QString(1, QChar(0))};
  for (int i = 0; i < 300; ++i) samples << (i % 7 ? RandomText(rng) : QString::number(rng.bounded(1000000)));
  for (const QString& v : samples) {
    if (v.isEmpty()) continue;
    const QString once = c->Encrypt(v);
    EXPECT_EQ(c->Decrypt(once), v);
    EXPECT_TRUE(safe.match(once).hasMatch()) << once.toStdString();
    // Written as libsodium writes URL-safe base64 without padding.
    const QByteArray b64 = once.mid(1).toLatin1();
    std::vector<unsigned char> bin(size_t(b64.size()));
    size_t binLen = 0;
    EXPECT_EQ(sodium_base642bin(bin.data(), bin.size(), b64.constData(), size_t(b64.size()), nullptr, &binLen,
                                nullptr, sodium_base64_VARIANT_URLSAFE_NO_PADDING), 0) << once.toStdString();
    EXPECT_EQ(binLen, size_t(b64.size()) * 3 / 4);
    EXPECT_EQ(c->Decrypt(c->Decrypt(c->Decrypt(c->Encrypt(c->Encrypt(once))))), v);
  }
  EXPECT_NE(c->Encrypt(QStringLiteral("same")), c->Encrypt(QStringLiteral("same")));
  // A forked child seals with nonces its parent never uses.
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const pid_t child = fork();
  if (child == 0) {
    const QByteArray sealed = c->Encrypt(QStringLiteral("same")).toLatin1();
    _exit(write(channel[1], sealed.constData(), size_t(sealed.size())) == sealed.size() ? 0 : 1);
  }
  close(channel[1]);
  const QByteArray fromParent = c->Encrypt(QStringLiteral("same")).toLatin1();
  QByteArray fromChild(200, '\0');
  fromChild.resize(read(channel[0], fromChild.data(), size_t(fromChild.size())));
  close(channel[0]);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(fromChild.size(), fromParent.size());
  EXPECT_NE(fromChild.left(30).toStdString(), fromParent.left(30).toStdString());  // the nonce's first 21 bytes
  EXPECT_LT(c->Encrypt(c->Encrypt(c->Encrypt(QString(100, QChar(0xD55C))))).size(), 1000);
}

TEST(SodiumCrypto, DecryptRejectsWhatItDidNotEncryptAndNeedsAKey) {
  auto c = Keyed();
  const QString good = c->Encrypt(QStringLiteral("secret"));
  QString flipped = good;
  flipped[10] = flipped[10] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
  // Base64 read strictly: no padding, no other alphabet, no dangling
  // character, no leftover bits set (the last character one bit off decodes
  // to the same bytes under a lenient reader).
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_");
  QString loose = good;
  loose.back() = alphabet[alphabet.indexOf(loose.back()) ^ 1];
  const QStringList foreign = {QStringLiteral("300"),       QStringLiteral("plain text"),
                               QStringLiteral("M"),         QStringLiteral("Mabc"),
                               QStringLiteral("M!!!!"),     QStringLiteral("X") + good.mid(1),
                               good.left(good.size() - 3), flipped,
                               good + QStringLiteral("한"), good + QStringLiteral("="),
                               good + QStringLiteral("A"),  good.left(good.size() - 1) + QStringLiteral("+"),
                               loose};
  for (const QString& f : foreign) EXPECT_EQ(test::FailureCode([&] { c->Decrypt(f); }), kCryptoRejected) << f.toStdString();
  // Another key text: the value does not open.
  auto other = Keyed(QStringLiteral("key-text2"), QStringLiteral("key-text1"));
  EXPECT_THROW(other->Decrypt(good), DbError);
  // Both setters count: swapping which text goes where changes the key.
  auto ab = Keyed(QStringLiteral("ab"), QStringLiteral("c"));
  auto a_bc = Keyed(QStringLiteral("a"), QStringLiteral("bc"));
  EXPECT_THROW(a_bc->Decrypt(ab->Encrypt(QStringLiteral("v"))), DbError);
  // A second component keyed alike reads the first one's output; one without
  // a key refuses to work, and a factory can fail.
  EXPECT_EQ(Keyed()->Decrypt(good), QStringLiteral("secret"));
  SodiumCryptoFactory factory;
  EXPECT_THROW(factory.Create()->Encrypt(QStringLiteral("v")), DbError);
  factory.SetCreationFails(true);
  EXPECT_EQ(test::FailureCode([&] { factory.Create(); }), kCryptoUnavailable);
}

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
  const QString key = Unscramble(QString::fromLatin1(ScrambledCipherKey), UnscrambleSeed);
  EXPECT_EQ(factory_.created, 1);
  EXPECT_EQ(factory_.keys, QStringList({key, key}));  // each setter once
  EXPECT_EQ(folder_.ErrorLines(QString()), 0);

  // Foreign text decrypts to itself, one logged error a layer.
  EXPECT_FALSE(IsProtectedValue(QStringLiteral("plain")));
  EXPECT_EQ(DBDecryptValue(QStringLiteral("plain")), QStringLiteral("plain"));
  EXPECT_EQ(folder_.ErrorLines(QStringLiteral("modEncrypt.StringDecrypt")), 3);
}

// A component that cannot be made gives identity with one error a call and
// is tried again; one whose setter failed is kept and not keyed again.
TEST_F(Cipher, FailuresGiveTheTextBackWithOneLoggedErrorACall) {
  factory_.creationFails = true;
  EXPECT_EQ(StringEncrypt(QStringLiteral("v")), QStringLiteral("v"));
  EXPECT_EQ(StringDecrypt(QStringLiteral("w")), QStringLiteral("w"));
  EXPECT_EQ(folder_.ErrorLines(QStringLiteral("modEncrypt.StringEncrypt")), 1);
  EXPECT_EQ(folder_.ErrorLines(QStringLiteral("modEncrypt.StringDecrypt")), 1);
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
