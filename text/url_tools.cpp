#include "text/url_tools.h"

#include <QStringList>

namespace mt {

namespace {

bool OnlySpaces(const QString& s) {
  for (const QChar c : s)
    if (c != QLatin1Char(' ')) return false;
  return true;  // also the empty item
}

}  // namespace

QString GetQueryStringValue(const QString& url, const QString& key, bool* found,
                            const QString& queryStart, bool ignoreCase) {
  if (found) *found = false;
  if (url.isEmpty() || key.isEmpty()) return QString();
  const qsizetype at = url.indexOf(queryStart);
  if (at < 0) return QString();
  // Everything after the marker belongs to the query, a "#fragment" included.
  QString query = url.mid(at + queryStart.size());
  if (query.isEmpty()) return QString();
  if (query.endsWith(QLatin1Char('/'))) query.chop(1);

  const QStringList items = query.split(QLatin1Char('&'), Qt::KeepEmptyParts);
  for (int32_t i = 0; i <= GetArrayUBound(items); ++i) {
    const QString& item = items.at(i);
    if (OnlySpaces(item)) continue;
    const QStringList parts = item.split(QLatin1Char('='), Qt::KeepEmptyParts);
    const QString& name = parts.at(0);
    const bool match = name == key || (ignoreCase && name.toLower() == key.toLower());
    if (!match) continue;
    if (found) *found = true;
    return GetArrayUBound(parts) >= 1 ? parts.at(1) : QString();
  }
  return QString();
}

}  // namespace mt
