// Quoting of names and texts, and the literals an INSERT binds instead of
// writing them into its SQL (declared in sqlite_emitter.h).
#include "db/jetsql/sqlite_emitter.h"

#include "db/engine.h"

namespace mt::engine {

QString QuoteSqlIdentifier(const QString& name) {
  // SQLite reads statement text only up to a NUL, and no quoting carries one
  // inside a name.
  if (name.contains(QChar(u'\0')))
    throw DbError(dberr::kSyntax, QStringLiteral("Syntax error: a name cannot hold a NUL character."));
  QString out;
  if (!name.contains(u']')) {
    out.reserve(name.size() + 2);
    out += u'[';
    out += name;
    out += u']';
    return out;
  }
  out = name;
  out.replace(u'`', QStringLiteral("``"));
  return u'`' + out + u'`';
}

QString QuoteSqlString(const QString& text) {
  QString out;
  out.reserve(text.size() + 2);
  out += u'\'';
  for (QChar c : text) {
    if (c == u'\'') out += u'\'';
    out += c;
  }
  out += u'\'';
  if (!text.contains(QChar(u'\0'))) return out;
  // SQLite stops reading the statement at a NUL, even inside a literal: the
  // NUL characters are joined in as char(0), the whole in parentheses.
  out.replace(QChar(u'\0'), QStringLiteral("'||char(0)||'"));
  return u'(' + out + u')';
}

std::optional<QVariant> BindableText(QStringView value) {
  if (value.contains(QChar(u'\0'))) return std::nullopt;
  return QVariant(value.toString());
}

std::optional<QVariant> BindableNumber(QStringView written) {
  const qsizetype n = written.size();
  qsizetype i = 0;
  const auto digits = [&] {
    const qsizetype from = i;
    while (i < n && written[i] >= u'0' && written[i] <= u'9') ++i;
    return i - from;
  };
  qsizetype mantissa = digits();
  if (i == n) {
    if (n == 0 || n > 18) return std::nullopt;
    return QVariant(written.toLongLong());
  }
  if (written[i] == u'.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return std::nullopt;
  if (i < n && (written[i] == u'e' || written[i] == u'E')) {
    ++i;
    if (i < n && (written[i] == u'+' || written[i] == u'-')) ++i;
    if (digits() == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  return QVariant(written.toString());
}

}  // namespace mt::engine
