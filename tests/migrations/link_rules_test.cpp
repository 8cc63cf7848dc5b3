// The pure link and key rules of the code migrations, without a database
// (the cases the database tests already go through are not repeated here).
#include <gtest/gtest.h>

#include "app/globals.h"
#include "migrations/channel_keys.h"
#include "migrations/endpoints.h"
#include "migrations/place_urls.h"
#include "migrations/shopping_keys.h"
#include "support/fake_services.h"

#include <stdexcept>

namespace mt {
namespace {

using namespace endpoints;

const QString kCatalog = QStringLiteral("https://") + MobileShoppingHost + QStringLiteral("/catalog/");

QString Https(const QString& host, const QString& path) { return QStringLiteral("https://") + host + path; }

QString Key(const QString& arg1, const QString& arg2, const QString& category = "Other") {
  return GetActionContentKey(1, arg1, arg2, "", "", category, -1);
}

// Each input of a rule with its output.
template <typename Rule>
void ExpectRule(Rule rule, std::initializer_list<std::pair<QString, QString>> cases) {
  for (const auto& [in, out] : cases) EXPECT_EQ(rule(in), out) << in.toStdString();
}

TEST(ShoppingLinks, ItemIdsAndCatalogLinks) {
  ExpectRule(GetShoppingMid, {
      {"https://h/detail/lite?nv_mid=1&nvMid=2", "1"},
      {"https://h/detail/lite?nvMid=2", "2"},
      {"https://h/detail/detail/catalog/777?x=1", "777"},
      {"https://h/detail/detail/catalog/777", ""},
      {"https://h/catalog/5?nv_mid=&nvMid=6", "6"},  // an empty nv_mid falls through
      {"https://h/catalog/5?nv_mid=", "5"},
  });
  EXPECT_EQ(MakeShoppingURL("9", "", ""), kCatalog + "9");
  EXPECT_EQ(MakeShoppingURL("9", QString::fromUtf8("운동화 끈"), "n"),
            kCatalog + "9?NaPm=n&query=%EC%9A%B4%EB%8F%99%ED%99%94%20%EB%81%88");
  ExpectRule(ConvertToMobileCatalogURL, {
      // "+" and "%20" both end as "%20"; other escapes are re-encoded canonically.
      {"https://x/detail/lite?nv_mid=1&query=a%20b%2fc", kCatalog + "1?query=a%20b%2Fc"},
      {"https://x/detail/detail/catalog/777?x=1", kCatalog + "777"},
      {"https://x/detail/lite?nv_mid=1&NAPM=1", kCatalog + "1"},          // names are case-sensitive
      {"https://x/detail/lite?nv_mid=1&NaPm=a=b", kCatalog + "1?NaPm=a"},  // a raw "=" ends a value
      {"https://x/detail/lite?nv_mid=1&query=ab%zzcd", kCatalog + "1?query=ab"},  // cut at a bad escape
      {"https://x/detail/lite?nv_mid=1&query=%zz", kCatalog + "1"},  // decodes to nothing: dropped
      // Other shapes stay unchanged.
      {"https://x/detail/detail/catalog/777", "https://x/detail/detail/catalog/777"},
      {"https://m.example/catalog/5?nv_mid=5&query=a+b", "https://m.example/catalog/5?nv_mid=5&query=a+b"},
      {"https://x/Detail/Lite?nv_mid=1", "https://x/Detail/Lite?nv_mid=1"},
      {"not a link", "not a link"},
  });
}

TEST(PlaceLinks, LinksAndKeysBecomeMobilePlaceOnes) {
  ExpectRule(NormalizePlaceLink, {
      {Https(MobilePlaceHost, "/hospital/detail?id=55"), Https(MobilePlaceHost, "/hospital/55")},
      {Https(PlaceHost, "/common/31?entry=1"), Https(MobilePlaceHost, "/hospital/31")},
      {Https(MobilePlaceHost, "/nailshops/1"), Https(MobilePlaceHost, "/nailshop/1")},
      {Https(MobilePlaceHost, "/Restaurants/1"), Https(MobilePlaceHost, "/Restaurants/1")},  // own case only
      {"see http://x", "see http://x"},
      {Https(MobilePlaceHost, "/place/9/detail?tab=1"), Https(MobilePlaceHost, "/place/9/detail?tab=1")},
      {"http://other.example/a?b=1&c=2", "https://other.example/a"},
      {"https://my" + StoreHost + "/x", "https://my" + PlaceHost + "/x"},  // any host ending so
  });
  ExpectRule(NormalizePlaceContentKey, {
      {"0|http://" + PlaceHost + "/restaurants/12345/home", "113|12345"},
      {"0|https://" + MobilePlaceHost + "/common/31?entry=1", "113|31"},
      {"0|https://" + StoreHost + "/hairshops/8", "113|8"},
      {"102|abc", "102|abc"},
      {"0|https://other.example/restaurant/1", "0|https://other.example/restaurant/1"},
      {"0|see http://x", "0|see https://x"},  // unlike the link rule: anywhere in a key
      {"0|a/home/b?c=1", "0|a/b"},            // "/home" anywhere; a query is cut
      // Keys of items and details keep their queries, '&' included.
      {"113|31|item?x=1&y=2", "113|31|item?x=1&y=2"}, {"113|55|detail?a=1", "113|55|detail?a=1"},
  });
}

TEST(ActionContentKey, BlogChannelAndFallbackKeys) {
  const QString channel = QStringLiteral("Mobile_Naver_Channel");
  const QString bare = "https://" + BlogHost + "/";
  const struct {
    QString arg1, arg2, category, key;
  } cases[] = {
      {"", "https://m." + BlogHost + "/view?blogId=abc&logNo=223", "Other", "102|abc/223"},
      {"", "https://" + BlogHost + "/abc?Redirect=Log&logNo=223", "Other", "102|abc/223"},
      {"", "HTTPS://M." + BlogHost.toUpper() + "/abc/1", "Other", "102|abc/1"},
      {"", "https://" + BlogHost + "/view?blogId=abc", "Other", "102|abc/"},
      // Parameter names only in their exact case.
      {"", "https://" + BlogHost + "/view?blogid=abc&logNo=1", "Other", "102|view?blogid=abc&logNo=1"},
      {"", "https://" + BlogHost + ".evil/abc", "Other", "0|https://" + BlogHost + ".evil/abc"},
      {"", "http://abc." + BlogAliasDomain + "/223", "Other", "102|abc/223"},
      // The greedy prefix runs to the last alias host followed by "/".
      {"", "http://abc." + BlogAliasDomain + "/x." + BlogAliasDomain + "/9", "Other", "102|abc/9"},
      {"", "http://abc." + BlogAliasDomain + "/", "Other", "102|http://abc." + BlogAliasDomain + "/"},
      {"kw", bare, channel, "102|" + bare},
      {"kw", bare, "Other", "102|" + bare},
      {"kw", "https://ch.example/1", channel, "102|https://ch.example/1"},
      {"kw", "", channel, "102|kw"},
      {"", "", channel, "102|"},
      {"kw", "", "Mobile-Naver-Channel", "0|"},  // the category must match exactly
      {"kw", "https://ch.example/1", "Other", "0|https://ch.example/1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Key(c.arg1, c.arg2, c.category), c.key) << c.arg2.toStdString();
}

// Whatever fails inside (here the pattern service, at its first or second
// use) is logged, and the key is made of what was computed until then.
TEST(ActionContentKey, AnyFailureInsideIsLoggedAndTheKeyStillMade) {
  test::SpineScope spine;
  Globals().LoggingEnabled = true;
  for (const int failingCall : {1, 2}) {
    int calls = 0;
    SetLinkPatternService([&](const QString&, const QString&) -> qsizetype {
      if (++calls == failingCall) throw std::runtime_error("no pattern service");
      return 8 + BlogHost.size() + 1;  // the blog prefix matched, nothing after it
    });
    EXPECT_EQ(Key("", "https://" + BlogHost + "/"), failingCall == 1 ? "0|" : "102|");
  }
  SetLinkPatternService(nullptr);
  EXPECT_EQ(spine.folder.LogMessages().filter("ERROR: modMain.GetActionContentKey Line = ").size(), 2);
  EXPECT_EQ(spine.folder.LogMessages().filter("GetActionContentKey end. ").size(), 2);
  EXPECT_EQ(Key("", "http://" + BlogHost + "/abc/223"), "102|abc/223");
}

}  // namespace
}  // namespace mt
