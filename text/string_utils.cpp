#include "text/string_utils.h"

#include <QRegularExpression>

#include "app/log.h"

namespace mt {

namespace {

// 1-based search like the classic InStr: the position of needle at or after
// from, 0 when absent. An empty needle is found at from.
int Find(const QString& text, const QString& needle, int from) {
  if (from > text.size() + 1) return 0;
  return static_cast<int>(text.indexOf(needle, from - 1)) + 1;
}

// A search start before the first character is an invalid call; the classic
// search function refused it with this error.
constexpr int32_t kInvalidCall = 5;

}  // namespace

QString GetStringBetween(const QString& text, const QString& startDelim, const QString& endDelim,
                         int& searchPos, int* startPos, int* endPos) {
  if (startPos) *startPos = 0;
  if (endPos) *endPos = 0;
  if (searchPos < 1) {
    LogError("modString.GetStringBetween", kInvalidCall, "Invalid procedure call or argument", 0);
    return QString();
  }
  const int s = Find(text, startDelim, searchPos);
  if (startPos) *startPos = s;
  if (s == 0) return QString();
  const int contentStart = s + static_cast<int>(startDelim.size());
  const int e = Find(text, endDelim, contentStart);
  if (endPos) *endPos = e;
  if (e == 0) return QString();
  searchPos = e + static_cast<int>(endDelim.size());
  return text.mid(contentStart - 1, e - contentStart);
}

QString GetQuotedValue(const QString& text, int start, int* openPos, int* closePos) {
  if (start < 1) start = 1;
  const int apos = Find(text, QStringLiteral("'"), start);
  const int dq = Find(text, QStringLiteral("\""), start);
  if (apos == 0 && dq == 0) return QString();

  if (apos != 0 && (dq == 0 || apos < dq)) {
    int pos = apos;
    int s = 0;
    int e = 0;
    const QString value = GetStringBetween(text, QStringLiteral("'"), QStringLiteral("'"), pos, &s, &e);
    if (openPos) *openPos = s;
    if (closePos) *closePos = e;
    return value;
  }

  if (openPos) *openPos = dq;
  int scan = dq + 1;
  for (;;) {
    const int q = Find(text, QStringLiteral("\""), scan);
    if (q == 0) return QString();
    if (q < text.size() && text.at(q) == QLatin1Char('"')) {
      scan = q + 2;  // an escaped pair: part of the value
      continue;
    }
    if (closePos) *closePos = q;
    return text.mid(dq, q - dq - 1);
  }
}

QString StripEnclosingBrackets(const QString& text) {
  // ^ and $ apply at every line of a multi-line text; (*ANYCRLF) makes CR LF,
  // a lone CR and a lone LF all end a line.
  static const QRegularExpression kPatterns[] = {
      QRegularExpression(QStringLiteral("(*ANYCRLF)^\\("), QRegularExpression::MultilineOption),
      QRegularExpression(QStringLiteral("(*ANYCRLF)\\)$"), QRegularExpression::MultilineOption),
      QRegularExpression(QStringLiteral("(*ANYCRLF)^\\{"), QRegularExpression::MultilineOption),
      QRegularExpression(QStringLiteral("(*ANYCRLF)\\}$"), QRegularExpression::MultilineOption),
      QRegularExpression(QStringLiteral("(*ANYCRLF)^\\["), QRegularExpression::MultilineOption),
      QRegularExpression(QStringLiteral("(*ANYCRLF)\\]$"), QRegularExpression::MultilineOption),
  };
  QString current = text;
  for (;;) {
    QString next = current;
    for (const auto& re : kPatterns) next.replace(re, QString());
    if (next == current) return current;
    current = next;
  }
}

QString CollapseSpaces(const QString& text) {
  // Replacing pairs until none is left leaves every run as one space: one
  // pass that drops a space following a space gives the same.
  QString out(text.size(), Qt::Uninitialized);
  QChar* d = out.data();
  qsizetype n = 0;
  for (const QChar c : text)
    if (c != u' ' || n == 0 || d[n - 1] != u' ') d[n++] = c;
  out.truncate(n);
  return out;
}

QString GetFileExtension(const QString& path) {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : path.mid(dot + 1);
}

QString RemoveFileExtension(const QString& path) {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? path : path.left(dot);
}

}  // namespace mt
