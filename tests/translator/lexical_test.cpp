// The lexical layer: tokens and the date texts Jet reads.
#include <gtest/gtest.h>

#include "db/engine/jet_dates.h"
#include "db/engine/jet_tokenizer.h"
#include "translator/jet_sqlite.h"

namespace mt::engine {
namespace {

// Positions are checked through the syntax errors that name them.
TEST(Tokens, KindsAndText) {
  const TokenList t(QStringLiteral("SELECT Mid$([한글 칸].x, 1.5E+3) <> 'it''s' & \"say \"\"hi\"\"\"\t#7/3/2024#\r\n<=\0.5").replace(u'\0', QChar(0)));
  std::vector<TokenKind> kinds;
  for (size_t i = 0; i < t.size(); ++i) kinds.push_back(t.at(i).kind);
  const std::vector<TokenKind> expected = {
      TokenKind::Word,   TokenKind::Word,   TokenKind::Op,     TokenKind::Bracketed, TokenKind::Op,
      TokenKind::Word,   TokenKind::Op,     TokenKind::Number, TokenKind::Op,        TokenKind::Op,
      TokenKind::String, TokenKind::Op,     TokenKind::String, TokenKind::Date,      TokenKind::Op,
      TokenKind::Number, TokenKind::End};
  EXPECT_EQ(kinds, expected);
  // Each token's raw text, or (for names and literals) the text it stands for.
  const std::pair<size_t, const char*> raw[] = {{1, "Mid$"}, {7, "1.5E+3"}, {9, "<>"}, {14, "<="}};
  for (const auto& [i, text] : raw) EXPECT_EQ(t.raw(t.at(i)), QString::fromUtf8(text)) << i;
  const std::pair<size_t, const char*> texts[] = {{3, "한글 칸"}, {10, "it's"}, {12, "say \"hi\""}, {13, "7/3/2024"}};
  for (const auto& [i, text] : texts) EXPECT_EQ(t.at(i).text, QString::fromUtf8(text)) << i;
  EXPECT_TRUE(t.isWord(t.at(0), "SELECT"));
  EXPECT_FALSE(t.isWord(t.at(0), "SELECTS"));
}

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
  for (const auto& g : good) {
    std::optional<double> d = ParseDateText(QString::fromUtf8(g.text));
    ASSERT_TRUE(d.has_value()) << g.text;
    EXPECT_DOUBLE_EQ(*d, g.serial) << g.text;
  }
  for (const char* bad : {"", "2024-02-30", "13/1/2024", "2024-07-03 25:00", "2024-07-03 10:61", "abc",
                          "2024-07", "2024-07-03 x", "13:00 PM", "2024-07-03 06:00 extra"}) {
    EXPECT_FALSE(ParseDateText(QString::fromUtf8(bad)).has_value()) << bad;
  }
}

}  // namespace
}  // namespace mt::engine
