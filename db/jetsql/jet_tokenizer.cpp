#include "db/jetsql/jet_tokenizer.h"

#include "db/engine.h"

namespace mt::engine {

namespace {

bool IsSpace(char16_t c) {
  // NUL counts as blank: script pieces may end in NUL padding.
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0 || c == 0x00A0 ||
         c == 0x3000 || c == 0xFEFF;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsWordStart(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_') return true;
  return c >= 0x80 && QChar(c).isLetter();
}

bool IsWordPart(char16_t c) {
  if (IsWordStart(c) || IsDigit(c)) return true;
  return c >= 0x80 && QChar(c).isLetterOrNumber();
}

[[noreturn]] void Fail(const QString& what, int pos) {
  throw DbError(dberr::kSyntax,
                QStringLiteral("Syntax error: %1 at position %2.").arg(what).arg(pos + 1));
}

}  // namespace

bool WordEquals(QStringView word, const char* keyword) {
  qsizetype i = 0;
  for (; keyword[i] != 0; ++i) {
    if (i >= word.size()) return false;
    char16_t c = word[i].unicode();
    if (c >= u'a' && c <= u'z') c = c - u'a' + u'A';
    if (c != static_cast<char16_t>(keyword[i])) return false;
  }
  return i == word.size();
}

TokenList::TokenList(const QString& sql) : sql_(sql) {
  const char16_t* s = reinterpret_cast<const char16_t*>(sql_.constData());
  const int n = static_cast<int>(sql_.size());
  tokens_.reserve(static_cast<size_t>(n / 3 + 2));
  int i = 0;
  while (i < n) {
    const char16_t c = s[i];
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    Token t;
    t.pos = i;
    if (IsWordStart(c)) {
      int j = i + 1;
      while (j < n && IsWordPart(s[j])) ++j;
      if (j < n && s[j] == u'$') ++j;  // Mid$, Left$, Format$: string-typed twins
      t.kind = TokenKind::Word;
      t.len = j - i;
      i = j;
    } else if (IsDigit(c) || (c == u'.' && i + 1 < n && IsDigit(s[i + 1]))) {
      int j = i;
      while (j < n && IsDigit(s[j])) ++j;
      if (j < n && s[j] == u'.') {
        ++j;
        while (j < n && IsDigit(s[j])) ++j;
      }
      if (j < n && (s[j] == u'e' || s[j] == u'E')) {
        int k = j + 1;
        if (k < n && (s[k] == u'+' || s[k] == u'-')) ++k;
        if (k < n && IsDigit(s[k])) {
          while (k < n && IsDigit(s[k])) ++k;
          j = k;
        }
      }
      if (j < n && IsWordStart(s[j]))
        Fail(QStringLiteral("malformed number \"%1\"")
                 .arg(sql_.mid(i, std::min(j + 1, n) - i)), i);
      t.kind = TokenKind::Number;
      t.len = j - i;
      i = j;
    } else if (c == u'\'' || c == u'"') {
      QString value;
      int j = i + 1;
      int runStart = j;
      bool closed = false;
      while (j < n) {
        if (s[j] == c) {
          value.append(QStringView(s + runStart, j - runStart));
          if (j + 1 < n && s[j + 1] == c) {  // doubled quote stands for one
            value.append(QChar(c));
            j += 2;
            runStart = j;
            continue;
          }
          closed = true;
          ++j;
          break;
        }
        ++j;
      }
      if (!closed) Fail(QStringLiteral("unterminated string"), i);
      t.kind = TokenKind::String;
      t.len = j - i;
      t.text = std::move(value);
      i = j;
    } else if (c == u'[') {
      int j = i + 1;
      while (j < n && s[j] != u']') ++j;
      if (j >= n) Fail(QStringLiteral("missing \"]\""), i);
      if (j == i + 1) Fail(QStringLiteral("empty name \"[]\""), i);
      for (int k = i + 1; k < j; ++k) {
        if (s[k] == 0) Fail(QStringLiteral("a name cannot hold a NUL character"), k);
      }
      t.kind = TokenKind::Bracketed;
      t.text = sql_.mid(i + 1, j - i - 1);
      t.len = j + 1 - i;
      i = j + 1;
    } else if (c == u'#') {
      int j = i + 1;
      while (j < n && s[j] != u'#') ++j;
      if (j >= n) Fail(QStringLiteral("unterminated date literal"), i);
      t.kind = TokenKind::Date;
      t.text = sql_.mid(i + 1, j - i - 1).trimmed();
      t.len = j + 1 - i;
      i = j + 1;
    } else {
      t.kind = TokenKind::Op;
      t.len = 1;
      switch (c) {
        case u'<':
          if (i + 1 < n && (s[i + 1] == u'>' || s[i + 1] == u'=')) t.len = 2;
          break;
        case u'>':
          if (i + 1 < n && s[i + 1] == u'=') t.len = 2;
          break;
        case u'(': case u')': case u',': case u'.': case u';': case u'=': case u'+':
        case u'-': case u'*': case u'/': case u'\\': case u'&': case u'!': case u'?':
        case u'^':
          break;
        default:
          Fail(QStringLiteral("unexpected character \"%1\"").arg(QChar(c)), i);
      }
      i += t.len;
    }
    tokens_.push_back(std::move(t));
  }
  Token end;
  end.kind = TokenKind::End;
  end.pos = n;
  tokens_.push_back(end);
}

QString TokenList::slice(size_t first, size_t last) const {
  const Token& a = at(first);
  const Token& b = at(last);
  return sql_.mid(a.pos, b.pos + b.len - a.pos);
}

bool TokenList::isWord(const Token& t, const char* keyword) const {
  return t.kind == TokenKind::Word && WordEquals(raw(t), keyword);
}

QString TokenList::name(const Token& t) const {
  switch (t.kind) {
    case TokenKind::Word:
      return raw(t).toString();
    case TokenKind::Bracketed:
    case TokenKind::String:
      return t.text;
    default:
      return {};
  }
}

QString DescribeToken(const TokenList& list, const Token& t) {
  if (t.kind == TokenKind::End) return QStringLiteral("end of statement");
  QString raw = list.raw(t).toString();
  if (raw.size() > 40) raw = raw.left(40) + QStringLiteral("...");
  return QStringLiteral("\"%1\"").arg(raw);
}

}  // namespace mt::engine
