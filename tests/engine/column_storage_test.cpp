// Value conversions of ALTER COLUMN and recordset writes, DEFAULT clauses and
// the declared types that carry the Jet type.
#include <gtest/gtest.h>

#include <QDateTime>
#include <cmath>

#include "db/engine/column_storage.h"
#include "db/engine/engine.h"
#include "db/engine/translator.h"

namespace mt::engine {
namespace {

int32_t ConvertError(const QVariant& v, JetType from, JetType to) {
  try {
    ConvertStoredValue(v, from, to);
  } catch (const DbError& e) {
    return e.code();
  }
  return 0;
}

TEST(ColumnStorageTest, DeclaredTypesReadBackAsTheirJetType) {
  for (JetType t : {JetType::Text, JetType::Memo, JetType::Long, JetType::Short, JetType::Byte, JetType::Bit,
                    JetType::DateTime, JetType::Single, JetType::Float, JetType::Money, JetType::LongBinary,
                    JetType::Binary, JetType::Guid, JetType::Decimal}) {
    int size = 0;
    EXPECT_EQ(JetTypeFromDeclared(DeclaredType(t, 40), &size), t) << DeclaredType(t, 40).toStdString();
    if (t == JetType::Text) EXPECT_EQ(size, 40);
    EXPECT_EQ(JetTypeFromKeyword(JetTypeKeyword(t)), t);
  }
  // Foreign declarations get the nearest Jet type.
  EXPECT_EQ(JetTypeFromDeclared(QStringLiteral("VARCHAR(12)")), JetType::Text);
  EXPECT_EQ(JetTypeFromDeclared(QStringLiteral("TEXT")), JetType::Memo);
  EXPECT_EQ(JetTypeFromDeclared(QStringLiteral("REAL")), JetType::Float);
  EXPECT_EQ(ValueKindFromDeclared("BIT INTEGER"), ValueKind::Bit);
  EXPECT_EQ(ValueKindFromDeclared("DATETIME REAL"), ValueKind::Date);
  EXPECT_EQ(ValueKindFromDeclared("INTEGER"), ValueKind::Plain);
  EXPECT_EQ(ValueKindFromDeclared(nullptr), ValueKind::Plain);
}

TEST(ColumnStorageTest, ConversionsToNumbers) {
  // Whole numbers round halves to even, as Jet's CLng does.
  EXPECT_EQ(ConvertStoredValue(QStringLiteral(" 2.5 "), JetType::Memo, JetType::Long), QVariant(qint64(2)));
  EXPECT_EQ(ConvertStoredValue(3.5, JetType::Float, JetType::Long), QVariant(qint64(4)));
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("007"), JetType::Text, JetType::Short), QVariant(qint64(7)));
  EXPECT_EQ(ConvertError(qint64(300), JetType::Long, JetType::Byte), dberr::kTypeMismatch);
  EXPECT_EQ(ConvertError(qint64(-1), JetType::Long, JetType::Byte), dberr::kTypeMismatch);
  EXPECT_EQ(ConvertError(qint64(40000), JetType::Long, JetType::Short), dberr::kTypeMismatch);
  EXPECT_EQ(ConvertError(QStringLiteral("12abc"), JetType::Text, JetType::Long), dberr::kTypeMismatch);
  EXPECT_EQ(ConvertError(QStringLiteral("abc"), JetType::Text, JetType::Money), dberr::kTypeMismatch);
  // Empty text and Null become Null.
  EXPECT_FALSE(ConvertStoredValue(QString(), JetType::Text, JetType::Long).isValid());
  EXPECT_FALSE(ConvertStoredValue(QVariant(), JetType::Long, JetType::Text).isValid());
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("1e3"), JetType::Text, JetType::Float), QVariant(1000.0));
}

TEST(ColumnStorageTest, ConversionsToYesNoTextAndDates) {
  EXPECT_EQ(ConvertStoredValue(qint64(1), JetType::Long, JetType::Bit), QVariant(qint64(-1)));
  EXPECT_EQ(ConvertStoredValue(0.0, JetType::Float, JetType::Bit), QVariant(qint64(0)));
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("Yes"), JetType::Text, JetType::Bit), QVariant(qint64(-1)));
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("false"), JetType::Text, JetType::Bit), QVariant(qint64(0)));
  EXPECT_EQ(ConvertError(QStringLiteral("maybe"), JetType::Text, JetType::Bit), dberr::kTypeMismatch);

  EXPECT_EQ(ConvertStoredValue(qint64(-1), JetType::Bit, JetType::Text), QVariant(QStringLiteral("True")));
  EXPECT_EQ(ConvertStoredValue(qint64(42), JetType::Long, JetType::Memo), QVariant(QStringLiteral("42")));
  EXPECT_EQ(ConvertStoredValue(0.25, JetType::Single, JetType::Text), QVariant(QStringLiteral("0.25")));
  const QDateTime stamp(QDate(2024, 7, 4), QTime(5, 38, 45));
  const double days = DateTimeToJet(stamp);
  EXPECT_EQ(ConvertStoredValue(days, JetType::DateTime, JetType::Text),
            QVariant(QStringLiteral("2024-07-04 05:38:45")));
  EXPECT_EQ(ConvertStoredValue(DateTimeToJet(QDateTime(QDate(2024, 7, 4), QTime(0, 0))), JetType::DateTime,
                               JetType::Memo),
            QVariant(QStringLiteral("2024-07-04")));
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("2024-07-04 05:38:45"), JetType::Text, JetType::DateTime),
            QVariant(days));
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("7/4/2024"), JetType::Text, JetType::DateTime).toDouble(),
            std::floor(days));
  EXPECT_EQ(ConvertError(QStringLiteral("someday"), JetType::Text, JetType::DateTime), dberr::kTypeMismatch);
  // Values handed in at the boundary take the column's form.
  EXPECT_EQ(ToStoredValue(true, JetType::Bit), QVariant(qint64(-1)));
  EXPECT_EQ(ToStoredValue(stamp, JetType::DateTime), QVariant(days));
  EXPECT_EQ(ToStoredValue(stamp, JetType::Text), QVariant(QStringLiteral("2024-07-04 05:38:45")));
  EXPECT_EQ(ToStoredValue(7, JetType::Memo), QVariant(QStringLiteral("7")));
}

// The types of imported Jet files keep their values exactly.
TEST(ColumnStorageTest, ConversionsToBinaryGuidAndDecimal) {
  const QByteArray bytes("\x00\x01\xff", 3);
  EXPECT_EQ(ConvertStoredValue(bytes, JetType::LongBinary, JetType::Binary), QVariant(bytes));
  EXPECT_EQ(ConvertError(QStringLiteral("abc"), JetType::Text, JetType::LongBinary), dberr::kTypeMismatch);
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("0a1b2c3d-0000-4000-8000-00000000abcd"), JetType::Text, JetType::Guid),
            QVariant(QStringLiteral("{0A1B2C3D-0000-4000-8000-00000000ABCD}")));
  EXPECT_EQ(ConvertError(QStringLiteral("{not-a-guid}"), JetType::Text, JetType::Guid), dberr::kTypeMismatch);
  // Digits beyond a double's reach survive as text.
  EXPECT_EQ(ConvertStoredValue(QStringLiteral(" 12345678901234567890.1234 "), JetType::Text, JetType::Decimal),
            QVariant(QStringLiteral("12345678901234567890.1234")));
  EXPECT_EQ(ConvertStoredValue(qint64(-7), JetType::Long, JetType::Decimal), QVariant(QStringLiteral("-7")));
  EXPECT_EQ(ConvertStoredValue(QStringLiteral("-0.5"), JetType::Decimal, JetType::Float), QVariant(-0.5));
  EXPECT_EQ(ConvertError(QStringLiteral("x1"), JetType::Text, JetType::Decimal), dberr::kTypeMismatch);
}

TEST(ColumnStorageTest, DefaultClauses) {
  auto clause = [](JetType type, const QString& text) {
    ColumnDef c;
    c.type = type;
    c.defaultValue = DefaultDef{text};
    return DefaultClause(c);
  };
  EXPECT_EQ(clause(JetType::Bit, QStringLiteral("True")).sql, QStringLiteral("-1"));
  EXPECT_EQ(clause(JetType::Bit, QStringLiteral("FALSE")).sql, QStringLiteral("0"));
  EXPECT_EQ(clause(JetType::Bit, QStringLiteral("1")).sql, QStringLiteral("-1"));
  EXPECT_EQ(clause(JetType::Long, QStringLiteral("-1")).sql, QStringLiteral("-1"));
  EXPECT_EQ(clause(JetType::Memo, QStringLiteral("\"\"")).sql, QStringLiteral("''"));
  EXPECT_EQ(clause(JetType::Memo, QStringLiteral("\"it's \"\"5,100|10,100\"\"\"")).sql,
            QStringLiteral("'it''s \"5,100|10,100\"'"));
  EXPECT_TRUE(clause(JetType::Long, QStringLiteral("NULL")).sql.isEmpty());
  EXPECT_TRUE(clause(JetType::DateTime, QStringLiteral("Now()")).sql.contains(QStringLiteral("julianday")));
  EXPECT_FALSE(clause(JetType::DateTime, QStringLiteral("NOW")).constant);
  EXPECT_TRUE(clause(JetType::DateTime, QStringLiteral("0")).constant);
  EXPECT_EQ(clause(JetType::DateTime, QStringLiteral("#1899-12-31#")).sql, QStringLiteral("1"));
  EXPECT_THROW(clause(JetType::Long, QStringLiteral("Rnd()")), DbError);
  EXPECT_THROW(clause(JetType::Memo, QStringLiteral("\"a") + QChar(u'\0') + QStringLiteral("b\"")), DbError);
}

}  // namespace
}  // namespace mt::engine
