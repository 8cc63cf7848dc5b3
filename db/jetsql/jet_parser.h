// Parses one Jet-dialect statement: data statements into the syntax tree of
// jet_ast.h, data-definition statements straight into the storage layer's
// commands.
//
// Promises:
//  - Recursive descent over the token list with a bounded depth: nesting
//    deeper than kMaxTreeDepth (parentheses, subqueries, operator chains)
//    is rejected with DbError(kSyntax) instead of exhausting the stack.
//  - Any text that is not one whole statement of the dialect throws
//    DbError(kSyntax) naming the token where reading stopped.
//  - Keywords and function names are case-insensitive; names keep the case
//    they were written in.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "db/jetsql/jet_ast.h"
#include "db/jetsql/translator.h"

namespace mt::engine {

struct ParsedStatement {
  enum class Kind { Select, Insert, Update, Delete, Definition };
  Kind kind = Kind::Select;
  std::unique_ptr<Select> select;
  std::unique_ptr<InsertStmt> insert;
  std::unique_ptr<UpdateStmt> update;
  std::unique_ptr<DeleteStmt> del;
  Command definition;      // Kind::Definition
  QStringList parameters;  // names declared by a leading PARAMETERS clause
  int sourceLength = 0;    // length of the statement text, a hint for the emitter
};

ParsedStatement ParseJet(const QString& sql);

}  // namespace mt::engine
