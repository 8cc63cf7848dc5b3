// A text literal's traits (TextLiteralTraits, declared in sqlite_emitter.h):
// what of a text decides the SQL written for a comparison or a LIKE with it.
#include <QHash>
#include <QSet>
#include <array>

#include "db/jetsql/jet_functions.h"
#include "db/jetsql/sqlite_emitter.h"
#include "db/jetsql/sqlite_emitter_internal.h"

namespace mt::engine {

namespace {

// What kSqlKeyFoldOpen/Close make of a character in this SQLite, whose
// lower() folds ASCII only.
char32_t KeyFold(char32_t c) {
  if (c == 0x212A) return u'k';
  if (c == 0x17F) return u's';
  return c >= u'A' && c <= u'Z' ? c + 0x20 : c;
}

// True when a text that jet_text finds equal to c may key-fold otherwise
// than c: c's class (the characters that fold as c does) holds characters of
// different key folds, such as 'É' and 'é'. Built once from the folding
// jet_text compares by.
bool KeyFoldAmbiguous(char32_t c) {
  static const QSet<char32_t> ambiguous = [] {
    QHash<char32_t, QList<char32_t>> classes;  // a fold, the other characters folding to it
    for (char32_t u = 0; u <= QChar::LastValidCodePoint; ++u)
      if (const char32_t f = QChar::toCaseFolded(u); f != u) classes[f].push_back(u);
    QSet<char32_t> out;
    for (auto it = classes.cbegin(); it != classes.cend(); ++it) {
      bool alike = true;
      for (const char32_t m : it.value()) alike = alike && KeyFold(m) == KeyFold(it.key());
      if (alike) continue;
      out.insert(it.key());
      for (const char32_t m : it.value()) out.insert(m);
    }
    return out;
  }();
  return ambiguous.contains(c);
}

}  // namespace

int TextLiteralTraits(QStringView text) {
  // One case only: every character is an ASCII character other than a
  // letter, a Hangul syllable or a CJK ideograph (none has a case form, and
  // no character folds to one).
  // A LIKE equality: the pattern holds no wildcard ('%', '_', '[') and
  // cannot read as a number, so SQLite compares it as text with every
  // column, whatever its affinity, and a number or a Null never equals it.
  enum : uint8_t { kLetter = 1, kWildcard = 2, kNumberChar = 4 };
  static const auto kAscii = [] {
    std::array<uint8_t, 128> t{};
    for (char16_t u = 0; u < 128; ++u) {
      const char16_t lower = u | 0x20;
      t[u] = uint8_t((lower >= u'a' && lower <= u'z' ? kLetter : 0) |
                     (u == u'%' || u == u'_' || u == u'[' ? kWildcard : 0) | (InNumberText(u) ? kNumberChar : 0));
    }
    return t;
  }();
  unsigned any = 0, all = kNumberChar;
  bool ascii = true, caselessBeyondAscii = true;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
      any |= kAscii[u];
      all &= kAscii[u];
      continue;
    }
    ascii = false;
    all = 0;
    const bool hangul = u >= 0xAC00 && u <= 0xD7A3;
    const bool ideograph = u >= 0x4E00 && u <= 0x9FFF;
    if (!hangul && !ideograph) caselessBeyondAscii = false;
  }
  const bool oneCase = !(any & kLetter) && caselessBeyondAscii;
  const bool wildcard = any & kWildcard;
  const bool numeric = all & kNumberChar;
  // Key-folded: every text jet_text finds equal to it has its key fold; and
  // it cannot read as a number, which a number column would compare as one.
  bool keyFolded = !numeric;
  for (qsizetype i = 0; keyFolded && !ascii && i < text.size(); ++i) {
    char32_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
      c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
    keyFolded = !KeyFoldAmbiguous(c);
  }
  const bool equality = !wildcard && !numeric;
  return (oneCase ? sqlemit::kOneCaseOnly : 0) | (equality ? sqlemit::kLikeEquality : 0) |
         (!equality && JetLikeFloorSize(text) > 0 ? sqlemit::kLikeRange : 0) |
         (keyFolded ? sqlemit::kKeyFolded : 0);
}

}  // namespace mt::engine
