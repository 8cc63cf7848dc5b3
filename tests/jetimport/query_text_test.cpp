// Saved queries rebuilt from their definition rows: the shapes the test files
// do not hold, and the definitions that make no statement.
#include "jetimport/query_text.h"

#include <gtest/gtest.h>

namespace mt::jetimport {
namespace {

QueryRow Row(int attribute, int flag = 0, const char* name1 = "", const char* name2 = "", const char* expression = "") {
  return QueryRow{attribute, flag, QString::fromUtf8(name1), QString::fromUtf8(name2), QString::fromUtf8(expression)};
}

TEST(QueryText, RebuildsEachShapeOrSaysWhyNot) {
  struct Case {
    std::vector<QueryRow> rows;
    const char* sql;     // empty: refused
    const char* reason;  // part of the reason when refused
    bool view = false;
  } const cases[] = {
      {{Row(1, 1), Row(3, 0x10 | 0x20, "10"), Row(5, 0, "Orders", "o"), Row(6, 0, "Total", "", "Sum(o.Freight)"),
        Row(9, 0, "", "", "o.ShipVia"), Row(11, 0, "D", "", "o.ShipVia")},
       "SELECT TOP 10 PERCENT Sum(o.Freight) AS Total FROM Orders AS o GROUP BY o.ShipVia ORDER BY o.ShipVia DESC", "",
       true},
      {{Row(1, 3, "Log"), Row(6, 0, "", "Msg", "\"x\""), Row(6, 0, "", "At", "Now()")},
       "INSERT INTO Log (Msg, At) VALUES (\"x\", Now())", ""},
      {{Row(1, 1), Row(5, 0, "Umsätze")}, "SELECT * FROM [Umsätze]", "", true},
      {{Row(6, 0, "", "", "1")}, "", "no type row"},
      {{Row(1, 42)}, "", "unknown kind 42"},
      {{Row(1, 9), Row(5, 0, "", "X7YZ_____1", "SELECT 1")}, "", "fewer than two parts"},
      {{Row(1, 1), Row(5, 0, "A"), Row(6, 0, "", "", "A.x"), Row(7, 1, "A", "B", "A.x = B.x")}, "", "does not read"},
      {{Row(1, 7)}, "", "no text"},
  };
  for (const Case& c : cases) {
    QString why;
    const auto text = RebuildQuery(c.rows, &why);
    if (*c.sql) {
      ASSERT_TRUE(text) << c.sql << ": " << why.toStdString();
      EXPECT_EQ(text->sql, QString::fromUtf8(c.sql));
      EXPECT_EQ(text->isView, c.view) << c.sql;
    } else {
      EXPECT_FALSE(text) << c.reason;
      EXPECT_TRUE(why.contains(QLatin1String(c.reason))) << why.toStdString();
    }
  }
}

}  // namespace
}  // namespace mt::jetimport
