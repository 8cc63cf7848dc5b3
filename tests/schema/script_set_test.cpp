// The embedded upgrade scripts as shipped: which identifiers exist, their
// byte layout, and the version stamps the older scripts carry themselves.
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

const QSet<int> kCodeMigrations = {298, 299, 319, 329, 335, 338};
const QString kSeparator = QString(QChar(0x25A0));

QString ResourcePath(int id) { return QStringLiteral(":/SQL/%1").arg(id); }

bool HasScript(int version) { return QFile::exists(ResourcePath(10000 + version)); }

QByteArray Bytes(int version) {
  QFile f(ResourcePath(10000 + version));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

bool ShippedVersion(int v) { return v >= 3 && v <= 405 && (!kCodeMigrations.contains(v) || v == 319); }

QString Decode(const QByteArray& bytes, bool* ok) {
  QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder.decode(body);
  *ok = !decoder.hasError();
  return text;
}

// The upgrade engine's normalisation of one piece: trim spaces, every line
// end becomes one space, runs of spaces collapse.
QString Normalise(QString s) {
  auto trimSpaces = [](QString t) {
    int b = 0, e = t.size();
    while (b < e && t[b] == QLatin1Char(' ')) ++b;
    while (e > b && t[e - 1] == QLatin1Char(' ')) --e;
    return t.mid(b, e - b);
  };
  s = trimSpaces(s);
  s.replace(QLatin1Char('\n'), QLatin1Char('\r'));
  s.replace(QStringLiteral("\r\r"), QStringLiteral("\r"));
  s.replace(QLatin1Char('\r'), QLatin1Char(' '));
  s = trimSpaces(s);
  while (s.contains(QStringLiteral("  "))) s.replace(QStringLiteral("  "), QStringLiteral(" "));
  return s;
}

QStringList Statements(int version) {
  bool ok = false;
  QStringList out;
  for (const QString& piece : Decode(Bytes(version), &ok).split(kSeparator)) {
    QString s = Normalise(piece);
    if (s.size() > 5) out << s;
  }
  return out;
}

TEST(ScriptSet, ExactlyTheScriptVersionsAreEmbedded) {
  int count = 0;
  for (int v = 0; v <= 410; ++v) {
    EXPECT_EQ(HasScript(v), ShippedVersion(v)) << "version " << v;
    if (HasScript(v)) ++count;
  }
  EXPECT_EQ(count, 398);
}

TEST(ScriptSet, EveryScriptIsUtf8WithTheMarkOnTheListedVersionsOnly) {
  QSet<int> marked;
  for (int v = 8; v <= 14; ++v) marked << v;
  marked << 88 << 89 << 117;
  for (int v = 91; v <= 105; ++v) marked << v;
  for (int v = 122; v <= 317; ++v) marked << v;
  int withMark = 0;
  for (int v = 3; v <= 405; ++v) {
    if (!HasScript(v)) continue;
    const QByteArray bytes = Bytes(v);
    ASSERT_FALSE(bytes.isEmpty()) << "version " << v;
    const bool hasMark = bytes.startsWith("\xEF\xBB\xBF");
    EXPECT_EQ(hasMark, marked.contains(v)) << "version " << v;
    if (hasMark) ++withMark;
    bool ok = false;
    const QString text = Decode(bytes, &ok);
    EXPECT_TRUE(ok) << "version " << v << " is not valid UTF-8";
    EXPECT_FALSE(text.startsWith(QChar(0xFEFF))) << "version " << v << " has a second mark";
  }
  EXPECT_EQ(withMark, 219);
}

TEST(ScriptSet, OnlyLineEndsFollowTheLastSeparatorExceptThreeNulsIn330) {
  for (int v = 3; v <= 405; ++v) {
    if (!HasScript(v)) continue;
    bool ok = false;
    const QString text = Decode(Bytes(v), &ok);
    const int last = text.lastIndexOf(kSeparator);
    ASSERT_GE(last, 0) << "version " << v;
    const QString tail = text.mid(last + 1);
    if (v == 330) {
      EXPECT_EQ(tail, QString(3, QChar(0))) << "the script of version 330 ends in three NULs";
    } else {
      static const QRegularExpression lineEnds(QStringLiteral("^[\r\n]*$"));
      EXPECT_TRUE(lineEnds.match(tail).hasMatch()) << "version " << v;
    }
  }
}

TEST(ScriptSet, Script319IsTheSameAsScript320) {
  const QByteArray a = Bytes(319), b = Bytes(320);
  ASSERT_FALSE(a.isEmpty());
  EXPECT_EQ(a, b);
}

// The scripts of versions 3..297 except 290 end by stamping their own version
// into DBVersion (written in several styles); 290 and the later ones leave
// that to the engine.
TEST(ScriptSet, OlderScriptsStampTheirOwnVersion) {
  static const QRegularExpression stamp(QStringLiteral(
      R"(^UPDATE \[?TSettings\]? SET (?:TSettings\.)?\[?Val1\]? ?= ?(['"])(\d+)\1 )"
      R"(WHERE (?:TSettings\.)?\[?ID\]? ?= ?(['"])DBVersion\3$)"));
  QSet<QString> styles;
  for (int v = 3; v <= 405; ++v) {
    if (!HasScript(v)) continue;
    const QStringList statements = Statements(v);
    ASSERT_FALSE(statements.isEmpty()) << "version " << v;
    int stamps = 0;
    for (const QString& s : statements) {
      if (s.contains(QStringLiteral("DBVersion"))) {
        auto m = stamp.match(s);
        ASSERT_TRUE(m.hasMatch()) << "version " << v << ": " << s.toStdString();
        EXPECT_EQ(m.captured(2).toInt(), v) << s.toStdString();
        QString shape = s;
        shape.replace(m.captured(2), QStringLiteral("N"));
        styles << shape;
        ++stamps;
      }
    }
    const bool expected = v <= 297 && v != 290;
    EXPECT_EQ(stamps, expected ? 1 : 0) << "version " << v;
    if (expected) {
      EXPECT_TRUE(stamp.match(statements.last()).hasMatch()) << "the stamp of " << v << " is not last";
    }
  }
  EXPECT_GE(styles.size(), 4) << "the stamps are written in several styles";
}

// The line ends and indentation the engine's normalisation has to absorb.
TEST(ScriptSet, LayoutVariantsThatNormalisationMustAbsorb) {
  int loneCr = 0, loneLf = 0, crCrLf = 0, tabs = 0;
  static const QRegularExpression loneCrRe(QStringLiteral("\r(?!\n)"));
  static const QRegularExpression loneLfRe(QStringLiteral("(?<!\r)\n"));
  for (int v = 3; v <= 405; ++v) {
    if (!HasScript(v)) continue;
    bool ok = false;
    const QString text = Decode(Bytes(v), &ok);
    if (text.contains(loneLfRe)) {
      ++loneLf;
      EXPECT_TRUE(v >= 311 && v <= 371) << "lone LF in version " << v;
    }
    if (text.contains(QStringLiteral("\r\r\n"))) ++crCrLf;
    QString withoutCrCrLf = text;
    withoutCrCrLf.replace(QStringLiteral("\r\r\n"), QStringLiteral("\r\n"));
    if (withoutCrCrLf.contains(loneCrRe)) ++loneCr;
    if (text.contains(QLatin1Char('\t'))) ++tabs;
  }
  EXPECT_EQ(loneLf, 20);
  EXPECT_GE(loneCr, 90);
  EXPECT_GE(crCrLf, 5);
  EXPECT_GE(tabs, 35);
  // Two tabs before the first word of a statement, which must reach the
  // database unchanged.
  bool ok = false;
  EXPECT_TRUE(Decode(Bytes(273), &ok).contains(QStringLiteral("\t\tINSERT")));
}

}  // namespace
