// mt-scramble: makes the scrambled byte lists that the program turns back
// into its secrets with StringUnscramble. A developer's tool, not part of
// either executable.
//
//   mt-scramble SEED TEXT     prints the list for TEXT under SEED
//   mt-scramble --self-test   scrambles random texts and checks each round trip
//
// Each unscrambling pass rewrites one element per step from elements it has
// not rewritten yet, so a pass is undone by the same step run in the opposite
// direction; the passes are undone from the last to the first.
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cstdint>
#include <vector>

#include "protect/unscramble.h"

namespace {

int32_t Mix(int32_t value, int32_t multiplier) { return (value * multiplier) % 256; }

QString Scramble(const QString& text, int32_t seed) {
  const int n = static_cast<int>(text.size());
  std::vector<int32_t> b(static_cast<size_t>(n) + 1, 0);
  for (int i = 1; i <= n; ++i) b[i] = text.at(i - 1).unicode();
  const int32_t m1 = seed % 233 + 11;
  const int32_t m2 = seed % 239 + 7;
  const int32_t m3 = seed % 241 + 5;
  const int32_t m4 = seed % 251 + 3;
  for (int i = 2; i <= n; ++i) b[i] ^= b[i - 1] ^ Mix(b[i - 1], m1);
  for (int i = n - 1; i >= 1; --i) b[i] ^= b[i + 1] ^ Mix(b[i + 1], m2);
  for (int i = 3; i <= n; ++i) b[i] ^= b[i - 2] ^ Mix(b[i - 1], m3);
  for (int i = n - 2; i >= 1; --i) b[i] ^= b[i + 2] ^ Mix(b[i + 1], m4);
  QStringList values;
  for (int i = 1; i <= n; ++i) values << QString::number(b[i]);
  return values.join(QLatin1Char(' '));
}

bool RoundTrips(const QString& text, int32_t seed, const QString& list) {
  int32_t s = seed;
  bool strip = false;
  return mt::StringUnscramble(list, s, strip) == text;
}

int SelfTest() {
  QTextStream err(stderr);
  QRandomGenerator rng(20240703);
  for (int round = 0; round < 2000; ++round) {
    const int32_t seed = static_cast<int32_t>(rng.bounded(0x7fffffff));
    const int len = 1 + static_cast<int>(rng.bounded(40));
    QString text;
    for (int i = 0; i < len; ++i) text += QChar(static_cast<char16_t>(rng.bounded(256)));
    if (!RoundTrips(text, seed, Scramble(text, seed))) {
      err << "round trip failed for seed " << seed << " and length " << len << "\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QTextStream out(stdout);
  QTextStream err(stderr);
  if (argc == 2 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--self-test")) return SelfTest();
  if (argc != 3) {
    err << "usage: mt-scramble SEED TEXT | mt-scramble --self-test\n";
    return 2;
  }
  bool ok = false;
  const int32_t seed = QString::fromLocal8Bit(argv[1]).toInt(&ok);
  const QString text = QString::fromLocal8Bit(argv[2]);
  if (!ok || seed < 0 || text.isEmpty()) {
    err << "SEED must be a non-negative 32-bit number and TEXT non-empty\n";
    return 2;
  }
  for (QChar c : text) {
    if (c.unicode() > 255) {
      err << "TEXT must hold characters U+0000..U+00FF only\n";
      return 2;
    }
  }
  const QString list = Scramble(text, seed);
  if (!RoundTrips(text, seed, list)) {
    err << "internal error: the list does not unscramble to TEXT\n";
    return 1;
  }
  out << list << "\n";
  return 0;
}
