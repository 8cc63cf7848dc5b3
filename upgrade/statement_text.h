// The text side of applying an upgrade script: cutting a script into pieces,
// turning a piece into the one-line statement that is dispatched, and
// deciding which handler a statement goes to.
//
// Promises:
//  - Pure functions of their arguments; no database, no log, no window.
//  - SplitScript cuts at every statement separator (U+25A0) exactly: n
//    separators give n + 1 pieces; an empty text gives no pieces.
//  - NormaliseStatement trims spaces (tabs stay), turns every line end (CR LF,
//    CR CR LF, lone CR, lone LF) into one space and collapses runs of spaces,
//    string literals included.
//  - ClassifyStatement applies the dispatch rules in their fixed order; the
//    first rule that matches decides.
#pragma once

#include <QString>
#include <QStringList>

namespace mt::upgrade {

inline constexpr char16_t kStatementSeparator = u'\u25A0';

// Statements of this many characters or fewer are skipped without a message.
inline constexpr int kMaxSkippedLength = 5;

QStringList SplitScript(const QString& script);

// Removes leading and trailing U+0020 only.
QString TrimSpaces(const QString& text);

QString NormaliseStatement(const QString& piece);

enum class StatementKind {
  CreateView,            // begins with CREATE VIEW, any case
  CreateProcedure,       // begins with CREATE PROCEDURE, any case
  RenameTable,           // contains " RENAME TO "
  RenameColumn,          // contains " RENAME COLUMN "
  SetColumnDescription,  // contains SetColumnDescription anywhere
  Execute,               // everything else goes to the engine as SQL
};

StatementKind ClassifyStatement(const QString& statement);

}  // namespace mt::upgrade
