#include "db/jetsql/jet_parser.h"

#include <string_view>

#include "db/jetsql/jet_dates.h"
#include "db/jetsql/jet_parser_internal.h"

namespace mt::engine {

namespace jetparse {

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

ExprPtr Parser::parseExpr() {
  Nest n(*this);
  return parseImp();
}

ExprPtr Parser::parseImp() {
  ExprPtr e = parseOr();
  for (;;) {
    if (acceptWord("XOR")) e = binary(Op::Xor, std::move(e), parseOr());
    else if (acceptWord("EQV")) e = binary(Op::Eqv, std::move(e), parseOr());
    else if (acceptWord("IMP")) e = binary(Op::Imp, std::move(e), parseOr());
    else return e;
  }
}

ExprPtr Parser::parseOr() {
  ExprPtr e = parseAnd();
  while (acceptWord("OR")) e = binary(Op::Or, std::move(e), parseAnd());
  return e;
}

ExprPtr Parser::parseAnd() {
  ExprPtr e = parseNot();
  while (acceptWord("AND")) e = binary(Op::And, std::move(e), parseNot());
  return e;
}

ExprPtr Parser::parseNot() {
  if (isWord("NOT")) {
    Nest n(*this);
    ++p_;
    return unary(Op::Not, parseNot());
  }
  return parseComparison();
}

ExprPtr Parser::parseComparison() {
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

ExprPtr Parser::parseConcat() {
  ExprPtr e = parseAdd();
  while (acceptOp("&")) e = binary(Op::Concat, std::move(e), parseAdd());
  return e;
}

ExprPtr Parser::parseAdd() {
  ExprPtr e = parseMod();
  for (;;) {
    if (acceptOp("+")) e = binary(Op::Add, std::move(e), parseMod());
    else if (acceptOp("-")) e = binary(Op::Sub, std::move(e), parseMod());
    else return e;
  }
}

ExprPtr Parser::parseMod() {
  ExprPtr e = parseIntDiv();
  while (acceptWord("MOD")) e = binary(Op::Mod, std::move(e), parseIntDiv());
  return e;
}

ExprPtr Parser::parseIntDiv() {
  ExprPtr e = parseMul();
  while (acceptOp("\\")) e = binary(Op::IntDiv, std::move(e), parseMul());
  return e;
}

ExprPtr Parser::parseMul() {
  ExprPtr e = parseUnary();
  for (;;) {
    if (acceptOp("*")) e = binary(Op::Mul, std::move(e), parseUnary());
    else if (acceptOp("/")) e = binary(Op::Div, std::move(e), parseUnary());
    else return e;
  }
}

// Unary minus binds looser than '^': -2^2 is -4.
ExprPtr Parser::parseUnary() {
  if (isOp("-") || isOp("+")) {
    Nest n(*this);
    Op op = isOp("-") ? Op::Neg : Op::Plus;
    ++p_;
    return unary(op, parseUnary());
  }
  return parsePow();
}

ExprPtr Parser::parsePow() {
  ExprPtr e = parsePrimary();
  while (acceptOp("^")) e = binary(Op::Pow, std::move(e), parseExponent());
  return e;
}

ExprPtr Parser::parseExponent() {
  if (isOp("-") || isOp("+")) {
    Nest n(*this);
    Op op = isOp("-") ? Op::Neg : Op::Plus;
    ++p_;
    return unary(op, parseExponent());
  }
  return parsePrimary();
}

ExprPtr Parser::parsePrimary() {
  const Token& t = cur();
  switch (t.kind) {
    case TokenKind::Number: {
      ExprPtr e = make(ExprKind::Number);
      e->text = t_.raw(t).toString();
      e->pos = t.pos;
      ++p_;
      return e;
    }
    case TokenKind::String: {
      ExprPtr e = make(ExprKind::String);
      e->text = t.text;
      e->pos = t.pos;
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

ExprPtr Parser::parseWordPrimary() {
  const Token& t = cur();
  QStringView w = t_.raw(t);
  if (WordEquals(w, "NULL")) {
    ++p_;
    return make(ExprKind::Null);
  }
  // Jet's words for the two Yes/No values; a column of one of these names
  // is written in brackets (or qualified: T.No).
  const bool yes = WordEquals(w, "TRUE") || WordEquals(w, "YES") || WordEquals(w, "ON");
  const bool no = WordEquals(w, "FALSE") || WordEquals(w, "NO") || WordEquals(w, "OFF");
  if ((yes || no) && !opIs(peek(), ".") && !opIs(peek(), "(")) {
    ExprPtr e = make(ExprKind::Bool);
    e->number = yes ? -1 : 0;
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

ExprPtr Parser::parseExists(bool negated) {
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

ExprPtr Parser::parseCall() {
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
ExprPtr Parser::parseColumnRef() {
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

void Parser::sealSelect(Select& s) {
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

std::unique_ptr<Select> Parser::parseSelect() {
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

std::unique_ptr<Select> Parser::parseSelectCore() {
  auto s = std::make_unique<Select>();
  expectWord("SELECT");
  for (;;) {
    if (acceptWord("DISTINCT")) {
      s->distinct = true;
    } else if (acceptWord("DISTINCTROW")) {
      s->distinctRow = true;
    } else if (acceptWord("ALL")) {
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

TableRefPtr Parser::parseJoinedRef() {
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

TableRefPtr Parser::parsePrimaryRef() {
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

std::unique_ptr<InsertStmt> Parser::parseInsert() {
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

std::unique_ptr<UpdateStmt> Parser::parseUpdate() {
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

std::unique_ptr<DeleteStmt> Parser::parseDelete() {
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

void Parser::parseParameters(QStringList* names) {
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

void Parser::expectEnd() {
  acceptOp(";");
  if (cur().kind != TokenKind::End) fail(QStringLiteral("end of statement"));
}

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

}  // namespace jetparse

ParsedStatement ParseJet(const QString& sql) {
  jetparse::Parser p(sql);
  ParsedStatement st = p.parseStatement();
  st.sourceLength = static_cast<int>(sql.size());
  return st;
}

}  // namespace mt::engine
