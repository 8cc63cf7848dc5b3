// Value conversions of ALTER COLUMN and recordset writes, and the Jet type of
// a type declared outside the engine.
#include <gtest/gtest.h>

#include <QDateTime>
#include <cmath>

#include "db/store/column_storage.h"
#include "db/engine.h"
#include "db/jetsql/translator.h"

namespace mt::engine {
namespace {

// Each case: a stored value of one type converted to another; an invalid
// expected value means Null, kMismatch a type mismatch.
TEST(ColumnStorageTest, ConversionsBetweenJetTypesAndForeignDeclarations) {
  using enum JetType;
  const QVariant kMismatch = "<type mismatch>";
  const QDateTime stamp(QDate(2024, 7, 4), QTime(5, 38, 45));
  const double days = DateTimeToJet(stamp);
  const QByteArray bytes("\x00\x01\xff", 3);
  const struct {
    QVariant value;
    JetType from, to;
    QVariant expected;
  } cases[] = {
      // Whole numbers round halves to even, as Jet's CLng does.
      {" 2.5 ", Memo, Long, qint64(2)}, {3.5, Float, Long, qint64(4)}, {qint64(40000), Long, Short, kMismatch},
      {"abc", Text, Money, kMismatch}, {QVariant(), Long, Text, {}}, {qint64(3), Long, Text, "3"},
      {"1e3", Text, Float, 1000.0}, {qint64(1), Long, Bit, qint64(-1)}, {"Yes", Text, Bit, qint64(-1)},
      {"false", Text, Bit, qint64(0)}, {"maybe", Text, Bit, kMismatch}, {qint64(-1), Bit, Text, "True"},
      {days, DateTime, Text, "2024-07-04 05:38:45"}, {std::floor(days), DateTime, Memo, "2024-07-04"},
      {"7/4/2024", Text, DateTime, std::floor(days)}, {"someday", Text, DateTime, kMismatch},
      // The types of imported Jet files keep their values exactly.
      {bytes, LongBinary, Binary, bytes}, {"abc", Text, LongBinary, kMismatch},
      {"0a1b2c3d-0000-4000-8000-00000000abcd", Text, Guid, "{0A1B2C3D-0000-4000-8000-00000000ABCD}"},
      // Digits beyond a double's reach survive as text.
      {" 12345678901234567890.1234 ", Text, Decimal, "12345678901234567890.1234"},
      {"-0.5", Decimal, Float, -0.5}, {"x1", Text, Decimal, kMismatch},
      // Currency is stored as its count of ten-thousandths.
      {qint64(15000), Money, Float, 1.5}, {2.5, Float, Money, qint64(25000)}, {qint64(-3), Long, Money, qint64(-30000)},
      {" 1.23455 ", Text, Money, qint64(12346)}, {"1e300", Text, Money, kMismatch},
      {qint64(9223372036854775807), Money, Text, "922337203685477.5807"}, {qint64(5), Money, Decimal, "0.0005"},
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
  EXPECT_EQ(ToStoredValue(stamp, Text), QVariant("2024-07-04 05:38:45"));
  EXPECT_EQ(ToStoredValue(7, Memo), QVariant("7"));
  // A table made outside the engine gets the nearest Jet type.
  int size = 0;
  EXPECT_EQ(JetTypeFromDeclared("VARCHAR(12)", &size), Text);
  EXPECT_EQ(size, 12);
  EXPECT_EQ(JetTypeFromDeclared("TEXT"), Memo);
  EXPECT_EQ(JetTypeFromDeclared("REAL"), Float);
}

}  // namespace
}  // namespace mt::engine
