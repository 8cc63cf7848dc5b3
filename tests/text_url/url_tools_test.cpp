#include <gtest/gtest.h>

#include "db/engine.h"
#include "text/url_tools.h"

namespace mt {
namespace {

TEST(GetQueryStringValue, RawValueOfTheFirstMatchingParameter) {
  struct Case {
    const char* url;
    const char* key;
    const char* value;
    bool found;
    bool ignoreCase = false;
    const char* why = "";
  };
  const Case cases[] = {
      {"https://h/p?a=1&b=2", "b", "2", true}, {"https://h/p?a=1&b=2", "c", "", false},
      {"x?flag&a=1", "flag", "", true, false, "a flag without '=' exists, empty"},
      {"x?a=1=2", "a", "1", true, false, "a raw '=' ends the value"},
      {"x?q=%41+B", "q", "%41+B", true, false, "returned as the link holds it"},
      {"x?a=1&a=2", "a", "1", true, false, "the first of repeated parameters wins"},
      {"x?id=5//", "id", "5/", true, false, "one trailing '/' is dropped"},
      {"x?u=a?b&c=1", "u", "a?b", true, false, "only the first '?' starts the query"},
      {"x?a=1#top", "a", "1#top", true, false, "a fragment is not cut off"},
      {"https://h/p?", "a", "", false}, {"x?a=1", "", "", false},
      {"x?a=1& &b=2", "b", "2", true, false, "blank items are skipped"},
      {"x?a=1& b=2", "b", "", false, false, "names are not trimmed"},
      {"x?napm=1", "NaPm", "", false, false, "names compare exactly"},
      {"x?napm=1", "NaPm", "1", true, true}, {"x?NAPM=1&NaPm=2", "NaPm", "2", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.url) + " / " + c.key + " " + c.why);
    bool found = !c.found;
    EXPECT_EQ(GetQueryStringValue(QString::fromUtf8(c.url), QString::fromUtf8(c.key), &found,
                                  QStringLiteral("?"), c.ignoreCase),
              QString::fromUtf8(c.value));
    EXPECT_EQ(found, c.found);
  }
  // found may be omitted, and the query may start at another marker.
  EXPECT_EQ(GetQueryStringValue("x?a=7", "a"), "7");
  EXPECT_EQ(GetQueryStringValue("x#a=7&b=8", "b", nullptr, "#"), "8");
}

// An index outside the bounds fails and keeps the array.
TEST(ArrayTools, UpperBoundAndRemoval) {
  QVariantList abc{"a", "b", "c"};
  EXPECT_EQ(RemoveArrayItem(abc, 1).toList(), (QVariantList{"a", "c"}));
  EXPECT_EQ(abc, (QVariantList{"a", "c"}));
  EXPECT_EQ(GetArrayUBound(abc), 1);
  for (int outside : {2, -1}) EXPECT_THROW(RemoveArrayItem(abc, outside), DbError) << outside;
  EXPECT_EQ(abc, (QVariantList{"a", "c"}));
  QStringList one{"a"};
  RemoveArrayItem(one, 0);
  EXPECT_EQ(GetArrayUBound(one), -1);
}

}  // namespace
}  // namespace mt
