#include "upgrade/statement_text.h"

#include "text/string_utils.h"

namespace mt::upgrade {

QStringList SplitScript(const QString& script) {
  if (script.isEmpty()) return {};
  return script.split(QChar(kStatementSeparator), Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString TrimSpaces(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  return text.mid(begin, end - begin);
}

QString NormaliseStatement(const QString& piece) {
  // Every line end (LF, CR, their pairs) ends up inside a run of spaces that
  // CollapseSpaces makes one space, and spaces at the ends go: so each CR or
  // LF simply becomes a space, with the same result as folding CR pairs first.
  QString s = piece;
  for (QChar& c : s)
    if (c == u'\r' || c == u'\n') c = u' ';
  return CollapseSpaces(TrimSpaces(s));
}

StatementKind ClassifyStatement(const QString& statement) {
  if (statement.startsWith(u"CREATE VIEW", Qt::CaseInsensitive)) return StatementKind::CreateView;
  if (statement.startsWith(u"CREATE PROCEDURE", Qt::CaseInsensitive)) {
    return StatementKind::CreateProcedure;
  }
  // The other rules look for their text anywhere: one pass finds all three
  // (the scripts hold 2.7 MB of statements), and the rules' order decides.
  const QStringView s(statement);
  bool renameColumn = false;
  bool description = false;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char16_t c = s[i].unicode();
    if (c == u' ' && i + 1 < s.size() && s[i + 1] == u'R') {
      const QStringView rest = s.sliced(i);
      if (rest.startsWith(u" RENAME TO ")) return StatementKind::RenameTable;
      if (rest.startsWith(u" RENAME COLUMN ")) renameColumn = true;
    } else if (c == u'S' && !description) {
      description = s.sliced(i).startsWith(u"SetColumnDescription");
    }
  }
  if (renameColumn) return StatementKind::RenameColumn;
  if (description) return StatementKind::SetColumnDescription;
  return StatementKind::Execute;
}

}  // namespace mt::upgrade
