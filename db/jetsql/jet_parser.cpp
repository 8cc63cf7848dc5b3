#include "db/jetsql/jet_parser.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "db/engine.h"
#include "db/jetsql/jet_dates.h"
#include "db/jetsql/jet_tokenizer.h"

namespace mt::engine {

namespace {

// Words that end an expression or a name and so can never be a bare column,
// table or alias name. Everything else (Type, Rank, Path, Code...) is a name.
constexpr std::string_view kReserved[] = {
    "ALL",    "AND",   "AS",          "ASC",    "BETWEEN", "BY",     "DESC",  "DISTINCT",
    "DISTINCTROW",     "EQV",         "EXISTS", "FALSE",   "FROM",   "FULL",  "GROUP",
    "HAVING", "IMP",   "IN",          "INNER",  "INTO",    "IS",     "JOIN",  "LEFT",
    "LIKE",   "MOD",   "NOT",         "NULL",   "ON",      "OR",     "ORDER", "OUTER",
    "RIGHT",  "SELECT", "SET",        "TOP",    "TRUE",    "UNION",  "VALUES", "WHERE",
    "XOR",
};

bool IsReservedWord(QStringView w) {
  // Called for every name the parser reads: upper-case once, then compare
  // only keywords of the same length.
  const qsizetype n = w.size();
  if (n < 2 || n > 11) return false;
  char upper[12];
  for (qsizetype i = 0; i < n; ++i) {
    char16_t c = w[i].unicode();
    if (c >= u'a' && c <= u'z') c -= u'a' - u'A';
    else if (c < u'A' || c > u'Z') return false;
    upper[i] = static_cast<char>(c);
  }
  const std::string_view word(upper, static_cast<size_t>(n));
  for (std::string_view k : kReserved)
    if (k == word) return true;
  return false;
}

struct TypeName {
  const char* name;
  JetType type;
};

const TypeName kTypeNames[] = {
    {"TEXT", JetType::Text},          {"VARCHAR", JetType::Text},
    {"CHAR", JetType::Text},          {"CHARACTER", JetType::Text},
    {"NVARCHAR", JetType::Text},      {"STRING", JetType::Text},
    {"MEMO", JetType::Memo},          {"LONGTEXT", JetType::Memo},
    {"NOTE", JetType::Memo},          {"NTEXT", JetType::Memo},
    {"LONG", JetType::Long},          {"INT", JetType::Long},
    {"INTEGER", JetType::Long},       {"INTEGER4", JetType::Long},
    {"SHORT", JetType::Short},        {"SMALLINT", JetType::Short},
    {"INTEGER2", JetType::Short},     {"BYTE", JetType::Byte},
    {"TINYINT", JetType::Byte},       {"INTEGER1", JetType::Byte},
    {"BIT", JetType::Bit},            {"YESNO", JetType::Bit},
    {"LOGICAL", JetType::Bit},        {"BOOLEAN", JetType::Bit},
    {"DATETIME", JetType::DateTime},  {"DATE", JetType::DateTime},
    {"TIME", JetType::DateTime},      {"TIMESTAMP", JetType::DateTime},
    {"SINGLE", JetType::Single},      {"REAL", JetType::Single},
    {"FLOAT4", JetType::Single},      {"FLOAT", JetType::Float},
    {"DOUBLE", JetType::Float},       {"FLOAT8", JetType::Float},
    {"NUMBER", JetType::Float},       {"MONEY", JetType::Money},
    {"CURRENCY", JetType::Money},     {"AUTOINCREMENT", JetType::AutoIncrement},
    {"COUNTER", JetType::AutoIncrement},
    {"LONGBINARY", JetType::LongBinary}, {"IMAGE", JetType::LongBinary},
    {"OLEOBJECT", JetType::LongBinary},  {"GENERAL", JetType::LongBinary},
    {"BINARY", JetType::Binary},         {"VARBINARY", JetType::Binary},
    {"GUID", JetType::Guid},             {"UNIQUEIDENTIFIER", JetType::Guid},
    {"DECIMAL", JetType::Decimal},       {"DEC", JetType::Decimal},
    {"NUMERIC", JetType::Decimal},
};

bool JetTypeFromName(QStringView name, JetType* type) {
  for (const TypeName& t : kTypeNames) {
    if (WordEquals(name, t.name)) {
      *type = t.type;
      return true;
    }
  }
  return false;
}

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

  ExprPtr parseExpr() {
    Nest n(*this);
    return parseImp();
  }
  ExprPtr parseImp() {
    ExprPtr e = parseOr();
    for (;;) {
      if (acceptWord("XOR")) e = binary(Op::Xor, std::move(e), parseOr());
      else if (acceptWord("EQV")) e = binary(Op::Eqv, std::move(e), parseOr());
      else if (acceptWord("IMP")) e = binary(Op::Imp, std::move(e), parseOr());
      else return e;
    }
  }
  ExprPtr parseOr() {
    ExprPtr e = parseAnd();
    while (acceptWord("OR")) e = binary(Op::Or, std::move(e), parseAnd());
    return e;
  }
  ExprPtr parseAnd() {
    ExprPtr e = parseNot();
    while (acceptWord("AND")) e = binary(Op::And, std::move(e), parseNot());
    return e;
  }
  ExprPtr parseNot() {
    if (isWord("NOT")) {
      Nest n(*this);
      ++p_;
      return unary(Op::Not, parseNot());
    }
    return parseComparison();
  }
  ExprPtr parseComparison() {
    ExprPtr e = parseConcat();
    for (;;) {
      Op op;
      if (isOp("=")) op = Op::Eq;
      else if (isOp("<>")) op = Op::Ne;
      else if (isOp("<")) op = Op::Lt;
      else if (isOp("<=")) op = Op::Le;
      else if (isOp(">")) op = Op::Gt;
      else if (isOp(">=")) op = Op::Ge;
      else {
        bool negated = false;
        if (isWord("NOT") && (peekWord(1, "LIKE") || peekWord(1, "BETWEEN") || peekWord(1, "IN"))) {
          negated = true;
          ++p_;
        }
        if (acceptWord("LIKE")) {
          ExprPtr l = make(ExprKind::Like);
          l->negated = negated;
          l->args.push_back(std::move(e));
          l->args.push_back(parseConcat());
          seal(*l);
          e = std::move(l);
          continue;
        }
        if (acceptWord("BETWEEN")) {
          ExprPtr b = make(ExprKind::Between);
          b->negated = negated;
          b->args.push_back(std::move(e));
          b->args.push_back(parseConcat());
          expectWord("AND");
          b->args.push_back(parseConcat());
          seal(*b);
          e = std::move(b);
          continue;
        }
        if (acceptWord("IN")) {
          ExprPtr in = make(ExprKind::In);
          in->negated = negated;
          in->args.push_back(std::move(e));
          expectOp("(");
          if (isWord("SELECT")) {
            in->select = parseSelect();
          } else {
            do {
              in->args.push_back(parseExpr());
            } while (acceptOp(","));
          }
          expectOp(")");
          seal(*in);
          e = std::move(in);
          continue;
        }
        if (negated) fail(QStringLiteral("LIKE, BETWEEN or IN"));
        if (acceptWord("IS")) {
          ExprPtr n = make(ExprKind::IsNull);
          n->negated = acceptWord("NOT");
          expectWord("NULL");
          n->args.push_back(std::move(e));
          seal(*n);
          e = std::move(n);
          continue;
        }
        return e;
      }
      ++p_;
      e = binary(op, std::move(e), parseConcat());
    }
  }
  ExprPtr parseConcat() {
    ExprPtr e = parseAdd();
    while (acceptOp("&")) e = binary(Op::Concat, std::move(e), parseAdd());
    return e;
  }
  ExprPtr parseAdd() {
    ExprPtr e = parseMod();
    for (;;) {
      if (acceptOp("+")) e = binary(Op::Add, std::move(e), parseMod());
      else if (acceptOp("-")) e = binary(Op::Sub, std::move(e), parseMod());
      else return e;
    }
  }
  ExprPtr parseMod() {
    ExprPtr e = parseIntDiv();
    while (acceptWord("MOD")) e = binary(Op::Mod, std::move(e), parseIntDiv());
    return e;
  }
  ExprPtr parseIntDiv() {
    ExprPtr e = parseMul();
    while (acceptOp("\\")) e = binary(Op::IntDiv, std::move(e), parseMul());
    return e;
  }
  ExprPtr parseMul() {
    ExprPtr e = parseUnary();
    for (;;) {
      if (acceptOp("*")) e = binary(Op::Mul, std::move(e), parseUnary());
      else if (acceptOp("/")) e = binary(Op::Div, std::move(e), parseUnary());
      else return e;
    }
  }
  // Unary minus binds looser than '^': -2^2 is -4.
  ExprPtr parseUnary() {
    if (isOp("-") || isOp("+")) {
      Nest n(*this);
      Op op = isOp("-") ? Op::Neg : Op::Plus;
      ++p_;
      return unary(op, parseUnary());
    }
    return parsePow();
  }
  ExprPtr parsePow() {
    ExprPtr e = parsePrimary();
    while (acceptOp("^")) e = binary(Op::Pow, std::move(e), parseExponent());
    return e;
  }
  ExprPtr parseExponent() {
    if (isOp("-") || isOp("+")) {
      Nest n(*this);
      Op op = isOp("-") ? Op::Neg : Op::Plus;
      ++p_;
      return unary(op, parseExponent());
    }
    return parsePrimary();
  }

  ExprPtr parsePrimary() {
    const Token& t = cur();
    switch (t.kind) {
      case TokenKind::Number: {
        ExprPtr e = make(ExprKind::Number);
        e->text = t_.raw(t).toString();
        ++p_;
        return e;
      }
      case TokenKind::String: {
        ExprPtr e = make(ExprKind::String);
        e->text = t.text;
        ++p_;
        return e;
      }
      case TokenKind::Date: {
        std::optional<double> d = ParseDateText(t.text);
        if (!d) failAt(t, QStringLiteral("invalid date literal"));
        ExprPtr e = make(ExprKind::Date);
        e->number = *d;
        ++p_;
        return e;
      }
      case TokenKind::Bracketed:
        return parseColumnRef();
      case TokenKind::Word:
        return parseWordPrimary();
      case TokenKind::Op:
        if (isOp("(")) {
          Nest n(*this);
          ++p_;
          ExprPtr e;
          if (isWord("SELECT")) {
            e = make(ExprKind::Subquery);
            e->select = parseSelect();
            seal(*e);
          } else {
            e = parseExpr();
          }
          expectOp(")");
          return e;
        }
        break;
      default:
        break;
    }
    fail(QStringLiteral("an expression"));
  }

  ExprPtr parseWordPrimary() {
    const Token& t = cur();
    QStringView w = t_.raw(t);
    if (WordEquals(w, "NULL")) {
      ++p_;
      return make(ExprKind::Null);
    }
    if (WordEquals(w, "TRUE") || WordEquals(w, "FALSE")) {
      ExprPtr e = make(ExprKind::Bool);
      e->number = WordEquals(w, "TRUE") ? -1 : 0;
      ++p_;
      return e;
    }
    if (WordEquals(w, "EXISTS")) {
      ++p_;
      return parseExists(false);
    }
    if (opIs(peek(), "(")) {
      if (WordEquals(w, "NOT") || WordEquals(w, "IN")) fail(QStringLiteral("an expression"));
      return parseCall();
    }
    if (IsReservedWord(w)) fail(QStringLiteral("an expression"));
    return parseColumnRef();
  }

  ExprPtr parseExists(bool negated) {
    Nest n(*this);
    ExprPtr e = make(ExprKind::Exists);
    e->negated = negated;
    expectOp("(");
    if (!isWord("SELECT")) fail(QStringLiteral("SELECT"));
    e->select = parseSelect();
    expectOp(")");
    seal(*e);
    return e;
  }

  ExprPtr parseCall() {
    Nest n(*this);
    ExprPtr e = make(ExprKind::Call);
    QString name = t_.raw(cur()).toString().toUpper();
    if (name.endsWith(u'$')) name.chop(1);
    e->text = name;
    p_ += 2;  // name and "("
    if (!acceptOp(")")) {
      if (acceptWord("DISTINCT")) e->distinct = true;
      do {
        if (isOp("*") && opIs(peek(), ")")) {
          ++p_;
          e->args.push_back(make(ExprKind::Star));
        } else {
          e->args.push_back(parseExpr());
        }
      } while (acceptOp(","));
      expectOp(")");
    }
    seal(*e);
    return e;
  }

  // name, qualifier.name or qualifier.*
  ExprPtr parseColumnRef() {
    QString first = parseName("a name");
    if (!isOp(".") && !isOp("!")) {
      ExprPtr e = make(ExprKind::Column);
      e->text = first;
      return e;
    }
    ++p_;
    if (acceptOp("*")) {
      ExprPtr e = make(ExprKind::Star);
      e->qualifier = first;
      return e;
    }
    ExprPtr e = make(ExprKind::Column);
    e->qualifier = first;
    e->text = parseName("a column name");
    return e;
  }

  // --- SELECT ---
  static int DepthOf(const ExprPtr& e) { return e ? e->depth : 0; }
  void sealSelect(Select& s) {
    int d = 0;
    for (const SelectItem& i : s.items) d = std::max(d, DepthOf(i.expr));
    for (const TableRefPtr& r : s.from) d = std::max(d, r->depth);
    d = std::max({d, DepthOf(s.where), DepthOf(s.having)});
    for (const ExprPtr& g : s.groupBy) d = std::max(d, DepthOf(g));
    for (const OrderItem& o : s.orderBy) d = std::max(d, DepthOf(o.expr));
    for (const auto& u : s.unions) d = std::max(d, u.second->depth);
    s.depth = d + 1;
    if (s.depth > kMaxTreeDepth) failTooDeep();
  }

  std::unique_ptr<Select> parseSelect() {
    Nest n(*this);
    std::unique_ptr<Select> s = parseSelectCore();
    while (acceptWord("UNION")) {
      bool all = acceptWord("ALL");
      s->unions.emplace_back(all, parseSelectCore());
    }
    if (acceptWord("ORDER")) {
      expectWord("BY");
      do {
        OrderItem o;
        o.expr = parseExpr();
        if (acceptWord("DESC")) o.descending = true;
        else acceptWord("ASC");
        s->orderBy.push_back(std::move(o));
      } while (acceptOp(","));
    }
    sealSelect(*s);
    return s;
  }

  std::unique_ptr<Select> parseSelectCore() {
    auto s = std::make_unique<Select>();
    expectWord("SELECT");
    for (;;) {
      if (acceptWord("DISTINCT")) {
        s->distinct = true;
      } else if (acceptWord("DISTINCTROW") || acceptWord("ALL")) {
        // DISTINCTROW matters only for joins Jet could update; rows stay as selected.
      } else if (acceptWord("TOP")) {
        const Token& t = cur();
        bool ok = false;
        if (t.kind == TokenKind::Number) s->top = t_.raw(t).toLongLong(&ok);
        if (!ok || s->top < 0) fail(QStringLiteral("a whole number after TOP"));
        ++p_;
        s->topPercent = acceptWord("PERCENT");
      } else {
        break;
      }
    }
    do {
      SelectItem item;
      if (acceptOp("*")) {
        item.expr = make(ExprKind::Star);
      } else {
        item.expr = parseExpr();
        if (item.expr->kind != ExprKind::Star) item.alias = parseAlias();
      }
      s->items.push_back(std::move(item));
    } while (acceptOp(","));
    if (acceptWord("FROM")) {
      do {
        s->from.push_back(parseJoinedRef());
      } while (acceptOp(","));
    }
    if (acceptWord("WHERE")) s->where = parseExpr();
    if (acceptWord("GROUP")) {
      expectWord("BY");
      do {
        s->groupBy.push_back(parseExpr());
      } while (acceptOp(","));
    }
    if (acceptWord("HAVING")) s->having = parseExpr();
    sealSelect(*s);
    return s;
  }

  TableRefPtr parseJoinedRef() {
    Nest n(*this);
    TableRefPtr left = parsePrimaryRef();
    for (;;) {
      JoinKind kind;
      if (isWord("INNER") && peekWord(1, "JOIN")) {
        kind = JoinKind::Inner;
        p_ += 2;
      } else if (isWord("JOIN")) {
        kind = JoinKind::Inner;
        ++p_;
      } else if (isWord("LEFT") || isWord("RIGHT")) {
        kind = isWord("LEFT") ? JoinKind::Left : JoinKind::Right;
        ++p_;
        acceptWord("OUTER");
        expectWord("JOIN");
      } else {
        return left;
      }
      auto j = std::make_unique<TableRef>();
      j->kind = TableRef::Kind::Join;
      j->join = kind;
      j->left = std::move(left);
      j->right = parsePrimaryRef();
      expectWord("ON");
      j->on = parseExpr();
      j->depth = std::max({j->left->depth, j->right->depth, j->on->depth}) + 1;
      if (j->depth > kMaxTreeDepth) failTooDeep();
      left = std::move(j);
    }
  }

  TableRefPtr parsePrimaryRef() {
    Nest n(*this);
    if (acceptOp("(")) {
      if (isWord("SELECT")) {
        auto r = std::make_unique<TableRef>();
        r->kind = TableRef::Kind::Subquery;
        r->select = parseSelect();
        expectOp(")");
        r->alias = parseAlias();
        r->depth = r->select->depth + 1;
        return r;
      }
      TableRefPtr inner = parseJoinedRef();
      expectOp(")");
      return inner;
    }
    auto r = std::make_unique<TableRef>();
    r->name = parseName("a table name");
    r->alias = parseAlias();
    return r;
  }

  // --- data statements ---
  std::unique_ptr<InsertStmt> parseInsert() {
    auto ins = std::make_unique<InsertStmt>();
    expectWord("INTO");
    ins->table = parseName("a table name");
    if (isOp("(") && !peekWord(1, "SELECT")) parseNameList(&ins->columns, "a column name");
    if (acceptWord("VALUES")) {
      do {
        expectOp("(");
        std::vector<ExprPtr> row;
        do {
          row.push_back(parseExpr());
        } while (acceptOp(","));
        expectOp(")");
        if (!ins->columns.isEmpty() && row.size() != static_cast<size_t>(ins->columns.size()))
          failAt(cur(), QStringLiteral("the number of values differs from the number of columns"));
        ins->rows.push_back(std::move(row));
      } while (acceptOp(","));
    } else if (isWord("SELECT")) {
      ins->select = parseSelect();
    } else if (isOp("(") && peekWord(1, "SELECT")) {
      ++p_;
      ins->select = parseSelect();
      expectOp(")");
    } else {
      fail(QStringLiteral("VALUES or SELECT"));
    }
    return ins;
  }

  std::unique_ptr<UpdateStmt> parseUpdate() {
    auto up = std::make_unique<UpdateStmt>();
    up->target = parseJoinedRef();
    expectWord("SET");
    do {
      Assignment a;
      QString first = parseName("a column name");
      if (acceptOp(".") || acceptOp("!")) {
        a.qualifier = first;
        a.column = parseName("a column name");
      } else {
        a.column = first;
      }
      expectOp("=");
      a.value = parseExpr();
      up->sets.push_back(std::move(a));
    } while (acceptOp(","));
    if (acceptWord("WHERE")) up->where = parseExpr();
    return up;
  }

  std::unique_ptr<DeleteStmt> parseDelete() {
    auto del = std::make_unique<DeleteStmt>();
    if (acceptOp("*")) {
    } else if (atName() && (opIs(peek(), ".") || opIs(peek(), "!")) && opIs(peek(2), "*")) {
      del->qualifier = parseName("a table name");
      p_ += 2;
    }
    expectWord("FROM");
    do {
      del->from.push_back(parseJoinedRef());
    } while (acceptOp(","));
    if (acceptWord("WHERE")) del->where = parseExpr();
    return del;
  }

  // --- data definition ---
  void parseColumnType(ColumnDef& c) {
    const Token& t = cur();
    if (t.kind != TokenKind::Word || !JetTypeFromName(t_.raw(t), &c.type))
      fail(QStringLiteral("a column type"));
    const bool isText = c.type == JetType::Text;
    const bool isCounter = c.type == JetType::AutoIncrement;
    ++p_;
    c.size = isText ? 255 : 0;
    if (c.type == JetType::Binary || c.type == JetType::Decimal) {
      parseBinaryOrDecimalSize(c);
      return;
    }
    if (isText || isCounter) {
      if (acceptOp("(")) {
        const Token& n = cur();
        bool ok = false;
        int v = n.kind == TokenKind::Number ? t_.raw(n).toInt(&ok) : 0;
        if (!ok) fail(QStringLiteral("a size"));
        ++p_;
        if (isText) {
          if (v < 1 || v > 255) failAt(n, QStringLiteral("a text size must be 1 to 255"));
          c.size = v;
        } else if (acceptOp(",")) {  // COUNTER(seed, increment)
          if (cur().kind != TokenKind::Number) fail(QStringLiteral("an increment"));
          ++p_;
        }
        expectOp(")");
      }
    }
  }

  // BINARY [(n)], n 1 to 510 (510 when absent); DECIMAL [(p [, s])],
  // p 1 to 28, s 0 to p (18 and 0 when absent).
  void parseBinaryOrDecimalSize(ColumnDef& c) {
    const bool isBinary = c.type == JetType::Binary;
    c.size = isBinary ? 510 : 18;
    c.scale = 0;
    if (!acceptOp("(")) return;
    auto number = [this](const QString& what, int lo, int hi) {
      const Token& n = cur();
      bool ok = false;
      int v = n.kind == TokenKind::Number ? t_.raw(n).toInt(&ok) : 0;
      if (!ok) fail(what);
      if (v < lo || v > hi) failAt(n, QStringLiteral("%1 must be %2 to %3").arg(what).arg(lo).arg(hi));
      ++p_;
      return v;
    };
    if (isBinary) {
      c.size = number(QStringLiteral("a binary size"), 1, 510);
    } else {
      c.size = number(QStringLiteral("a precision"), 1, 28);
      if (acceptOp(",")) c.scale = number(QStringLiteral("a scale"), 0, c.size);
    }
    expectOp(")");
  }

  // A column definition with its attributes. Column-level keys go to *keys.
  ColumnDef parseColumnDef(std::vector<KeyDef>* keys) {
    ColumnDef c;
    c.name = parseName("a column name");
    parseColumnType(c);
    for (;;) {
      if (isWord("WITH")) {
        ++p_;
        if (!acceptWord("COMPRESSION") && !acceptWord("COMP")) fail(QStringLiteral("COMPRESSION"));
        c.compression = true;
      } else if (isWord("NOT") && peekWord(1, "NULL")) {
        p_ += 2;
        c.notNull = true;
      } else if (acceptWord("NULL")) {
        c.notNull = false;
      } else if (acceptWord("DEFAULT")) {
        size_t first = p_;
        ExprPtr e = parseConcat();
        c.defaultValue = DefaultDef{t_.slice(first, p_ - 1)};
      } else if (isWord("CONSTRAINT") || isWord("PRIMARY") || isWord("UNIQUE")) {
        const Token& at = cur();
        KeyDef k;
        if (acceptWord("CONSTRAINT")) {
          k.name = parseName("a constraint name");
          if (isWord("NOT") && peekWord(1, "NULL")) {  // CONSTRAINT n NOT NULL
            p_ += 2;
            c.notNull = true;
            continue;
          }
        }
        if (acceptWord("PRIMARY")) {
          expectWord("KEY");
          k.kind = KeyKind::PrimaryKey;
          if (k.name.isEmpty()) k.name = QStringLiteral("PrimaryKey");
        } else if (acceptWord("UNIQUE")) {
          k.kind = KeyKind::Unique;
          if (k.name.isEmpty()) k.name = c.name;
        } else {
          fail(QStringLiteral("PRIMARY KEY or UNIQUE"));
        }
        if (!keys) failAt(at, QStringLiteral("a key cannot be declared here; use ADD CONSTRAINT"));
        k.columns.append(c.name);
        keys->push_back(std::move(k));
      } else if (isWord("REFERENCES")) {
        failAt(cur(), QStringLiteral("foreign keys are not supported"));
      } else {
        return c;
      }
    }
  }

  // CONSTRAINT n PRIMARY KEY (a, b) | CONSTRAINT n UNIQUE (c) | PRIMARY KEY (...)
  KeyDef parseTableConstraint() {
    KeyDef k;
    if (acceptWord("CONSTRAINT")) k.name = parseName("a constraint name");
    if (acceptWord("PRIMARY")) {
      expectWord("KEY");
      k.kind = KeyKind::PrimaryKey;
    } else if (acceptWord("UNIQUE")) {
      k.kind = KeyKind::Unique;
    } else if (isWord("FOREIGN")) {
      failAt(cur(), QStringLiteral("foreign keys are not supported"));
    } else {
      fail(QStringLiteral("PRIMARY KEY or UNIQUE"));
    }
    parseNameList(&k.columns, "a column name");
    if (k.name.isEmpty())
      k.name = k.kind == KeyKind::PrimaryKey ? QStringLiteral("PrimaryKey") : k.columns.join(u'_');
    return k;
  }

  bool atTableConstraint() const {
    return isWord("CONSTRAINT") || (isWord("PRIMARY") && peekWord(1, "KEY")) ||
           (isWord("UNIQUE") && opIs(peek(), "(")) || (isWord("FOREIGN") && peekWord(1, "KEY"));
  }

  Command parseCreate() {
    if (acceptWord("TABLE")) {
      CreateTable ct;
      ct.table.name = parseName("a table name");
      expectOp("(");
      do {
        if (atTableConstraint()) ct.table.keys.push_back(parseTableConstraint());
        else ct.table.columns.push_back(parseColumnDef(&ct.table.keys));
      } while (acceptOp(","));
      expectOp(")");
      if (ct.table.columns.empty()) failAt(cur(), QStringLiteral("a table needs a column"));
      return ct;
    }
    if (isWord("VIEW") || isWord("PROCEDURE") || isWord("INDEX") || isWord("UNIQUE"))
      failAt(cur(), QStringLiteral("this CREATE statement is not run as SQL"));
    fail(QStringLiteral("TABLE"));
  }

  Command parseAlter() {
    expectWord("TABLE");
    QString table = parseName("a table name");
    if (acceptWord("ADD")) {
      if (atTableConstraint()) return AddConstraint{table, parseTableConstraint()};
      acceptWord("COLUMN");
      return AddColumn{table, parseColumnDef(nullptr)};
    }
    if (acceptWord("DROP")) {
      if (acceptWord("CONSTRAINT")) return DropConstraint{table, parseName("a constraint name")};
      acceptWord("COLUMN");
      return DropColumn{table, parseName("a column name")};
    }
    if (acceptWord("ALTER")) {
      acceptWord("COLUMN");
      return AlterColumn{table, parseColumnDef(nullptr)};
    }
    if (acceptWord("RENAME")) {
      if (isWord("COLUMN")) failAt(cur(), QStringLiteral("RENAME COLUMN is carried out through the catalogue"));
      expectWord("TO");
      return RenameTable{table, parseName("a table name")};
    }
    fail(QStringLiteral("ADD, DROP, ALTER or RENAME"));
  }

  Command parseDrop() {
    if (acceptWord("TABLE")) return DropTable{parseName("a table name")};
    if (acceptWord("PROCEDURE") || acceptWord("VIEW")) return DropProcedure{parseName("a query name")};
    fail(QStringLiteral("TABLE, VIEW or PROCEDURE"));
  }

  void parseParameters(QStringList* names) {
    do {
      names->append(parseName("a parameter name"));
      // The declared type ("Long", "Text (255)") only documents the
      // parameter; values arrive bound.
      if (!atName()) fail(QStringLiteral("a parameter type"));
      ++p_;
      if (acceptOp("(")) {
        if (cur().kind != TokenKind::Number) fail(QStringLiteral("a size"));
        ++p_;
        expectOp(")");
      }
    } while (acceptOp(","));
    expectOp(";");
  }

  void expectEnd() {
    acceptOp(";");
    if (cur().kind != TokenKind::End) fail(QStringLiteral("end of statement"));
  }

  TokenList t_;
  size_t p_ = 0;
  int nesting_ = 0;
};

ParsedStatement Parser::parseStatement() {
  ParsedStatement st;
  if (acceptWord("PARAMETERS")) parseParameters(&st.parameters);
  if (isWord("SELECT")) {
    st.kind = ParsedStatement::Kind::Select;
    st.select = parseSelect();
  } else if (isOp("(") && peekWord(1, "SELECT")) {
    ++p_;
    st.kind = ParsedStatement::Kind::Select;
    st.select = parseSelect();
    expectOp(")");
  } else if (acceptWord("INSERT")) {
    st.kind = ParsedStatement::Kind::Insert;
    st.insert = parseInsert();
  } else if (acceptWord("UPDATE")) {
    st.kind = ParsedStatement::Kind::Update;
    st.update = parseUpdate();
  } else if (acceptWord("DELETE")) {
    st.kind = ParsedStatement::Kind::Delete;
    st.del = parseDelete();
  } else if (acceptWord("CREATE")) {
    st.kind = ParsedStatement::Kind::Definition;
    st.definition = parseCreate();
  } else if (acceptWord("ALTER")) {
    st.kind = ParsedStatement::Kind::Definition;
    st.definition = parseAlter();
  } else if (acceptWord("DROP")) {
    st.kind = ParsedStatement::Kind::Definition;
    st.definition = parseDrop();
  } else {
    fail(QStringLiteral("SELECT, INSERT, UPDATE, DELETE, CREATE, ALTER or DROP"));
  }
  expectEnd();
  return st;
}

}  // namespace

ParsedStatement ParseJet(const QString& sql) {
  Parser p(sql);
  ParsedStatement st = p.parseStatement();
  st.sourceLength = static_cast<int>(sql.size());
  return st;
}

}  // namespace mt::engine
