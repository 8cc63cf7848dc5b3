// Damaged and random statements: the translator answers every one with a
// translation or a syntax error, and what it translates SQLite can parse.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>

#include "db/jetsql/translator.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

const char* const kSeeds[] = {
    "DELETE * FROM TTaskLog WHERE LogDate < DATEADD(\"d\", -3, NOW())",
    "SELECT T.IDX, Count(*) AS N, Format(Max(L.LogDate), 'yyyy-mm-dd') FROM (TTaskList AS T LEFT JOIN TTaskLog AS L "
    "ON T.IDX = L.TaskIDX) RIGHT JOIN TCodes AS C ON C.Val = T.IDX WHERE T.Arg1 LIKE 'a%' AND L.UserIDX IN (1, 2) "
    "GROUP BY T.IDX HAVING Count(*) BETWEEN 1 AND 9 ORDER BY T.IDX DESC",
    "UPDATE TTaskList INNER JOIN TTaskLog ON TTaskList.IDX = TTaskLog.TaskIDX SET TTaskList.ContentKey = "
    "\"102|\" + TTaskLog.Arg1 WHERE IIF(ISNULL(TTaskLog.UserId), '', TTaskLog.UserId) LIKE '' AND Mid(Arg2, 2, 3) <> 'x'",
    "CREATE TABLE [T] ([a] TEXT(50) WITH COMPRESSION NOT NULL DEFAULT \"\", b LONG DEFAULT -1, "
    "CONSTRAINT [PrimaryKey] PRIMARY KEY ([a], [b]))",
};

const char* const kVocabulary[] = {
    "SELECT", "FROM", "WHERE", "(", ")", ",", "[x]", "'s'", "\"d\"", "#2024-01-01#", "1", "-", "+", "*", "&",
    "=", "<>", "AND", "OR", "NOT", "IN", "LIKE", "BETWEEN", "IS", "NULL", "EXISTS", "TOP", "ORDER", "BY", "GROUP",
    "INNER", "LEFT", "RIGHT", "JOIN", "ON", "AS", "INSERT", "INTO", "VALUES", "UPDATE", "SET", "DELETE", "Mid",
    "IIF", ".", "*", "t", "Count", "CREATE", "TABLE", "TEXT", "(50)", "ALTER", "ADD", "DROP", "DEFAULT", "UNION", ";",
    "PARAMETERS", "\\", "Mod", "^",
};

// Tokens of a statement, split at blanks and around punctuation.
QStringList Pieces(const QString& sql) {
  static const QRegularExpression piece(QStringLiteral("[(),=]|[^ (),=]+"));
  QStringList out;
  for (auto it = piece.globalMatch(sql); it.hasNext();) out << it.next().captured();
  return out;
}

class Robustness : public ::testing::Test {
 protected:
  void SetUp() override {
    db.RunSql("CREATE TABLE TTaskList (IDX INTEGER, Arg1 TEXT, Arg2 TEXT, ContentKey TEXT)");
    db.RunSql("CREATE TABLE TTaskLog (TaskIDX INTEGER, LogDate REAL, Arg1 TEXT, UserIDX INTEGER, UserId TEXT)");
    db.RunSql("CREATE TABLE TCodes (Val INTEGER)");
  }

  // Translates `sql`; a translation that is SQL must parse in SQLite.
  void Check(const QString& sql) {
    Command c;
    try {
      c = Translate(sql);
    } catch (const DbError& e) {
      ASSERT_EQ(e.code(), dberr::kSyntax) << sql.toStdString();
      ASSERT_FALSE(e.description().isEmpty());
      return;
    }
    const SqlStatement* st = std::get_if<SqlStatement>(&c);
    if (!st) return;
    try {
      sqlite3_finalize(db.Prepare(st->sql));
    } catch (const DbError& e) {
      EXPECT_FALSE(e.description().contains("syntax error") || e.description().contains("unrecognized token"))
          << sql.toStdString() << "\n  -> " << e.description().toStdString();
    }
  }

  test::JetSqlite db;
};

// The seeds translate and parse; damaged copies of them, random runs of the
// statement vocabulary and of arbitrary characters are translated or refused
// as syntax errors.
TEST_F(Robustness, DamagedAndRandomStatementsAreOnlyEverSyntaxErrors) {
  QRandomGenerator rng(20240703);
  const auto pick = [&](int n) { return static_cast<int>(rng.bounded(n)); };
  const auto word = [&] { return QString::fromUtf8(kVocabulary[pick(int(std::size(kVocabulary)))]); };
  for (const char* seed : kSeeds) {
    const QString sql = QString::fromUtf8(seed);
    EXPECT_EQ(test::TranslateError(sql), QString()) << seed;
    Check(sql);
    for (int round = 0; round < 300 && !HasFatalFailure(); ++round) {
      QStringList p = Pieces(sql);
      for (int e = 1 + pick(3); e > 0 && !p.isEmpty(); --e) {
        const int at = pick(int(p.size()));
        switch (pick(4)) {
          case 0: p.removeAt(at); break;
          case 1: p.insert(at, word()); break;
          case 2: p.swapItemsAt(at, pick(int(p.size()))); break;
          default: p = p.mid(0, at); break;
        }
      }
      Check(p.join(u' '));
    }
  }
  const QString alphabet = QStringLiteral("SELECT FROM WHERE ()[]'\"#,.;=<>+-*/\\&!?^%_@$0123456789 한글\t\r\n");
  for (int round = 0; round < 3000 && !HasFatalFailure(); ++round) {
    QStringList p;
    for (int i = 1 + pick(25); i > 0; --i) p.append(word());
    Check(p.join(u' '));
    QString s;
    for (int i = pick(40); i > 0; --i) s += alphabet[pick(int(alphabet.size()))];
    Check(s);
  }
}

}  // namespace
}  // namespace mt::engine
