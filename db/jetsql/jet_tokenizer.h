// Splits one Jet-dialect statement into tokens.
//
// Promises:
//  - Tokenize() reads the text once, left to right, and never loops or
//    recurses: its cost is linear in the length of the statement.
//  - Words, numbers and operators are kept as positions into the statement
//    (no copy); only quoted strings, bracketed names and #date# literals carry
//    their own text, with the quoting removed and doubled quotes undone.
//  - A character that begins no token, an unterminated string, bracket or
//    date literal throws DbError(kSyntax) naming what was found and where.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace mt::engine {

enum class TokenKind {
  Word,         // bare identifier or keyword: letters, digits, '_' (not first: digit)
  Bracketed,    // [name]: text holds the name without brackets
  String,       // 'x' or "x": text holds the value
  Number,       // 12, 1.5, .5, 1E-3
  Date,         // #...#: text holds what stands between the '#'
  Op,           // punctuation and operators: ( ) , . ; = <> < > <= >= + - * / \ & ! ?
  End,
};

struct Token {
  TokenKind kind = TokenKind::End;
  int pos = 0;   // offset of the token's first character in the statement
  int len = 0;   // length of the token in the statement
  QString text;  // Bracketed, String and Date only
};

class TokenList {
 public:
  explicit TokenList(const QString& sql);

  const QString& source() const { return sql_; }
  const Token& at(size_t i) const { return i < tokens_.size() ? tokens_[i] : tokens_.back(); }
  size_t size() const { return tokens_.size(); }

  // The characters of a token as they stand in the statement.
  QStringView raw(const Token& t) const { return QStringView(sql_).mid(t.pos, t.len); }
  // Source text from the start of token `first` to the end of token `last`.
  QString slice(size_t first, size_t last) const;

  // Case-insensitive comparison of a Word token with an ASCII keyword.
  bool isWord(const Token& t, const char* keyword) const;
  // A Word, Bracketed or String token as an identifier; empty for others.
  QString name(const Token& t) const;

 private:
  QString sql_;
  std::vector<Token> tokens_;  // always ends with an End token
};

// Compares a word with an upper-case ASCII keyword, ignoring case.
bool WordEquals(QStringView word, const char* keyword);

// Describes a token for an error message: "word", "'x'", "end of statement".
QString DescribeToken(const TokenList& list, const Token& t);

}  // namespace mt::engine
