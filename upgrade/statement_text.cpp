#include "upgrade/statement_text.h"

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
  // Every line end becomes a space and every run of spaces one space, so one
  // pass does it: a CR or LF is a space, a space after a space is dropped,
  // and none is kept at either end.
  QString out(piece.size(), Qt::Uninitialized);
  QChar* d = out.data();
  qsizetype n = 0;
  for (const QChar c : piece) {
    const bool space = c == u' ' || c == u'\r' || c == u'\n';
    if (!space) d[n++] = c;
    else if (n > 0 && d[n - 1] != u' ') d[n++] = u' ';
  }
  if (n > 0 && d[n - 1] == u' ') --n;
  out.truncate(n);
  return out;
}

StatementKind ClassifyStatement(const QString& statement) {
  if (statement.startsWith(u"CREATE VIEW", Qt::CaseInsensitive)) return StatementKind::CreateView;
  if (statement.startsWith(u"CREATE PROCEDURE", Qt::CaseInsensitive)) {
    return StatementKind::CreateProcedure;
  }
  if (statement.contains(u" RENAME TO ", Qt::CaseSensitive)) return StatementKind::RenameTable;
  if (statement.contains(u" RENAME COLUMN ", Qt::CaseSensitive)) return StatementKind::RenameColumn;
  if (statement.contains(u"SetColumnDescription", Qt::CaseSensitive)) {
    return StatementKind::SetColumnDescription;
  }
  return StatementKind::Execute;
}

}  // namespace mt::upgrade
