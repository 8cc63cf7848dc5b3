// The embedded upgrade scripts as shipped: which identifiers exist, their
// byte layout, and the version stamps the older scripts carry themselves.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <map>

#include "schema/schema_listing.h"

namespace {

using mt::schematest::ScriptBytes;
using mt::schematest::ScriptStatements;
using mt::schematest::ScriptText;

const QString kSeparator = QString(QChar(0x25A0));

bool HasScript(int version) { return QFile::exists(QStringLiteral(":/SQL/%1").arg(10000 + version)); }

// Every version from 3 to 405 has a script, except those done by code
// migrations (298, 299, 329, 335, 338); 319 keeps one all the same.
bool ShippedVersion(int v) { return v >= 3 && v <= 405 && !QSet<int>{298, 299, 329, 335, 338}.contains(v); }

// Exactly the shipped versions have a script, valid UTF-8 with the listed
// byte order marks; only line ends follow the last separator, except the
// three NULs that end the script of 330. The scripts of 3..297 but 290 end by
// stamping their own version into DBVersion (in several styles); the later
// ones leave that to the engine. Together the scripts hold the figures of the
// set's catalogue: pieces, statements of each kind (told by their leading
// words), bytes.
TEST(ScriptSet, ExactlyTheShippedScriptsAreEmbeddedWithTheirMarksStampsAndFigures) {
  static const QRegularExpression kind(QStringLiteral(
      "^(ALTER TABLE \\S+ (ADD CONSTRAINT|DROP CONSTRAINT|DROP COLUMN|ALTER COLUMN|RENAME COLUMN|RENAME TO|ADD)|"
      "INSERT INTO|UPDATE|DELETE|CREATE TABLE|CREATE VIEW|CREATE PROCEDURE|DROP PROCEDURE|DROP TABLE|"
      "SETCOLUMNDESCRIPTION) "));
  static const QRegularExpression stamp(
      QStringLiteral(R"(^UPDATE \[?TSettings\]? SET (?:TSettings\.)?\[?Val1\]? ?= ?(['"])(\d+)\1 )"
                     R"(WHERE (?:TSettings\.)?\[?ID\]? ?= ?(['"])DBVersion\3$)"));
  static const QRegularExpression lineEnds("^[\r\n]*$");
  QSet<int> marked{88, 89, 117};
  for (const auto& [first, last] : {std::pair{8, 14}, {91, 105}, {122, 317}})
    for (int v = first; v <= last; ++v) marked << v;
  std::map<QString, int> kinds;
  qint64 totalBytes = 0, pieces = 0;
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
    const QStringList statements = ScriptStatements(v);
    const bool stamps = v <= 297 && v != 290;
    ASSERT_EQ(statements.filter(QStringLiteral("DBVersion")).size(), stamps ? 1 : 0) << "version " << v;
    if (stamps) EXPECT_EQ(stamp.match(statements.last()).captured(2).toInt(), v) << statements.last().toStdString();
    totalBytes += bytes.size(), pieces += mt::upgrade::SplitScript(ScriptText(v)).size();
    for (const QString& st : statements) {
      const auto m = kind.match(st.trimmed().toUpper());
      ++kinds[!m.hasMatch() ? "other" : m.captured(2).isEmpty() ? m.captured(1) : "ALTER TABLE ... " + m.captured(2)];
    }
  }
  EXPECT_EQ(ScriptBytes(319), ScriptBytes(320));
  const std::map<QString, int> expected = {
      {"INSERT INTO", 25654}, {"UPDATE", 1004}, {"ALTER TABLE ... ADD", 576}, {"ALTER TABLE ... DROP COLUMN", 94},
      {"DELETE", 61}, {"ALTER TABLE ... ALTER COLUMN", 27}, {"CREATE TABLE", 24}, {"DROP PROCEDURE", 6},
      {"ALTER TABLE ... DROP CONSTRAINT", 4}, {"ALTER TABLE ... ADD CONSTRAINT", 3}, {"DROP TABLE", 3},
      {"SETCOLUMNDESCRIPTION", 130}, {"ALTER TABLE ... RENAME COLUMN", 42}, {"CREATE VIEW", 30},
      {"CREATE PROCEDURE", 8}, {"ALTER TABLE ... RENAME TO", 1}};  // 27,667 statements in all
  EXPECT_EQ(kinds, expected);
  EXPECT_EQ(pieces, 28068);
  EXPECT_NEAR(totalBytes / 1e6, 2.76, 0.005);
}

}  // namespace
