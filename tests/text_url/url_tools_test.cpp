#include <gtest/gtest.h>

#include "db/engine/engine.h"
#include "text/url_tools.h"

namespace mt {
namespace {

struct Lookup {
  QString value;
  bool found;
};

Lookup Get(const QString& url, const QString& key, bool ignoreCase = false) {
  Lookup r{QStringLiteral("<unset>"), true};
  r.value = GetQueryStringValue(url, key, &r.found, QStringLiteral("?"), ignoreCase);
  return r;
}

TEST(GetQueryStringValue, FindsNamedParameterAndReportsAbsentOnes) {
  const QString url = QStringLiteral("https://h/p?a=1&b=2");
  EXPECT_EQ(Get(url, "a").value, "1");
  const Lookup b = Get(url, "b");
  EXPECT_EQ(b.value, "2");
  EXPECT_TRUE(b.found);
  const Lookup c = Get(url, "c");
  EXPECT_EQ(c.value, "");
  EXPECT_FALSE(c.found);
}

TEST(GetQueryStringValue, ValueShapes) {
  // A flag without "=" exists with an empty value.
  const Lookup flag = Get("x?flag&a=1", "flag");
  EXPECT_TRUE(flag.found);
  EXPECT_EQ(flag.value, "");
  // A raw "=" ends the value; an empty value is still found.
  EXPECT_EQ(Get("x?a=1=2", "a").value, "1");
  const Lookup empty = Get("x?a=&b=2", "a");
  EXPECT_TRUE(empty.found);
  EXPECT_EQ(empty.value, "");
  // The value is returned as the link holds it.
  EXPECT_EQ(Get("x?q=%41+B", "q").value, "%41+B");
  // The first of repeated parameters wins.
  EXPECT_EQ(Get("x?a=1&a=2", "a").value, "1");
}

TEST(GetQueryStringValue, QueryBoundaries) {
  // One trailing "/" of the query is dropped, not two.
  EXPECT_EQ(Get("x?id=5/", "id").value, "5");
  EXPECT_EQ(Get("x?id=5//", "id").value, "5/");
  // Only the first "?" starts the query; later ones belong to values.
  EXPECT_EQ(Get("x?u=a?b&c=1", "u").value, "a?b");
  EXPECT_EQ(Get("x?u=a?b&c=1", "c").value, "1");
  // A fragment is not cut off.
  EXPECT_EQ(Get("x?a=1#top", "a").value, "1#top");
  for (const char* url : {"https://h/p", "https://h/p?", ""}) {
    const Lookup r = Get(url, "a");
    EXPECT_EQ(r.value, "") << url;
    EXPECT_FALSE(r.found) << url;
  }
  EXPECT_FALSE(Get("x?a=1", "").found);
}

TEST(GetQueryStringValue, BlankItemsAndUntrimmedNames) {
  EXPECT_EQ(Get("x?a=1&&b=2", "b").value, "2");
  EXPECT_EQ(Get("x?a=1& &b=2", "b").value, "2");
  // The name keeps its leading space, so it is not "b".
  const Lookup spaced = Get("x?a=1& b=2", "b");
  EXPECT_FALSE(spaced.found);
  EXPECT_TRUE(Get("x?a=1& b=2", " b").found);
}

TEST(GetQueryStringValue, CaseOfNames) {
  EXPECT_FALSE(Get("x?napm=1", "NaPm").found);
  EXPECT_EQ(Get("x?napm=1", "NaPm", true).value, "1");
  EXPECT_EQ(Get("x?NAPM=1&NaPm=2", "NaPm").value, "2");
}

TEST(GetQueryStringValue, FoundMayBeOmittedAndOtherQueryStart) {
  EXPECT_EQ(GetQueryStringValue("x?a=7", "a"), "7");
  EXPECT_EQ(GetQueryStringValue("x#a=7&b=8", "b", nullptr, "#"), "8");
}

TEST(ArrayTools, UpperBoundAndRemoval) {
  QVariantList abc{"a", "b", "c"};
  EXPECT_EQ(GetArrayUBound(abc), 2);
  const QVariant copy = RemoveArrayItem(abc, 1);
  EXPECT_EQ(abc, (QVariantList{"a", "c"}));
  EXPECT_EQ(copy.toList(), abc);
  RemoveArrayItem(abc, 1);
  EXPECT_EQ(abc, QVariantList{"a"});

  // Removing the only element leaves an array without elements.
  QStringList one{"a"};
  RemoveArrayItem(one, 0);
  EXPECT_TRUE(one.isEmpty());
  EXPECT_EQ(GetArrayUBound(one), -1);

  QStringList first{"a", "b"};
  EXPECT_EQ(RemoveArrayItem(first, 0).toStringList(), QStringList{"b"});
}

TEST(ArrayTools, IndexOutsideBoundsFailsAndKeepsArray) {
  QStringList two{"a", "b"};
  EXPECT_THROW(RemoveArrayItem(two, 2), DbError);
  EXPECT_THROW(RemoveArrayItem(two, -1), DbError);
  EXPECT_EQ(two, (QStringList{"a", "b"}));
  QVariantList none;
  EXPECT_THROW(RemoveArrayItem(none, 0), DbError);
}

}  // namespace
}  // namespace mt
