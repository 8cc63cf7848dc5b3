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

TEST(ShoppingLinks, ItemIdSources) {
  EXPECT_EQ(GetShoppingMid("https://h/detail/lite?nv_mid=1&nvMid=2"), "1");
  EXPECT_EQ(GetShoppingMid("https://h/detail/lite?nvMid=2"), "2");
  EXPECT_EQ(GetShoppingMid("https://h/detail/detail/catalog/777?x=1"), "777");
  EXPECT_EQ(GetShoppingMid("https://h/detail/detail/catalog/777"), "");
  // An empty nv_mid value falls through to the next source.
  EXPECT_EQ(GetShoppingMid("https://h/catalog/5?nv_mid=&nvMid=6"), "6");
  EXPECT_EQ(GetShoppingMid("https://h/catalog/5?nv_mid="), "5");
}

TEST(ShoppingLinks, MakeShoppingUrlSeparators) {
  EXPECT_EQ(MakeShoppingURL("9", "", ""), kCatalog + "9");
  EXPECT_EQ(MakeShoppingURL("9", "", "a%3D"), kCatalog + "9?NaPm=a%3D");
  EXPECT_EQ(MakeShoppingURL("9", "a b", ""), kCatalog + "9?query=a%20b");
  EXPECT_EQ(MakeShoppingURL("9", QString::fromUtf8("운동화 끈"), "n"),
            kCatalog + "9?NaPm=n&query=%EC%9A%B4%EB%8F%99%ED%99%94%20%EB%81%88");
}

TEST(ShoppingLinks, DetailLinksBecomeCatalogLinks) {
  // "+" and "%20" both end as "%20"; other escapes are re-encoded canonically.
  EXPECT_EQ(ConvertToMobileCatalogURL("https://x/detail/lite?nv_mid=1&query=a%20b%2fc"),
            kCatalog + "1?query=a%20b%2Fc");
  EXPECT_EQ(ConvertToMobileCatalogURL("https://x/detail/detail/catalog/777?x=1"), kCatalog + "777");
}

TEST(ShoppingLinks, ParametersCarriedOverAsTheRulesSay) {
  // Names are case-sensitive.
  EXPECT_EQ(ConvertToMobileCatalogURL("https://x/detail/lite?nv_mid=1&NAPM=1"), kCatalog + "1");
  // A raw "=" ends a value.
  EXPECT_EQ(ConvertToMobileCatalogURL("https://x/detail/lite?nv_mid=1&NaPm=a=b"),
            kCatalog + "1?NaPm=a");
  // A malformed escape cuts the search words where it stands.
  EXPECT_EQ(ConvertToMobileCatalogURL("https://x/detail/lite?nv_mid=1&query=ab%zzcd"),
            kCatalog + "1?query=ab");
  // Search words that decode to nothing are dropped.
  EXPECT_EQ(ConvertToMobileCatalogURL("https://x/detail/lite?nv_mid=1&query=%zz"), kCatalog + "1");
}

TEST(ShoppingLinks, OtherShapesStayUnchanged) {
  for (const char* link :
       {"https://x/detail/detail/catalog/777", "https://m.example/catalog/5?nv_mid=5&query=a+b",
        "https://x/Detail/Lite?nv_mid=1", "https://x/detail/lite?id=1", "", "not a link"}) {
    EXPECT_EQ(ConvertToMobileCatalogURL(link), QString::fromUtf8(link)) << link;
  }
}

QString Https(const QString& host, const QString& path) {
  return QStringLiteral("https://") + host + path;
}

TEST(PlaceLinks, Canonicalisation) {
  EXPECT_EQ(NormalizePlaceLink(Https(MobilePlaceHost, "/hospital/detail?id=55")),
            Https(MobilePlaceHost, "/hospital/55"));
  EXPECT_EQ(NormalizePlaceLink(Https(PlaceHost, "/common/31?entry=1")),
            Https(MobilePlaceHost, "/hospital/31"));
  for (const char* plural : {"hospitals", "nailshops", "places"}) {
    const QString singular = QString::fromLatin1(plural).chopped(1);
    EXPECT_EQ(NormalizePlaceLink(Https(MobilePlaceHost, "/" + QString(plural) + "/1")),
              Https(MobilePlaceHost, "/" + singular + "/1"));
  }
}

TEST(PlaceLinks, RulesIgnoreHostsTheyDoNotName) {
  EXPECT_EQ(NormalizePlaceLink("see http://x"), "see http://x");
  EXPECT_EQ(NormalizePlaceLink("http://other.example/a?b=1&c=2"), "https://other.example/a");
  // Any host that ends with the store host is moved as well.
  EXPECT_EQ(NormalizePlaceLink("https://my" + StoreHost + "/x"),
            "https://my" + PlaceHost + "/x");
  // Path words are matched with their slashes and in their own case.
  EXPECT_EQ(NormalizePlaceLink(Https(MobilePlaceHost, "/Restaurants/1")),
            Https(MobilePlaceHost, "/Restaurants/1"));
  EXPECT_EQ(NormalizePlaceLink(""), "");
}

TEST(PlaceKeys, LinkKeysBecomePlaceKeys) {
  EXPECT_EQ(NormalizePlaceContentKey("0|http://" + PlaceHost + "/restaurants/12345/home"), "113|12345");
  EXPECT_EQ(NormalizePlaceContentKey("0|https://" + MobilePlaceHost + "/common/31?entry=1"), "113|31");
  EXPECT_EQ(NormalizePlaceContentKey("0|https://" + StoreHost + "/hairshops/8"), "113|8");
  EXPECT_EQ(NormalizePlaceContentKey("0|https://" + MobilePlaceHost + "/nailshop/4"), "113|4");
}

TEST(PlaceKeys, OtherKeysKeepTheirShape) {
  EXPECT_EQ(NormalizePlaceContentKey("102|abc"), "102|abc");
  EXPECT_EQ(NormalizePlaceContentKey("0|https://other.example/restaurant/1"),
            "0|https://other.example/restaurant/1");
  // Unlike the link rule, "http://" is replaced anywhere in a key.
  EXPECT_EQ(NormalizePlaceContentKey("0|see http://x"), "0|see https://x");
  // "/home" goes wherever it stands; a query is cut unless the key names an item.
  EXPECT_EQ(NormalizePlaceContentKey("0|a/home/b?c=1"), "0|a/b");
}

QString Key(const QString& arg1, const QString& arg2, const QString& category = "Other") {
  return GetActionContentKey(1, arg1, arg2, "", "", category, -1);
}

TEST(ActionContentKey, BlogLinks) {
  EXPECT_EQ(Key("", "https://m." + BlogHost + "/view?blogId=abc&logNo=223"), "102|abc/223");
  EXPECT_EQ(Key("", "http://" + BlogHost + "/abc/223"), "102|abc/223");
  EXPECT_EQ(Key("", "https://" + BlogHost + "/abc?Redirect=Log&logNo=223"), "102|abc/223");
  EXPECT_EQ(Key("", "HTTPS://M." + BlogHost.toUpper() + "/abc/1"), "102|abc/1");
  EXPECT_EQ(Key("", "https://" + BlogHost + "/view?blogId=abc"), "102|abc/");
  // Parameter names only in their exact case: "blogid" is not the blog id.
  EXPECT_EQ(Key("", "https://" + BlogHost + "/view?blogid=abc&logNo=1"),
            "102|view?blogid=abc&logNo=1");
  // A host that merely starts like the blog host does not match.
  EXPECT_EQ(Key("", "https://" + BlogHost + ".evil/abc"), "0|https://" + BlogHost + ".evil/abc");
}

TEST(ActionContentKey, PersonalBlogHosts) {
  EXPECT_EQ(Key("", "http://abc." + BlogAliasDomain + "/223"), "102|abc/223");
  // The greedy prefix runs to the last alias host followed by "/".
  EXPECT_EQ(Key("", "http://abc." + BlogAliasDomain + "/x." + BlogAliasDomain + "/9"),
            "102|abc/9");
  // Nothing after the host: no key from this rule.
  EXPECT_EQ(Key("", "http://abc." + BlogAliasDomain + "/"), "102|http://abc." + BlogAliasDomain + "/");
}

TEST(ActionContentKey, ChannelAndFallback) {
  const QString channel = QStringLiteral("Mobile_Naver_Channel");
  const QString bare = "https://" + BlogHost + "/";
  EXPECT_EQ(Key("kw", bare, channel), "102|" + bare);
  EXPECT_EQ(Key("kw", bare), "102|" + bare);
  EXPECT_EQ(Key("kw", "https://ch.example/1", channel), "102|https://ch.example/1");
  EXPECT_EQ(Key("kw", "", channel), "102|kw");
  EXPECT_EQ(Key("", "", channel), "102|");
  // The category must match exactly here (no wildcard).
  EXPECT_EQ(Key("kw", "", "Mobile-Naver-Channel"), "0|");
  EXPECT_EQ(Key("kw", "https://ch.example/1"), "0|https://ch.example/1");
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
