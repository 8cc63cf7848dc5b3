// The libsodium crypto component: what the cipher and the value passes rely on.
#include "protect/sodium_crypto.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QRegularExpression>

#include "support/failure_code.h"

namespace mt {
namespace {

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
    EXPECT_EQ(c->Decrypt(c->Decrypt(c->Decrypt(c->Encrypt(c->Encrypt(once))))), v);
  }
  EXPECT_NE(c->Encrypt(QStringLiteral("same")), c->Encrypt(QStringLiteral("same")));
  EXPECT_LT(c->Encrypt(c->Encrypt(c->Encrypt(QString(100, QChar(0xD55C))))).size(), 1000);
}

TEST(SodiumCrypto, DecryptRejectsWhatItDidNotEncryptAndNeedsAKey) {
  auto c = Keyed();
  const QString good = c->Encrypt(QStringLiteral("secret"));
  QString flipped = good;
  flipped[10] = flipped[10] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
  const QStringList foreign = {QStringLiteral("300"),       QStringLiteral("plain text"),
                               QStringLiteral("M"),         QStringLiteral("Mabc"),
                               QStringLiteral("M!!!!"),     QStringLiteral("X") + good.mid(1),
                               good.left(good.size() - 3), flipped,
                               good + QStringLiteral("한")};
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

}  // namespace
}  // namespace mt
