// The recursive-descent parser behind ParseJet, shared by its two halves:
// jet_parser.cpp reads expressions, queries and the data statements;
// jet_parser_definitions.cpp reads CREATE, ALTER and DROP. Only those two
// files include this header.
//
// Promises: the token helpers below never move past the end token, and every
// failure throws DbError(kSyntax) through fail()/failAt(); Nest and seal()
// keep every tree within kMaxTreeDepth.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <memory>
#include <vector>

#include "db/engine.h"
#include "db/jetsql/jet_ast.h"
#include "db/jetsql/jet_parser.h"
#include "db/jetsql/jet_tokenizer.h"
#include "db/jetsql/translator.h"

namespace mt::engine::jetparse {

// True for the words that end an expression or a name and so can never be a
// bare column, table or alias name.
bool IsReservedWord(QStringView w);

class Parser {
 public:
  explicit Parser(const QString& sql) : t_(sql) {}

  ParsedStatement parseStatement();

 private:
  // Bounds the recursion of the descent; see kMaxTreeDepth.
  class Nest {
   public:
    explicit Nest(Parser& p) : p_(p) {
      if (++p_.nesting_ > kMaxTreeDepth / 2) p_.failTooDeep();
    }
    ~Nest() { --p_.nesting_; }
    Nest(const Nest&) = delete;
    Nest& operator=(const Nest&) = delete;

   private:
    Parser& p_;
  };

  // --- token access ---
  const Token& cur() const { return t_.at(p_); }
  const Token& peek(size_t k = 1) const { return t_.at(p_ + k); }
  bool isWord(const char* kw) const { return t_.isWord(cur(), kw); }
  bool peekWord(size_t k, const char* kw) const { return t_.isWord(peek(k), kw); }
  bool acceptWord(const char* kw) {
    if (!isWord(kw)) return false;
    ++p_;
    return true;
  }
  void expectWord(const char* kw) {
    if (!acceptWord(kw)) fail(QString::fromLatin1(kw));
  }
  // `op` is one or two ASCII characters.
  bool opIs(const Token& t, const char* op) const {
    if (t.kind != TokenKind::Op) return false;
    const QChar* r = t_.source().constData() + t.pos;
    if (r[0].unicode() != static_cast<char16_t>(op[0])) return false;
    if (op[1] == 0) return t.len == 1;
    return t.len == 2 && r[1].unicode() == static_cast<char16_t>(op[1]);
  }
  bool isOp(const char* op) const { return opIs(cur(), op); }
  bool acceptOp(const char* op) {
    if (!isOp(op)) return false;
    ++p_;
    return true;
  }
  void expectOp(const char* op) {
    if (!acceptOp(op)) fail(QStringLiteral("\"%1\"").arg(QString::fromLatin1(op)));
  }

  [[noreturn]] void fail(const QString& expected) const {
    throw DbError(dberr::kSyntax, QStringLiteral("Syntax error near %1 (position %2): expected %3.")
                                      .arg(DescribeToken(t_, cur()))
                                      .arg(cur().pos + 1)
                                      .arg(expected));
  }
  [[noreturn]] void failAt(const Token& t, const QString& what) const {
    throw DbError(dberr::kSyntax, QStringLiteral("Syntax error near %1 (position %2): %3.")
                                      .arg(DescribeToken(t_, t))
                                      .arg(t.pos + 1)
                                      .arg(what));
  }
  [[noreturn]] void failTooDeep() const {
    failAt(cur(), QStringLiteral("statement nested too deeply"));
  }

  // --- names ---
  bool atName() const {
    const Token& t = cur();
    return t.kind == TokenKind::Bracketed ||
           (t.kind == TokenKind::Word && !IsReservedWord(t_.raw(t)));
  }
  QString parseName(const char* what) {
    if (!atName()) fail(QString::fromLatin1(what));
    QString n = t_.name(cur());
    ++p_;
    return n;
  }
  // An optional alias: AS name, or a bare name that is no keyword.
  QString parseAlias() {
    if (acceptWord("AS")) return parseName("an alias");
    if (atName()) return parseName("an alias");
    return {};
  }
  void parseNameList(QStringList* out, const char* what) {
    expectOp("(");
    do {
      out->append(parseName(what));
    } while (acceptOp(","));
    expectOp(")");
  }

  // --- expressions ---
  void seal(Expr& e) {
    int d = 0;
    for (const ExprPtr& a : e.args) d = std::max(d, a->depth);
    if (e.select) d = std::max(d, e.select->depth);
    e.depth = d + 1;
    if (e.depth > kMaxTreeDepth) failTooDeep();
  }
  ExprPtr make(ExprKind k) { return std::make_unique<Expr>(k); }
  ExprPtr unary(Op op, ExprPtr a) {
    ExprPtr e = make(ExprKind::Unary);
    e->op = op;
    e->args.push_back(std::move(a));
    seal(*e);
    return e;
  }
  ExprPtr binary(Op op, ExprPtr a, ExprPtr b) {
    ExprPtr e = make(ExprKind::Binary);
    e->op = op;
    e->args.push_back(std::move(a));
    e->args.push_back(std::move(b));
    seal(*e);
    return e;
  }

  // Expressions, loosest operator first.
  ExprPtr parseExpr();
  ExprPtr parseImp();
  ExprPtr parseOr();
  ExprPtr parseAnd();
  ExprPtr parseNot();
  ExprPtr parseComparison();
  ExprPtr parseConcat();
  ExprPtr parseAdd();
  ExprPtr parseMod();
  ExprPtr parseIntDiv();
  ExprPtr parseMul();
  ExprPtr parseUnary();
  ExprPtr parsePow();
  ExprPtr parseExponent();
  ExprPtr parsePrimary();
  ExprPtr parseWordPrimary();
  ExprPtr parseExists(bool negated);
  ExprPtr parseCall();
  ExprPtr parseColumnRef();

  // --- SELECT ---
  static int DepthOf(const ExprPtr& e) { return e ? e->depth : 0; }
  void sealSelect(Select& s);
  std::unique_ptr<Select> parseSelect();
  std::unique_ptr<Select> parseSelectCore();
  TableRefPtr parseJoinedRef();
  TableRefPtr parsePrimaryRef();
  // --- data statements ---
  std::unique_ptr<InsertStmt> parseInsert();
  std::unique_ptr<UpdateStmt> parseUpdate();
  std::unique_ptr<DeleteStmt> parseDelete();

  // --- data definition ---
  void parseColumnType(ColumnDef& c);
  void parseBinaryOrDecimalSize(ColumnDef& c);
  ColumnDef parseColumnDef(std::vector<KeyDef>* keys);
  KeyDef parseTableConstraint();
  bool atTableConstraint() const;
  Command parseCreate();
  Command parseAlter();
  Command parseDrop();

  // --- statement frame ---
  void parseParameters(QStringList* names);
  void expectEnd();

  TokenList t_;
  size_t p_ = 0;
  int nesting_ = 0;
};

}  // namespace mt::engine::jetparse
