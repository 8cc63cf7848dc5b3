// Jet's text functions (Mid, Left, InStr, Replace, StrComp, ...) and Format,
// on UTF-16 text as Jet counts it.
#include "db/jetsql/jet_function_args.h"

#include <QStringView>
#include <optional>

#include "db/jetsql/jet_format.h"
#include "db/jetsql/jet_values.h"

namespace mt::engine::jetfn {

namespace {

// --- text functions ---

void FnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  int64_t start, len = -1;
  if (!IntArg(ctx, argv[1], &start)) return;
  if (argc > 2 && !IntArg(ctx, argv[2], &len)) return;
  if (start < 1 || (argc > 2 && len < 0)) return Fail(ctx, kInvalidCall);
  QString s = Text(argv[0]);
  if (start > s.size()) return ResultText(ctx, QString());
  ResultText(ctx, s.mid(start - 1, argc > 2 ? len : -1));
}

void FnLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  int64_t n;
  if (!IntArg(ctx, argv[1], &n)) return;
  if (n < 0) return Fail(ctx, kInvalidCall);
  ResultText(ctx, Text(argv[0]).left(n));
}

void FnRight(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  int64_t n;
  if (!IntArg(ctx, argv[1], &n)) return;
  if (n < 0) return Fail(ctx, kInvalidCall);
  ResultText(ctx, Text(argv[0]).right(n));
}

void FnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, Text(argv[0]).size());
}

Qt::CaseSensitivity CompareMode(sqlite3_context* ctx, sqlite3_value* v, bool* ok) {
  int64_t mode = 0;
  *ok = IntArg(ctx, v, &mode);
  if (*ok && mode != 0 && mode != 1) {
    Fail(ctx, kInvalidCall);
    *ok = false;
  }
  return mode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

// InStr([start,] text, find[, compare]): 1-based position or 0.
void FnInStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  int64_t start = 1;
  int i = 0;
  if (argc >= 3) {
    if (!IntArg(ctx, argv[0], &start)) return;
    i = 1;
  }
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc == 4) {
    bool ok;
    cs = CompareMode(ctx, argv[3], &ok);
    if (!ok) return;
  }
  if (start < 1) return Fail(ctx, kInvalidCall);
  if (IsNull(argv[i]) || IsNull(argv[i + 1])) return sqlite3_result_null(ctx);
  QString s = Text(argv[i]);
  QString find = Text(argv[i + 1]);
  if (start > s.size()) return sqlite3_result_int(ctx, 0);
  if (find.isEmpty()) return sqlite3_result_int64(ctx, start);
  sqlite3_result_int64(ctx, s.indexOf(find, start - 1, cs) + 1);
}

void FnInStrRev(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  QString s = Text(argv[0]);
  QString find = Text(argv[1]);
  int64_t start = -1;
  if (argc > 2 && !IntArg(ctx, argv[2], &start)) return;
  if (start == 0 || start < -1) return Fail(ctx, kInvalidCall);
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc == 4) {
    bool ok;
    cs = CompareMode(ctx, argv[3], &ok);
    if (!ok) return;
  }
  if (start > s.size()) return sqlite3_result_int(ctx, 0);
  if (start == -1) start = s.size();
  if (find.isEmpty()) return sqlite3_result_int64(ctx, start);
  qsizetype from = start - find.size();
  if (from < 0) return sqlite3_result_int(ctx, 0);
  sqlite3_result_int64(ctx, s.lastIndexOf(find, from, cs) + 1);
}

QString TrimSpaces(const QString& s, bool left, bool right) {
  qsizetype a = 0, b = s.size();
  if (left)
    while (a < b && s[a] == u' ') ++a;
  if (right)
    while (b > a && s[b - 1] == u' ') --b;
  return s.mid(a, b - a);
}

template <bool L, bool R>
void FnTrim(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, TrimSpaces(Text(argv[0]), L, R));
}

void FnUCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, Text(argv[0]).toUpper());
}

void FnLCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, Text(argv[0]).toLower());
}

// Replace(text, find, with[, start[, count[, compare]]]); like VBA, the result
// begins at `start`.
void FnReplace(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (IsNull(argv[1]) || IsNull(argv[2])) return Fail(ctx, kInvalidNull);
  int64_t start = 1, count = -1;
  if (argc > 3 && !IntArg(ctx, argv[3], &start)) return;
  if (argc > 4 && !IntArg(ctx, argv[4], &count)) return;
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc > 5) {
    bool ok;
    cs = CompareMode(ctx, argv[5], &ok);
    if (!ok) return;
  }
  if (start < 1 || count < -1) return Fail(ctx, kInvalidCall);
  QString s = Text(argv[0]).mid(start - 1);
  const QString find = Text(argv[1]);
  const QString with = Text(argv[2]);
  if (find.isEmpty() || count == 0) return ResultText(ctx, s);
  QString out;
  out.reserve(s.size());
  qsizetype pos = 0;
  int64_t done = 0;
  for (;;) {
    qsizetype hit = (count < 0 || done < count) ? s.indexOf(find, pos, cs) : -1;
    if (hit < 0) break;
    out += QStringView(s).mid(pos, hit - pos);
    out += with;
    pos = hit + find.size();
    ++done;
  }
  out += QStringView(s).mid(pos);
  ResultText(ctx, out);
}

void FnSpace(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int64_t n;
  if (!IntArg(ctx, argv[0], &n)) return;
  if (n < 0 || n > 1'000'000) return Fail(ctx, kInvalidCall);
  ResultText(ctx, QString(n, u' '));
}

void FnString(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[1])) return sqlite3_result_null(ctx);
  int64_t n;
  if (!IntArg(ctx, argv[0], &n)) return;
  if (n < 0 || n > 1'000'000) return Fail(ctx, kInvalidCall);
  QChar c;
  if (IsNumericType(argv[1])) {
    c = QChar(static_cast<char16_t>(sqlite3_value_int64(argv[1]) & 0xFFFF));
  } else {
    QString s = Text(argv[1]);
    if (s.isEmpty()) return Fail(ctx, kInvalidCall);
    c = s[0];
  }
  ResultText(ctx, QString(n, c));
}

void FnAsc(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  QString s = Text(argv[0]);
  if (s.isEmpty()) return Fail(ctx, kInvalidCall);
  sqlite3_result_int(ctx, s[0].unicode());
}

void FnChr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int64_t n;
  if (!IntArg(ctx, argv[0], &n)) return;
  if (n < -32768 || n > 65535) return Fail(ctx, kInvalidCall);
  ResultText(ctx, QString(QChar(static_cast<char16_t>(n & 0xFFFF))));
}

void FnStrComp(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc > 2) {
    bool ok;
    cs = CompareMode(ctx, argv[2], &ok);
    if (!ok) return;
  }
  int c = QString::compare(Text(argv[0]), Text(argv[1]), cs);
  sqlite3_result_int(ctx, c < 0 ? -1 : (c > 0 ? 1 : 0));
}

void FnStrReverse(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  QString s = Text(argv[0]);
  std::reverse(s.begin(), s.end());
  ResultText(ctx, s);
}

// --- Format ---

void FnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  QString fmt = argc > 1 && !IsNull(argv[1]) ? Text(argv[1]) : QString();
  std::optional<QString> r = JetFormat(argv[0], fmt);
  if (!r) return Fail(ctx, kInvalidCall);
  ResultText(ctx, *r);
}

const JetFunction kText[] = {
    {"MID", "jet_mid", 2, 3, FnMid, nullptr, true},
    {"LEFT", "jet_left", 2, 2, FnLeft, nullptr, true},
    {"RIGHT", "jet_right", 2, 2, FnRight, nullptr, true},
    {"LEN", "jet_len", 1, 1, FnLen, nullptr, true},
    {"INSTR", "jet_instr", 2, 4, FnInStr, nullptr, true},
    {"INSTRREV", "jet_instrrev", 2, 4, FnInStrRev, nullptr, true},
    {"TRIM", "jet_trim", 1, 1, FnTrim<true, true>, nullptr, true},
    {"LTRIM", "jet_ltrim", 1, 1, FnTrim<true, false>, nullptr, true},
    {"RTRIM", "jet_rtrim", 1, 1, FnTrim<false, true>, nullptr, true},
    {"UCASE", "jet_ucase", 1, 1, FnUCase, nullptr, true},
    {"LCASE", "jet_lcase", 1, 1, FnLCase, nullptr, true},
    {"REPLACE", "jet_replace", 3, 6, FnReplace, nullptr, true},
    {"SPACE", "jet_space", 1, 1, FnSpace, nullptr, true},
    {"STRING", "jet_string", 2, 2, FnString, nullptr, true},
    {"ASC", "jet_asc", 1, 1, FnAsc, nullptr, true},
    {"ASCW", "jet_asc", 1, 1, FnAsc, nullptr, true},
    {"CHR", "jet_chr", 1, 1, FnChr, nullptr, true},
    {"CHRW", "jet_chr", 1, 1, FnChr, nullptr, true},
    {"STRCOMP", "jet_strcomp", 2, 3, FnStrComp, nullptr, true},
    {"STRREVERSE", "jet_strreverse", 1, 1, FnStrReverse, nullptr, true},
    {"FORMAT", "jet_format", 1, 2, FnFormat, nullptr, true},
};

}  // namespace

std::span<const JetFunction> TextFunctions() { return kText; }

}  // namespace mt::engine::jetfn
