// Value conversions of ALTER COLUMN and recordset writes, and the Jet type of
// a type declared outside the engine.
#include <gtest/gtest.h>

#include <QDateTime>
#include <cmath>

#include "db/engine/column_storage.h"
#include "db/engine/engine.h"
#include "db/engine/translator.h"

namespace mt::engine {
namespace {

// Each case: a stored value of one type converted to another; an invalid
// expected value means Null, kMismatch a type mismatch.
TEST(ColumnStorageTest, ConversionsBetweenJetTypesAndForeignDeclarations) {
  const QVariant kMismatch = QStringLiteral("<type mismatch>");
  const QDateTime stamp(QDate(2024, 7, 4), QTime(5, 38, 45));
  const double days = DateTimeToJet(stamp);
  const QByteArray bytes("\x00\x01\xff", 3);
  const struct {
    QVariant value;
    JetType from, to;
    QVariant expected;
  } cases[] = {
      // Whole numbers round halves to even, as Jet's CLng does.
      {QStringLiteral(" 2.5 "), JetType::Memo, JetType::Long, qint64(2)},
      {3.5, JetType::Float, JetType::Long, qint64(4)},
      {qint64(40000), JetType::Long, JetType::Short, kMismatch},
      {QStringLiteral("abc"), JetType::Text, JetType::Money, kMismatch},
      {QVariant(), JetType::Long, JetType::Text, {}}, {qint64(3), JetType::Long, JetType::Text, QStringLiteral("3")},
      {QStringLiteral("1e3"), JetType::Text, JetType::Float, 1000.0},
      {qint64(1), JetType::Long, JetType::Bit, qint64(-1)},
      {QStringLiteral("Yes"), JetType::Text, JetType::Bit, qint64(-1)},
      {QStringLiteral("false"), JetType::Text, JetType::Bit, qint64(0)},
      {QStringLiteral("maybe"), JetType::Text, JetType::Bit, kMismatch},
      {qint64(-1), JetType::Bit, JetType::Text, QStringLiteral("True")},
      {days, JetType::DateTime, JetType::Text, QStringLiteral("2024-07-04 05:38:45")},
      {std::floor(days), JetType::DateTime, JetType::Memo, QStringLiteral("2024-07-04")},
      {QStringLiteral("7/4/2024"), JetType::Text, JetType::DateTime, std::floor(days)},
      {QStringLiteral("someday"), JetType::Text, JetType::DateTime, kMismatch},
      // The types of imported Jet files keep their values exactly.
      {bytes, JetType::LongBinary, JetType::Binary, bytes},
      {QStringLiteral("abc"), JetType::Text, JetType::LongBinary, kMismatch},
      {QStringLiteral("0a1b2c3d-0000-4000-8000-00000000abcd"), JetType::Text, JetType::Guid,
       QStringLiteral("{0A1B2C3D-0000-4000-8000-00000000ABCD}")},
      // Digits beyond a double's reach survive as text.
      {QStringLiteral(" 12345678901234567890.1234 "), JetType::Text, JetType::Decimal,
       QStringLiteral("12345678901234567890.1234")},
      {QStringLiteral("-0.5"), JetType::Decimal, JetType::Float, -0.5},
      {QStringLiteral("x1"), JetType::Text, JetType::Decimal, kMismatch},
  };
  for (const auto& c : cases) {
    QVariant got;
    try {
      got = ConvertStoredValue(c.value, c.from, c.to);
    } catch (const DbError& e) {
      got = e.code() == dberr::kTypeMismatch ? kMismatch : QVariant(e.description());
    }
    EXPECT_EQ(got, c.expected) << c.value.toString().toStdString() << " to " << JetTypeKeyword(c.to).toStdString();
  }
  // Values handed in at the boundary take the column's form (Yes/No and
  // dates are written through recordsets in the engine tests).
  EXPECT_EQ(ToStoredValue(stamp, JetType::Text), QVariant(QStringLiteral("2024-07-04 05:38:45")));
  EXPECT_EQ(ToStoredValue(7, JetType::Memo), QVariant(QStringLiteral("7")));
  // A table made outside the engine gets the nearest Jet type.
  int size = 0;
  EXPECT_EQ(JetTypeFromDeclared(QStringLiteral("VARCHAR(12)"), &size), JetType::Text);
  EXPECT_EQ(size, 12);
  EXPECT_EQ(JetTypeFromDeclared(QStringLiteral("TEXT")), JetType::Memo);
  EXPECT_EQ(JetTypeFromDeclared(QStringLiteral("REAL")), JetType::Float);
}

}  // namespace
}  // namespace mt::engine
