// The date texts Jet reads (tokens are read by every statement of the
// translator tests).
#include <gtest/gtest.h>

#include "db/jetsql/jet_dates.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

TEST(Dates, TextFormsJetReads) {
  const struct {
    const char* text;
    double serial;
  } good[] = {
      {"2024-07-03", 45476},         {"2024/7/3", 45476},          {"7/3/2024", 45476},
      {"07/03/24", 45476},           {"1/1/30", 10959},            {"2024-07-03 18:00", 45476.75},
      {"2024-07-03 6:00:00 pm", 45476.75}, {"12:00 AM", 0},        {"12:00:00 PM", 0.5},
      {"  2024-07-03T06:00:00 ", 45476.25}, {"1899-12-30", 0},     {"1899-12-29 18:00", -1.75},
  };
  for (const auto& g : good) EXPECT_EQ(ParseDateText(QString::fromUtf8(g.text)), std::optional(g.serial)) << g.text;
  for (const char* bad : {"", "2024-02-30", "13/1/2024", "2024-07-03 25:00", "2024-07-03 10:61", "abc",
                          "2024-07", "2024-07-03 x", "13:00 PM", "2024-07-03 06:00 extra"}) {
    EXPECT_FALSE(ParseDateText(QString::fromUtf8(bad)).has_value()) << bad;
  }
}

}  // namespace
}  // namespace mt::engine
