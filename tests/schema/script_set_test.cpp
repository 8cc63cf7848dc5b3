// The embedded upgrade scripts as shipped: which identifiers exist, their
// byte layout, and the version stamps the older scripts carry themselves.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include "schema/schema_listing.h"

namespace {

using mt::schematest::ScriptBytes;
using mt::schematest::ScriptStatements;

const QString kSeparator = QString(QChar(0x25A0));

bool HasScript(int version) { return QFile::exists(QStringLiteral(":/SQL/%1").arg(10000 + version)); }

// Every version from 3 to 405 has a script, except those done by code
// migrations (298, 299, 329, 335, 338); 319 keeps one all the same.
bool ShippedVersion(int v) { return v >= 3 && v <= 405 && !QSet<int>{298, 299, 329, 335, 338}.contains(v); }

// Exactly the shipped versions have a script, valid UTF-8 with the listed
// byte order marks; only line ends follow the last separator, except the
// three NULs that end the script of 330.
TEST(ScriptSet, ExactlyTheScriptVersionsAreEmbeddedAsUtf8WithTheListedMarks) {
  QSet<int> marked{88, 89, 117};
  for (const auto& [first, last] : {std::pair{8, 14}, {91, 105}, {122, 317}})
    for (int v = first; v <= last; ++v) marked << v;
  static const QRegularExpression lineEnds("^[\r\n]*$");
  for (int v = 0; v <= 410; ++v) {
    EXPECT_EQ(HasScript(v), ShippedVersion(v)) << "version " << v;
    if (!HasScript(v)) continue;
    const QByteArray bytes = ScriptBytes(v);
    const bool hasMark = bytes.startsWith("\xEF\xBB\xBF");
    EXPECT_EQ(hasMark, marked.contains(v)) << "version " << v;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(hasMark ? bytes.mid(3) : bytes);
    EXPECT_FALSE(decoder.hasError() || text.startsWith(QChar(0xFEFF))) << "version " << v;
    const QString tail = text.mid(text.lastIndexOf(kSeparator) + 1);
    EXPECT_TRUE(text.contains(kSeparator) && (v == 330 ? tail == QString(3, QChar(0)) : lineEnds.match(tail).hasMatch()))
        << "version " << v;
  }
  EXPECT_EQ(ScriptBytes(319), ScriptBytes(320));
}

// The scripts of versions 3..297 except 290 end by stamping their own version
// into DBVersion (written in several styles); 290 and the later ones leave
// that to the engine.
TEST(ScriptSet, OlderScriptsStampTheirOwnVersion) {
  static const QRegularExpression stamp(
      QStringLiteral(R"(^UPDATE \[?TSettings\]? SET (?:TSettings\.)?\[?Val1\]? ?= ?(['"])(\d+)\1 )"
                     R"(WHERE (?:TSettings\.)?\[?ID\]? ?= ?(['"])DBVersion\3$)"));
  for (int v = 3; v <= 405; ++v) {
    if (!ShippedVersion(v)) continue;
    const QStringList statements = ScriptStatements(v);
    const QStringList stamps = statements.filter(QStringLiteral("DBVersion"));
    const bool expected = v <= 297 && v != 290;
    ASSERT_EQ(stamps.size(), expected ? 1 : 0) << "version " << v;
    if (expected) EXPECT_EQ(stamp.match(statements.last()).captured(2).toInt(), v) << statements.last().toStdString();
  }
}

}  // namespace
