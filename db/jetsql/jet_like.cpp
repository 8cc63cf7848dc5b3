// Jet's LIKE matcher (declared in jet_functions.h): '%', '_' and [character
// lists], case folded for all of Unicode.
#include <QChar>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "db/jetsql/jet_functions.h"

namespace mt::engine {

namespace {

struct LikeItem {
  enum Kind { Char, Any, Many, Set };
  explicit LikeItem(Kind k, char32_t ch = 0) : kind(k), c(ch) {}
  Kind kind;
  char32_t c;
  bool negate = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;  // Set: inclusive ranges, folded
};

char32_t Fold(char32_t c) { return QChar::toCaseFolded(c); }

std::vector<char32_t> Codepoints(QStringView s) {
  std::vector<char32_t> out;
  out.reserve(static_cast<size_t>(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    char32_t c = s[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(s[i].unicode(), s[i + 1].unicode());
      ++i;
    }
    out.push_back(Fold(c));
  }
  return out;
}

std::vector<LikeItem> CompileLike(const std::vector<char32_t>& p) {
  std::vector<LikeItem> items;
  for (size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    if (c == U'%') {
      if (items.empty() || items.back().kind != LikeItem::Many) items.push_back(LikeItem(LikeItem::Many));
    } else if (c == U'_') {
      items.push_back(LikeItem(LikeItem::Any));
    } else if (c == U'[') {
      size_t close = i + 1;
      while (close < p.size() && p[close] != U']') ++close;
      if (close >= p.size()) {  // no closing bracket: a plain '['
        items.push_back(LikeItem(LikeItem::Char, c));
        continue;
      }
      LikeItem set(LikeItem::Set);
      size_t j = i + 1;
      if (j < close && p[j] == U'!') {
        set.negate = true;
        ++j;
      }
      for (; j < close; ++j) {
        if (j + 2 < close && p[j + 1] == U'-') {
          set.ranges.push_back({std::min(p[j], p[j + 2]), std::max(p[j], p[j + 2])});
          j += 2;
        } else {
          set.ranges.push_back({p[j], p[j]});
        }
      }
      if (set.ranges.empty() && !set.negate) {
        // "[]" matches nothing in Jet; treat it as the empty string
        i = close;
        continue;
      }
      items.push_back(std::move(set));
      i = close;
    } else {
      items.push_back(LikeItem(LikeItem::Char, c));
    }
  }
  return items;
}

bool ItemMatches(const LikeItem& it, char32_t c) {
  switch (it.kind) {
    case LikeItem::Char: return it.c == c;
    case LikeItem::Any: return true;
    case LikeItem::Set: {
      bool in = false;
      for (const auto& r : it.ranges)
        if (c >= r.first && c <= r.second) in = true;
      return in != it.negate;
    }
    case LikeItem::Many: return false;
  }
  return false;
}

// The next code point of s at i, case folded; i moves past it.
char32_t NextFolded(QStringView s, qsizetype& i) {
  char32_t c = s[i++].unicode();
  if (QChar::isHighSurrogate(c) && i < s.size() && s[i].isLowSurrogate())
    c = QChar::surrogateToUcs4(char16_t(c), s[i++].unicode());
  return Fold(c);
}

}  // namespace

qsizetype JetLikeFloorSize(QStringView pattern) {
  qsizetype n = 0;
  bool numeric = true;
  for (; n < pattern.size(); ++n) {
    const char16_t u = pattern[n].unicode();
    if (u >= 0x80 || u == u'%' || u == u'_' || u == u'[') break;
    if (!InNumberText(u)) numeric = false;
  }
  return numeric ? 0 : n;
}

QString JetLikeFloor(QStringView pattern) { return pattern.left(JetLikeFloorSize(pattern)).toString(); }

QString JetLikeCeiling(QStringView pattern) {
  QString ceiling = JetLikeFloor(pattern);
  if (ceiling.isEmpty()) return ceiling;
  // ASCII folds to ASCII, a letter to its lower case, so the successor of
  // the folded character folds to one above it.
  const char16_t last = QChar::toCaseFolded(ceiling.back().unicode());
  ceiling.back() = QChar(char16_t(last + 1));
  return ceiling;
}

bool JetLikeMatch(QStringView value, QStringView pattern) {
  // A pattern without wildcards (the one a statement finds a row by) is an
  // equality ignoring case: compared in place.
  if (!pattern.contains(u'%') && !pattern.contains(u'_') && !pattern.contains(u'[')) {
    qsizetype i = 0, j = 0;
    while (i < value.size() && j < pattern.size())
      if (NextFolded(value, i) != NextFolded(pattern, j)) return false;
    return i == value.size() && j == pattern.size();
  }
  const std::vector<char32_t> s = Codepoints(value);
  const std::vector<LikeItem> p = CompileLike(Codepoints(pattern));
  // Greedy matching with one backtrack point per '%': linear in practice and
  // never recursive.
  size_t si = 0, pi = 0;
  size_t starP = SIZE_MAX, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi].kind == LikeItem::Many) {
      starP = pi++;
      starS = si;
    } else if (pi < p.size() && ItemMatches(p[pi], s[si])) {
      ++pi;
      ++si;
    } else if (starP != SIZE_MAX) {
      pi = starP + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi].kind == LikeItem::Many) ++pi;
  return pi == p.size();
}

}  // namespace mt::engine
