# Versions 121 to 405.

import collections
import random

import descriptions
import refdata
import sqltext as st
from builder import WC
from columns_late import ADDS
from history_early import added_categories, vtasklist

# Columns added by these versions and dropped again by a later one:
# (added in, table, column, declaration, dropped in).
EXTRA_ADDS = [
    (121, "TUserIdIPs", "PCProfileNo", "LONG DEFAULT 0", 130),
    (121, "TUserIdIPs", "MobileProfileNo", "LONG DEFAULT 0", 130),
    (122, "TUserProfiles", "UserIDX", "LONG DEFAULT 0", 136),
    (130, "TTaskList", "StatDoneCount", "TEXT(255) " + WC, 148),
    (130, "TTaskList", "StatRank", "TEXT(255) " + WC, 148),
    (130, "TTaskList", "StatFrequency", "TEXT(255) " + WC, 148),
    (131, "TTaskLog", "ExchangeType", "LONG DEFAULT 0", 138),
    (150, "TIPKinds", "UseProxy", "BIT DEFAULT False", 196),
    (150, "TIPKinds", "ProxyList", "MEMO " + WC, 196),
    (150, "TIPs", "ProxyPort", "LONG DEFAULT 0", 197),
    (174, "TTaskList", "CityCode", "TEXT(50) " + WC, 203),
    (174, "TUserProfiles", "CityLocationCode", "TEXT(50) " + WC, 289),
    (174, "TUserIdIPs", "CityLocationCode", "TEXT(50) " + WC, 203),
    (212, "TTaskList", "LikeCountDay", "LONG DEFAULT 0", 233),
    (212, "TTaskList", "CommentCountDay", "LONG DEFAULT 0", 233),
    (212, "TTaskList", "ShareCountDay", "LONG DEFAULT 0", 233),
    (237, "TActionList", "ActionDate", "DATE DEFAULT 0", 238),
    (237, "TActionList", "Result", "LONG DEFAULT 0", 239),
    (243, "TUserProfiles", "CookieDir", "TEXT(255) " + WC, 265),
    (250, "TSiteCategories", "IsReadyCafeAction", "BIT DEFAULT False", None),  # renamed 326, dropped 330
    (250, "TTaskList", "CafeActionCount", "LONG DEFAULT 0", 330),
    (250, "TTaskList", "DoneCountCafeAction", "LONG DEFAULT 0", 330),
    (250, "TTaskList", "DoneCountCafeActionInWeb", "LONG DEFAULT 0", 330),
    (250, "TTaskList", "old_CafeActionCount", "LONG DEFAULT 0", 330),
    (250, "TTaskList", "IsPossibleCafeAction", "BIT DEFAULT True", 330),
    (250, "TTaskLogHour", "DoneCountCafeAction", "LONG DEFAULT 0", 330),
    (250, "TTaskLogDay", "DoneCountCafeAction", "LONG DEFAULT 0", 330),
    (250, "TUserIdIPs", "CafeActionCount", "LONG DEFAULT 0", 330),
    (250, "TUserIdIPs", "CafeActionCountDay", "LONG DEFAULT 0", 330),
    (250, "TUserIdIPs", "LastCafeActionDate", "DATETIME DEFAULT 0", 330),
    (250, "TIPKinds", "CafeActionIdPortion", "LONG NOT NULL DEFAULT 0", 330),
    (251, "TTaskLog", "IsCafeAction", "BIT DEFAULT False", 330),
    (266, "TUserProfiles", "NNB_UseCount", "LONG DEFAULT 0", 270),
    (269, "TUserProfiles", "CreateCookieCount", "LONG DEFAULT 0", None),  # renamed 271, dropped 330
    (269, "TUserProfiles", "LastCreateCookieDate", "DATETIME DEFAULT 0", None),
    (281, "TTaskList", "NewPostCheckDate", "DATETIME", 283),
    (286, "TTaskList", "RelatedKeywordList", "MEMO " + WC, 289),
    (296, "TTaskList", "IsTestTask", "BIT DEFAULT False", 330),
    (301, "TSiteCategories", "IsVisibleMT", "BIT DEFAULT True", 330),
    (302, "TIPLog", "TaskIDX", "LONG DEFAULT 0", 315),
    (304, "TSiteCategories", "IsVisibleMTP", "BIT DEFAULT True", 330),
    (307, "TKeywordRequestURL", "PageNo", "LONG DEFAULT 0", 310),
    (308, "TNStoreVisitLog", "VisitDate", "DATETIME", 309),
    (309, "TSiteCategories", "IsVisibleMTS", "BIT DEFAULT True", 330),
    (313, "TKeywordGroup", "KeywordCount", "LONG DEFAULT 0", 316),
    (313, "TUserProfiles", "LoadedCount", "LONG DEFAULT 0", 356),
    (316, "TSiteCategories", "IsVisibleMTW", "BIT DEFAULT True", 330),
    (320, "TUserAgentsRaw", "Remark", "TEXT(255)", 359),
    (323, "TTaskLog", "ShopRankerPage", "LONG DEFAULT 0", 324),
    (323, "TTaskLogDay", "ShopRankerRank", "LONG DEFAULT 0", 324),
    (325, "TSiteCategories", "IsVisibleMTX", "BIT DEFAULT True", 330),
    (349, "TTaskList", "AltKeywordList", "MEMO " + WC, 351),
    (349, "TTaskLog", "AltKeyword", "TEXT(255) " + WC, 351),
    (360, "TTaskList", "NvMid", "TEXT(50) " + WC, 367),
    (360, "TTaskLog", "NvMid", "TEXT(50) " + WC, 369),
    (368, "TUserProfileUsedData", "UsedCount", "LONG DEFAULT 0", 370),
    (383, "TTaskLog", "IsTrafficTask", "BIT DEFAULT False", 384),
    (397, "TTaskList", "TaskVer", "LONG DEFAULT 0", 398),
]

TEMPORARY = {(t, c) for _v, t, c, _d, _drop in EXTRA_ADDS}

# Columns dropped by version (besides the ones listed above).
EXTRA_DROPS = {
    127: [("TTaskLog", "DoneType")],
    134: [("TIPs", "LastUsedDate")],
    330: [("TSiteCategories", "IsReadyBrisklet"), ("TUserProfiles", "ccn"), ("TUserProfiles", "lccd")],
}

CODE_MIGRATIONS = {298, 299, 319, 329, 335, 338}

def build(h):
    adds = collections.defaultdict(list)
    for v, t, c, d in ADDS:
        adds[v].append((t, c, d))
    for v, t, c, d, _drop in EXTRA_ADDS:
        adds[v].append((t, c, d))
    drops = collections.defaultdict(list)
    for _v, t, c, _d, drop in EXTRA_ADDS:
        if drop:
            drops[drop].append((t, c))
    for v, cols in EXTRA_DROPS.items():
        drops[v].extend(cols)

    special = SPECIAL
    for v in range(121, 406):
        if v in CODE_MIGRATIONS:
            continue
        h.at(v)
        fn = special.get(v)
        ctx = Ctx(h, v, adds[v], drops[v])
        if fn:
            fn(ctx)
        ctx.finish()
        if v <= 297 and v != 290:
            h.stamp()


class Ctx:
    """One version's work: the special steps of the version call adds() and
    drops() where they belong; whatever they leave is done at the end."""

    def __init__(self, h, v, adds, drops):
        self.h, self.v = h, v
        self._adds, self._drops = list(adds), list(drops)
        self.added = collections.defaultdict(list)
        self.described = set()

    def adds(self, table=None):
        rest = []
        for t, c, d in self._adds:
            if table is None or t == table:
                self.h.add(t, c, d)
                self.added[t].append(c)
            else:
                rest.append((t, c, d))
        self._adds = rest

    def create(self, table, columns, keys=()):
        """Creates a table with the columns this version also adds to it
        written into the CREATE TABLE itself."""
        mine = [(c, d) for t, c, d in self._adds if t == table]
        self._adds = [a for a in self._adds if a[0] != table]
        self.h.create(table, list(columns) + mine, keys)
        if mine:
            self.added[table].extend(c for c, _ in mine)

    def drops(self):
        for t, c in self._drops:
            self.h.drop(t, c)
        self._drops = []

    def finish(self):
        self.adds()
        self.drops()
        categories(self.h, self.v)
        # From the first descriptions on, new columns are described as they come.
        # Columns meant to go again soon were left undescribed, and a version
        # described at most one table this way.
        if self.v > 175 and not self.described:
            for t in list(self.added):
                cols = [col for col in self.added[t]
                        if self.h.model.has_column(t, col) and (t, col) not in TEMPORARY]
                if cols:
                    describe_new(self, t, "'" if self.v in (331, 345, 353, 365, 372) else '"', cols)
                    break


def categories(h, v):
    added_categories(h, v)
    for lv, cid, name, path, alias in refdata.LATE_CATEGORIES:
        if lv != v:
            continue
        h.insert("TSiteCategories", ["ID", "Type", "SiteCategory", "Path", "Alias", "IsMobile", "IsReady",
                                     "StayStart", "StayEnd", "RankMonitorMethod", "OrderNo", "ViewStayMax"],
                 [cid, 0, name, path, alias, name.startswith("Mobile_"), True, 15, 30, 0, cid, 0])
        # The newest categories reach the last product code only in version 405.
        codes = refdata.PRODUCT_CODES if lv < 378 else refdata.PRODUCT_CODES[:4]
        for pcode in codes:
            cols = ["PCode", "SiteCategoryID", "SiteCategory"]
            vals = [pcode, cid, name]
            if h.model.has_column("TSiteCategoryVisible", "DisplayMode"):
                cols.append("DisplayMode")
                vals.append(1 if pcode == "MTX" else 0)
            h.insert("TSiteCategoryVisible", cols, vals)


def describe_new(ctx, table, quote='"', cols=None):
    """Descriptions for the columns this version added to a table."""
    cols = ctx.added.get(table, []) if cols is None else cols
    ctx.described.add(table)
    if cols:
        ctx.h.describe(table, [(c, descriptions.korean(table, c)) for c in cols], quote)


def describe_table(h, table, columns=None, quote='"', bracket=False):
    cols = columns or [c.name for c in h.model._table(table).columns]
    h.describe(table, [(c, descriptions.korean(table, c)) for c in cols], quote, bracket)


# ----------------------------------------------------------------------------
# Special steps by version.

SPECIAL = {}

# The keyword groups seeded in 313.
KEYWORD_GROUPS = 27
KEYWORDS_PER_GROUP = 88


def at(*versions):
    def register(fn):
        for v in versions:
            SPECIAL[v] = fn
        return fn
    return register


@at(123)
def v123(c):
    c.h.update("UPDATE TUserProfiles SET UsedCountDay = 0")


@at(124)
def v124(c):
    c.h.setting("TaskRatioCookie", 50, 0, "쿠키작업 비율", 51)
    c.h.setting("TaskRatioLogin", 50, 0, "로그인작업 비율", 52)


@at(126)
def v126(c):
    c.adds()
    c.h.update("UPDATE TTaskList SET ContentKey = SiteCategory & '|' & Arg2 WHERE FunctionType = 0")
    c.h.update("UPDATE TTaskList SET DomainType = 1 WHERE SiteCategory LIKE '%Naver%'")
    c.h.view("VTaskList", vtasklist(126))


@at(135)
def v135(c):
    c.h.alter("TTaskList", "AddVisitRatio", "LONG NOT NULL DEFAULT 50")


@at(139)
def v139(c):
    c.adds()
    for val, text, desc in [(0, "", "전체"), (1, "Naver", "네이버쇼핑"), (2, "Coupang", "쿠팡"),
                            (3, "11st", "11번가"), (4, "Gmarket", "G마켓"), (5, "Auction", "옥션")]:
        c.h.code("MallInfo", val, text, desc)


@at(141, 146, 152, 154, 160, 164, 170, 172, 176, 180, 181, 184, 185, 187, 188, 189, 190, 191, 192,
    198, 199, 201, 202, 210, 218, 219, 220, 222, 224, 225, 229, 235, 240, 244, 246, 247, 248, 249,
    254, 255, 256, 258, 261, 263, 264, 267, 268, 280, 287, 291, 293, 295, 306, 337, 390, 394, 399,
    401, 402, 403, 404)
def small_step(c):
    """Versions that only tuned settings and rows."""
    v = c.v
    h = c.h
    if v % 5 == 0:
        h.update("UPDATE TSettings SET Val2 = '%d' WHERE ID = 'Stay.TaskTerm'" % (8 + v % 7))
    elif v % 5 == 1:
        h.update("UPDATE TSiteCategories SET IsReady = True WHERE ID = %d" % (1 + v % 22))
    elif v % 5 == 2:
        h.update("UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'")
    elif v % 5 == 3:
        h.update("UPDATE TSettings SET Val1 = '%d' WHERE ID = 'SyncInterval'" % (3 + v % 4))
    else:
        h.update("UPDATE TIPKinds SET FailCount = 0 WHERE FailCount > 0")


@at(148)
def v148(c):
    h = c.h
    h.create("TTaskStatistics", [("IDX", "AUTOINCREMENT"), ("webSN", "LONG NOT NULL DEFAULT 0"),
                                 ("LogDate", "DATETIME"), ("DoneCount", "TEXT(255) " + WC),
                                 ("Frequency", "TEXT(255) " + WC), ("Rank", "TEXT(255) " + WC)],
             [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    c.adds()
    h.raw("INSERT INTO TTaskStatistics (webSN, LogDate, DoneCount, Frequency, Rank)\n"
          "SELECT webSN, Now(), StatDoneCount, StatFrequency, StatRank FROM TTaskList WHERE webSN > 0", "insert")


@at(150)
def v150(c):
    c.adds()
    c.h.alter("TTaskList", "ContentKey", "TEXT(255) %s DEFAULT \"\"" % WC)


@at(151)
def v151(c):
    c.h.code("FunctionType", 4, "PageView", "페이지뷰")


@at(153)
def v153(c):
    c.h.alter("TTaskList", "RankRate",
              "TEXT(100) %s DEFAULT \"5,100|10,100|20,100|30,100|40,100|100,100|100,100\"" % WC)


@at(165)
def v165(c):
    c.adds()
    c.h.view("VTaskList", vtasklist(165))


@at(166)
def v166(c):
    c.h.alter("TTaskList", "ContentKey", "MEMO %s DEFAULT \"\"" % WC)


CITY_COLUMNS_173 = [("Code", "TEXT(50) %s NOT NULL" % WC), ("Region0", "TEXT(50) " + WC),
                    ("Region1", "TEXT(50) " + WC), ("Region2", "TEXT(50) " + WC), ("Region3", "TEXT(50) " + WC),
                    ("Ratio", "LONG NOT NULL DEFAULT 0"), ("Latitude", "FLOAT NOT NULL DEFAULT 0"),
                    ("Longitude", "FLOAT NOT NULL DEFAULT 0"), ("Range", "LONG NOT NULL DEFAULT 0")]
CITY_COLUMNS_206 = CITY_COLUMNS_173 + [
    ("RatioInit", "LONG DEFAULT 0"), ("LatitudeInit", "FLOAT DEFAULT 0"), ("LongitudeInit", "FLOAT DEFAULT 0"),
    ("RangeInit", "LONG DEFAULT 0"), ("Population", "LONG NOT NULL DEFAULT 0"),
    ("HasChild", "BIT NOT NULL DEFAULT False")]


def city_inserts(h, rows, columns, compact=False):
    # The *Init columns start as copies of the live ones (set by the next script).
    names = [c for c, _ in columns if not c.endswith("Init")]
    for r in rows:
        values = [r[n] for n in names]
        if not compact:
            h.insert("TCityLocations", ["[Range]" if n == "Range" else n for n in names], values)
            continue
        # The full table of 206 came from an export: coordinates to four
        # decimals, Yes/No as -1/0, values without blanks after the commas.
        values = [round(v, 4) if n in ("Latitude", "Longitude") else -int(v) if n == "HasChild" else v
                  for n, v in zip(names, values)]
        h.model.require("TCityLocations", names)
        h.raw("INSERT INTO TCityLocations (%s) VALUES (%s)"
              % (", ".join("[Range]" if n == "Range" else n for n in names),
                 ",".join(st.q(v, h.quote) for v in values)), "insert")


def city_subset(level_limit, count):
    """The first rows of the country table down to a level, cut to `count`:
    level 1 gives the provinces and the first districts; level 2 every
    province and district, and the dongs of Sejong, which has no districts."""
    everything = refdata.city_locations()
    rows = [r for r in everything if not r["Region3"]]
    if level_limit == 1:
        provinces = [r for r in rows if not r["Region2"]]
        districts = [r for r in rows if r["Region2"]]
        return provinces + districts[:count - len(provinces)]
    sejong = [r for r in everything if r["Region3"] and r["Region1"] == "세종특별자치시"]
    rows = sorted(rows + sejong[:count - len(rows)], key=lambda r: r["Code"])
    if len(rows) != count:
        raise SystemExit("city rows: %d, not %d" % (len(rows), count))
    return rows


@at(173)
def v173(c):
    h = c.h
    h.create("TCityLocations", CITY_COLUMNS_173, [("PrimaryKey", "PRIMARY KEY", ["Code"])])
    city_inserts(h, city_subset(1, 85), CITY_COLUMNS_173)
    c.adds()


@at(174)
def v174(c):
    h = c.h
    h.create("TCityLocationRatio", [("Region1", "TEXT(50) %s NOT NULL" % WC), ("Ratio", "LONG NOT NULL DEFAULT 0")],
             [("PrimaryKey", "PRIMARY KEY", ["Region1"])])
    for r in refdata.city_locations():
        if not r["Region2"]:
            h.insert("TCityLocationRatio", ["Region1", "Ratio"], [r["Region1"], r["Ratio"]])


@at(175)
def v175(c):
    h = c.h
    order = ["TSettings", "TCodes", "TSiteCategories", "TTaskList", "TTaskLog", "TTaskLogHour", "TTaskLogDay",
             "TTaskLogInterval", "TIPs", "TMACPrefixes", "TIPKinds", "TUserIdIPs", "TUserActions",
             "TUserProfiles", "TTaskStatistics", "TCityLocations", "TCityLocationRatio"]
    for i, t in enumerate(order):
        cols = [col.name for col in h.model._table(t).columns]
        if t == "TTaskList":
            # The exchange counters were described with their own screen later on.
            cols = [col for col in cols if not col.startswith("DoneCountExchange")]
        describe_table(h, t, cols, quote="'" if i in (9, 16) else '"', bracket=i % 4 == 3)


@at(177)
def v177(c):
    c.adds()
    h = c.h
    for val, text, desc in [(0, "Default", "기본"), (1, "WebManage", "웹관리")]:
        h.code("RankMonitorMethod", val, text, desc)
    for cid, _t, name, _p, _a, mobile in refdata.INITIAL_CATEGORIES:
        if _t == 0:
            h.update("UPDATE TSiteCategories SET RankMonitorMethod = %d WHERE SiteCategory = '%s'"
                     % (1 if mobile else 0, name))


@at(179)
def v179(c):
    h = c.h
    h.drop_table("TCityLocations")
    h.drop_table("TCityLocationRatio")
    h.create("TCityLocations", CITY_COLUMNS_173, [("PrimaryKey", "PRIMARY KEY", ["Code"])])
    city_inserts(h, city_subset(2, 280), CITY_COLUMNS_173)


@at(182)
def v182(c):
    c.h.alter("TTaskList", "IsScrollToPageBottom", "BIT DEFAULT 0")
    c.h.alter("TTaskList", "ScrollMaxTime", "Long DEFAULT 15")


@at(183)
def v183(c):
    c.h.alter("TUserActions", "ContentKey", "MEMO %s DEFAULT \"\"" % WC)
    describe_table(c.h, "TUserActions", ["ContentKey"])


@at(186)
def v186(c):
    c.h.code("FunctionType", 5, "Push", "Push")


@at(193)
def v193(c):
    h = c.h
    h.create("TForeignProxyCountries", [
        ("IDX", "AUTOINCREMENT"), ("CountryName", "TEXT(255) %s DEFAULT \"\"" % WC),
        ("CountryNameEng", "TEXT(255) %s DEFAULT \"\"" % WC), ("DomainCode", "TEXT(10) %s DEFAULT \"\"" % WC),
        ("Caption1", "TEXT(255) %s DEFAULT \"\"" % WC), ("Caption2", "TEXT(255) %s DEFAULT \"\"" % WC),
        ("Val1", "TEXT(255) %s DEFAULT \"\"" % WC), ("Val2", "TEXT(255) %s DEFAULT \"\"" % WC)],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    for ko, eng, dom, a2, a3, num in refdata.proxy_countries():
        h.insert("TForeignProxyCountries",
                 ["CountryName", "CountryNameEng", "DomainCode", "Caption1", "Caption2", "Val1", "Val2"],
                 [ko, eng, dom, "%s (%s)" % (ko, a2), eng, a3, num])
    for code, rows in [
            ("Proxy_Anonymity", ["전체", "Transparent", "Anonymous", "Elite", "Distorting", "High", "Medium", "Low"]),
            ("Proxy_Sortby", ["기본", "국가", "속도", "응답시간", "가동률", "최근확인", "포트"]),
            ("Proxy_Protocol", ["전체", "HTTP", "HTTPS", "SOCKS4", "SOCKS5"]),
            ("Proxy_PerPage", ["20", "50", "100", "500"]),
            ("Proxy_Speed", ["전체", "빠름", "보통"]),
            ("Proxy_OrderBy", ["오름차순", "내림차순"]),
            ("ForeignProxySite", ["https://proxy-list.example.net/list", "https://free-proxy.example.org/"])]:
        for val, text in enumerate(rows):
            h.code(code, val, text, text if not text.startswith("http") else "프록시 목록 사이트 %d" % (val + 1))
    describe_table(h, "TForeignProxyCountries")


@at(196)
def v196(c):
    c.drops()
    c.h.update("UPDATE TIPKinds SET DomainCode = 'kr' WHERE DomainCode IS NULL")


@at(200)
def v200(c):
    c.h.alter("TTaskList", "Category", "TEXT(100) %s DEFAULT \"\"" % WC)


@at(203)
def v203(c):
    c.adds()
    c.h.update("UPDATE TTaskList SET CityLocationCode = CityCode WHERE NOT CityCode IS NULL")
    c.drops()
    c.h.view("VTaskList", vtasklist(203))


@at(205)
def v205(c):
    h = c.h
    h.delete("DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND ValText LIKE '%Android 2.%'")
    for i, ua in enumerate(refdata.mobile_user_agents(20, 205)):
        h.code("MobileUserAgent", 301 + i, ua, "")


@at(206)
def v206(c):
    h = c.h
    h.drop_table("TCityLocations")
    h.create("TCityLocations", CITY_COLUMNS_206, [("PrimaryKey", "PRIMARY KEY", ["Code"])])
    city_inserts(h, refdata.fit_rows(refdata.city_locations(), 3774), CITY_COLUMNS_206, compact=True)
    describe_table(h, "TCityLocations", ["RatioInit", "LatitudeInit", "LongitudeInit", "RangeInit", "Population",
                                         "HasChild"], quote="'")


@at(209)
def v209(c):
    # District ratios from the population of their dongs.
    # 경상북도 kept the ratios of 206: its districts were counted again later.
    for r in refdata.fit_rows(refdata.city_locations(), 3774):
        if r["Region2"] and not r["Region3"] and r["Region1"] != "경상북도":
            c.h.update("UPDATE TCityLocations SET Ratio = %d WHERE Code = '%s'"
                       % (max(1, r["Population"] // 100000), r["Code"]))


@at(225)
def v225(c):
    # Settings shown in the options window get their final order.
    keys = ["Stay.PageLoading", "Stay.PartURL", "Stay.Typing", "Stay.FocusSearchButton", "Stay.FocusURL",
            "Stay.TaskTerm", "Stay.Main", "Stay.RelatedVisit", "Stay.RelatedVisit.Part",
            "Stay.RelatedVisit.MostNumber", "HotKeywordUsed", "Related.Click.MainKeywordLink",
            "Related.Click.BrandKeywordLink", "Related.Click.RelatedLink", "SearchCycle", "RelationType",
            "SessionStart", "SessionEnd", "Suggest.ListClickA", "Suggest.ListClickB", "Suggest.SearchRate",
            "MovePrevPage", "DoNotVisit", "VisibleSearchRankerWindow", "MovePrevPageNumber", "SyncInterval",
            "IsWebSync", "KeywordListClick", "CookieCntPC", "CookieCntMobile", "IsSearchMonthCnt",
            "SearchPCRatio", "SearchMobileRatio", "RelationLogic", "UseCountCookieMobile", "UseCountCookiePC",
            "UseCountLoginMobile", "UseCountLoginPC", "AlarmMethod", "TaskRatioCookie", "TaskRatioLogin"]
    for i, key in enumerate(keys):
        c.h.update("UPDATE TSettings SET [Order] = %d WHERE ID = '%s'" % ((i + 1) * 10, key))


@at(332)
def category_order(c):
    c.adds()
    ids = [r[0] for r in refdata.INITIAL_CATEGORIES] + [r[1] for r in refdata.ADDED_CATEGORIES]
    ids += [r[0] + 100000 for r in refdata.INITIAL_CATEGORIES if r[1] == 0]
    ids += [r[1] + 100000 for r in refdata.ADDED_CATEGORIES if r[6]]
    ids += [r[1] for r in refdata.LATE_CATEGORIES if r[0] < c.v]
    for i, cid in enumerate(ids):
        c.h.update("UPDATE TSiteCategories SET OrderNo = %d WHERE ID = %d" % (i + 1, cid))


@at(241, 311, 315, 352, 365, 378, 391)
def cleanup(c):
    c.adds()
    table, cond = {241: ("TActionList", "TaskIDX = 0"), 311: ("TUserProfiles", "ProfileNumber < 0"),
                   315: ("TIPLog", "UsedDate < DateAdd(\"d\", -30, Now())"),
                   352: ("TTaskLog", "TaskIDX = 0"), 365: ("TUserActions", "ActionDate = 0"),
                   378: ("TKeywordGroup", "ContentKey = ''"), 391: ("TIPLog", "IP = ''")}[c.v]
    c.h.delete("DELETE FROM %s WHERE %s" % (table, cond))


@at(207)
def v207(c):
    h = c.h
    h.update("UPDATE TCityLocations SET RatioInit = Ratio, LatitudeInit = Latitude, LongitudeInit = Longitude, "
             "RangeInit = [Range]")
    for pcode, pname, *_ in refdata.PROVINCES:
        h.update("UPDATE TCityLocations SET HasChild = True WHERE Code = '%s00000000'" % pcode)


@at(208, 211, 214, 216, 227, 230, 231, 236, 242, 253, 257, 260, 278, 279, 285, 288, 294, 297)
def adds_and_describe(c):
    c.adds()
    for t in list(c.added):
        describe_new(c, t, "'" if c.v in (214, 257, 285) else '"')
    if c.v == 236:
        for val, text, desc in [(0, "None", "없음"), (1, "Price", "가격순"), (2, "Review", "리뷰많은순"),
                                (3, "Recent", "등록일순")]:
            c.h.code("NaverShoppingFilter", val, text, desc)


@at(212)
def v212(c):
    h = c.h
    h.create("TTaskComments", [
        ("CommentIDX", "AUTOINCREMENT"), ("CommentWebSN", "LONG DEFAULT 0"), ("TaskIDX", "LONG NOT NULL DEFAULT 0"),
        ("webSN", "LONG DEFAULT 0"), ("Comment", "MEMO %s DEFAULT \"\"" % WC), ("ActionDate", "DATETIME DEFAULT 0"),
        ("LastUpdateDate", "DATETIME DEFAULT NOW()"), ("FunctionType", "LONG DEFAULT 0"),
        ("IsActionExchangeTask", "BIT DEFAULT False"), ("ActionExchangeLogSN", "LONG DEFAULT 0"),
        ("StageIDX", "LONG DEFAULT 0"), ("IsUpdated", "BIT DEFAULT False"), ("IsDeleted", "BIT DEFAULT False")],
        [("PrimaryKey", "PRIMARY KEY", ["CommentIDX"])])
    c.adds()
    for t in ["TTaskLogDay", "TTaskLogHour", "TTaskLogInterval"]:
        h.drop_constraint(t, "PrimaryKey")
    h.update("UPDATE TTaskLogDay SET ActionType = 0 WHERE ActionType IS NULL")
    for t in ["TTaskLogDay", "TTaskLogHour", "TTaskLogInterval"]:
        h.add_primary_key(t, ["TaskIDX", "LogDate", "ActionType"])
    h.code("ActionType", 3, "Scrap", "스크랩")
    for val, text, desc in [(0, "Normal", "일반 아이디"), (1, "Exchange", "품앗이 아이디")]:
        h.code("IdType", val, text, desc)
    describe_table(h, "TTaskComments")
    h.view("VTaskList", vtasklist(212))


@at(213)
def v213(c):
    h = c.h
    h.rename("TIPKinds", "PhoneThreadLimit", "MobileDeviceThreadType")
    for val, text, desc in [(0, "Single", "단일 스레드"), (1, "Multi", "다중 스레드"), (2, "Shared", "공유")]:
        h.code("MobileDeviceThreadType", val, text, desc)


@at(215)
def v215(c):
    c.adds()
    c.h.update("UPDATE TTaskLog INNER JOIN TTaskList ON TTaskLog.TaskIDX = TTaskList.IDX "
               "SET TTaskLog.SiteCategory = TTaskList.SiteCategory, TTaskLog.ContentKey = TTaskList.ContentKey")
    describe_new(c, "TTaskLog")


@at(223)
def v223(c):
    c.adds()
    h = c.h
    names = [r[2] for r in refdata.INITIAL_CATEGORIES]
    names += [r[2] for r in refdata.ADDED_CATEGORIES if r[0] < 223]
    for i, n in enumerate(names):
        h.update("UPDATE TSiteCategories SET OrderNo = %d WHERE SiteCategory = '%s'" % (i + 1, n))
    h.update("UPDATE TSiteCategories SET OrderNo = Clng(ID) WHERE Type = 2")


@at(226)
def v226(c):
    # Settings rows that older databases may lack; the guard makes each a no-op where present.
    c.h.raw("INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'Stay.FocusURL', 0, 1, "
            "'URL링크 포커싱', 5 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "
            "'Stay.FocusURL')", "insert")
    c.h.setting("Stay.Typing", 1, 3, "검색어 입력 대기", 3)


@at(232)
def v232(c):
    for val in [11, 13, 14, 17, 19, 22, 23, 26, 28, 31, 33, 101, 102, 104, 107, 109, 112, 115, 118, 121,
                124, 127, 130, 133]:
        c.h.delete("DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = %d" % val)
    for i, ua in enumerate(refdata.mobile_user_agents(15, 232)):
        c.h.code("MobileUserAgent", 401 + i, ua, "")


@at(233)
def v233(c):
    c.adds()
    c.drops()
    c.h.code("ActionType", 4, "Buddy", "이웃추가")
    describe_new(c, "TTaskList")
    c.h.view("VTaskList", vtasklist(233))


@at(237)
def v237(c):
    h = c.h
    c.create("TActionList", [
        ("IDX", "AUTOINCREMENT"), ("TaskIDX", "LONG DEFAULT 0"), ("ActionType", "LONG DEFAULT 0"),
        ("Groupkey", "TEXT(255) %s DEFAULT \"\"" % WC), ("SessionIDX", "LONG DEFAULT 0"),
        ("CommentIDX", "LONG DEFAULT 0")], [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    c.adds()
    describe_table(h, "TActionList", ["IDX", "TaskIDX", "ActionType", "Groupkey", "SessionIDX", "CommentIDX"])


@at(238, 239)
def v238(c):
    c.adds()
    c.h.update("UPDATE TActionList SET %s" % ("StartDate = ActionDate, EndDate = ActionDate" if c.v == 238
                                               else "ErrNumber = Result WHERE Result <> 0"))
    c.drops()
    describe_new(c, "TActionList")


@at(250)
def v250(c):
    c.adds()
    h = c.h
    h.update("UPDATE TSiteCategories SET IsReadyCafeAction = True WHERE SiteCategory LIKE '%Cafe%'")


@at(259)
def v259(c):
    c.h.drop_constraint("TUserIdIPs", "UserId")


@at(265)
def v265(c):
    c.adds()
    c.drops()
    describe_new(c, "TUserProfiles")


@at(269)
def v269(c):
    c.adds()
    h = c.h
    for cid, t, name, _p, _a, mobile in refdata.INITIAL_CATEGORIES:
        if t == 0:
            h.update("UPDATE TSiteCategories SET ViewStayMax = %d WHERE SiteCategory = '%s'"
                     % (180 if mobile else 300, name))
    for v, cid, name, _p, _a, mobile, _tw in refdata.ADDED_CATEGORIES:
        if v < 269:
            h.update("UPDATE TSiteCategories SET ViewStayMax = %d WHERE ID = %d" % (180 if mobile else 300, cid))


@at(270)
def v270(c):
    h = c.h
    h.create("TKeywordList", [
        ("IDX", "AUTOINCREMENT"), ("webSN", "LONG DEFAULT 0"), ("KeywordType", "LONG DEFAULT 0"),
        ("Keyword", "TEXT(255) %s DEFAULT \"\"" % WC), ("InUse", "BIT DEFAULT False"),
        ("UsedCount", "LONG DEFAULT 0"), ("LastDate", "DATETIME DEFAULT 0")],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    for i, (kind, word) in enumerate(refdata.keywords(490)):
        h.insert("TKeywordList", ["webSN", "KeywordType", "Keyword", "InUse", "UsedCount"],
                 [100000 + i * 7, kind, word, False, 0])
    for val, text, desc in [(1, "General", "일반"), (2, "Shopping", "쇼핑"), (3, "Place", "지역"),
                            (4, "Brand", "브랜드")]:
        h.code("KeywordType", val, text, desc)
    c.drops()
    h.describe("TKeywordList", [("webSN", "웹 키워드 번호"), ("KeywordType", "키워드 종류. TCodes 참고"),
                                ("Keyword", "검색 키워드\t(공백 포함)"), ("InUse", "사용중 여부"),
                                ("UsedCount", "사용 횟수"), ("LastDate", "마지막 사용 일시")])


@at(271)
def v271(c):
    h = c.h
    for old, new in [("IsCreateCookies", "zmw"), ("NNB", "pds"), ("npic", "lvs"), ("NNB_CreateDate", "zpds"),
                     ("npic_CreateDate", "zlvs"), ("CreateCookieInterval", "dlf"),
                     ("NNB_CreateDateHour", "dzpds"), ("CreateCookieCount", "ccn"),
                     ("LastCreateCookieDate", "lccd")]:
        h.rename("TUserProfiles", old, new)


@at(272)
def v272(c):
    h = c.h
    text = "MEMO %s DEFAULT \"\"" % WC
    for col in ["ID", "Val1", "Val2", "Alias", "Val3"]:
        h.alter("TSettings", col, text)
    for col in ["Code", "ValText", "Description", "Tag"]:
        h.alter("TCodes", col, text)
    describe_table(h, "TSettings")
    describe_table(h, "TCodes")


@at(273)
def v273(c):
    c.adds()
    c.h.code("ActionType", 5, "MainRecommend", "메인추천")
    describe_new(c, "TTaskList")


@at(274)
def v274(c):
    c.adds()
    describe_new(c, "TUserIdIPs", "'")


@at(275)
def v275(c):
    c.adds()
    describe_new(c, "TTaskList")
    c.h.view("VTaskList", vtasklist(275))


@at(276)
def v276(c):
    h = c.h
    h.rename("TTaskList", "PersonalLogSN", "WebManageLogSN")
    h.rename("TTaskLog", "PersonalLogSN", "WebManageLogSN")
    c.adds()
    describe_table(h, "TTaskLog", ["WebManageLogSN"])
    describe_table(h, "TTaskList", ["WebManageLogSN", "GoBackPostRatio"])


@at(281)
def v281(c):
    c.adds()
    h = c.h
    for cid, t, name, _p, _a, mobile in refdata.INITIAL_CATEGORIES:
        if t == 0 and "Blog" in name:
            h.update("UPDATE TSiteCategories SET NewPostCheckRank = 30 WHERE SiteCategory = '%s'" % name)


@at(282)
def v282(c):
    c.adds()
    for val, desc in enumerate(["전체", "10대", "20대", "30대", "40대", "50대이상"]):
        c.h.code("FilterAge", val, str(val * 10), desc)
    describe_new(c, "TTaskList")


@at(283, 286)
def v283(c):
    c.adds()
    c.drops()


@at(284)
def v284(c):
    c.h.alter("TTaskList", "NewPostCount", "LONG DEFAULT NULL")
    c.h.alter("TTaskList", "OldPostCount", "LONG DEFAULT NULL")


@at(289)
def v289(c):
    h = c.h
    for old, new in [("pds", "clc"), ("lvs", "flc"), ("zpds", "fnfn"), ("zlvs", "gpin"), ("dlf", "jpcn"),
                     ("dzpds", "bkite")]:
        h.rename("TUserProfiles", old, new, style=1)
    for old, new in [("mpds", "imc"), ("mlvs", "brdn"), ("mzpds", "doin"), ("mzlvs", "fncn"), ("mdzpds", "hnan"),
                     ("ppds", "frc"), ("plvs", "bmdn"), ("pzpds", "crdn"), ("pzlvs", "encn"), ("pdzpds", "gkfn")]:
        h.rename("TUserIdIPs", old, new)
    c.adds()
    # The list may end in "|" and the date it was fetched: only the keywords move.
    h.update("UPDATE TTaskList SET RelatedKeywords = Mid(RelatedKeywordList, 1, "
             "IIf(InStr(RelatedKeywordList, '|') > 0, InStr(RelatedKeywordList, '|') - 1, 255)) "
             "WHERE NOT RelatedKeywordList IS NULL")
    h.update("UPDATE TUserProfiles SET CityCode = CityLocationCode WHERE NOT CityLocationCode IS NULL")
    c.drops()
    for val, text, desc in [(0, "ExchangeSavedGuest", "품앗이"), (1, "SavedGuest", "저장된 게스트"),
                            (2, "NewGuest", "새 게스트")]:
        h.code("TaskProfileType", val, text, desc)
    for val, text, desc in [(0, "None", "생성 안함"), (1, "Main", "메인 방문"), (2, "Search", "검색"),
                            (3, "Random", "임의 메뉴")]:
        h.code("CreateCookieType", val, text, desc)
    describe_new(c, "TUserProfiles")


@at(290)
def v290(c):
    c.adds()
    c.h.update("UPDATE TTaskList SET RelatedKeywordDate = Now() WHERE NOT RelatedKeywords IS NULL")


@at(296)
def v296(c):
    c.adds()
    c.h.update("UPDATE TTaskList SET IsTestTask = False")


@at(300)
def v300(c):
    h = c.h
    h.create("TIPLog", [("IDX", "AUTOINCREMENT"), ("IP", "TEXT(50) %s NOT NULL" % WC),
                        ("UsedDate", "DATETIME DEFAULT Now()")], [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    h.delete("DELETE FROM TSettings WHERE ID = 'DoNotVisit'")
    describe_table(h, "TIPLog")


@at(301, 304, 309, 316, 325)
def visibility_column(c):
    c.adds()
    c.drops()
    col = [x for x in c.added.get("TSiteCategories", [])]
    for name in col:
        c.h.update("UPDATE TSiteCategories SET %s = True" % name)
    for t in list(c.added):
        if t != "TSiteCategories":
            describe_new(c, t)
    if c.v == 325:
        c.h.view("VTaskList", vtasklist(325))


@at(305)
def v305(c):
    c.adds()
    for val, text, desc in [(0, "Fixed", "고정"), (1, "Random", "임의")]:
        c.h.code("RandomTaskType", val, text, desc)
    describe_new(c, "TTaskList")


@at(307)
def v307(c):
    h = c.h
    c.create("TKeywordRequestURL", [
        ("IDX", "AUTOINCREMENT"), ("SiteCategory", "TEXT(255) %s DEFAULT \"\"" % WC),
        ("Keyword", "TEXT(255) %s DEFAULT \"\"" % WC), ("URL", "MEMO %s DEFAULT \"\"" % WC),
        ("TotalPageListCount", "LONG DEFAULT 0"), ("LastUpdateDate", "DATETIME DEFAULT 0")],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    c.adds()
    describe_table(h, "TKeywordRequestURL")


@at(308)
def v308(c):
    h = c.h
    h.create("TNStoreInfo", [
        ("IDX", "AUTOINCREMENT"), ("NStoreCode", "TEXT(255) %s DEFAULT \"\"" % WC),
        ("NStoreURL", "MEMO %s DEFAULT \"\"" % WC), ("LastIPHost", "TEXT(30) %s DEFAULT \"\"" % WC),
        ("LastVisitDate", "DATETIME DEFAULT 0")], [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    c.create("TNStoreVisitLog", [
        ("IDX", "AUTOINCREMENT"), ("NStoreCode", "TEXT(255) %s DEFAULT \"\"" % WC),
        ("Arg1", "TEXT(255) %s DEFAULT \"\"" % WC), ("Arg2", "MEMO %s DEFAULT \"\"" % WC),
        ("Arg5", "MEMO %s DEFAULT \"\"" % WC), ("MallID", "DATETIME DEFAULT 0"),
        ("MallName", "TEXT(255) %s DEFAULT \"\"" % WC), ("Price", "MONEY DEFAULT 0"),
        ("IPHost", "TEXT(30) %s DEFAULT \"\"" % WC), ("IsNewTask", "BIT NOT NULL DEFAULT False"),
        ("created", "DATETIME DEFAULT 0")], [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    c.adds()
    describe_table(h, "TNStoreInfo")
    describe_table(h, "TNStoreVisitLog", ["NStoreCode", "Arg1", "Arg2", "Arg5", "IsNewTask", "created"])


@at(310)
def v310(c):
    c.drops()


@at(312)
def v312(c):
    h = c.h
    h.create("TKeywordGroup", [
        ("IDX", "AUTOINCREMENT"), ("ContentKey", "MEMO %s DEFAULT \"\"" % WC),
        ("KeywordList", "MEMO %s DEFAULT \"\"" % WC), ("WebSyncStatus", "LONG DEFAULT 0"),
        ("LastUsedDay", "DATETIME DEFAULT 0"), ("DayStartIndex", "LONG DEFAULT NULL"),
        ("LastUsedIndex", "LONG DEFAULT NULL"), ("LastUpdateDate", "DATETIME DEFAULT 0")],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    c.adds()
    h.update("UPDATE TTaskList SET Keyword = Arg1 WHERE FunctionType = 0 AND NOT Arg1 IS NULL")
    describe_table(h, "TKeywordGroup")


@at(313)
def v313(c):
    c.adds()
    # The keyword groups the web service held for the first shopping and place
    # tasks, seeded once: each a content key and its keywords, comma-separated.
    words = refdata.keywords(1000)
    rnd = random.Random(313)
    for i in range(KEYWORD_GROUPS):
        kind = 2 if i % 3 else 3
        pool = [w for k, w in words if k == kind]
        chosen = rnd.sample(pool, KEYWORDS_PER_GROUP)
        key = ("102|shop%02d/%d" if kind == 2 else "113|%d%d") % (i + 1, 1000 + 37 * i)
        c.h.insert("TKeywordGroup", ["ContentKey", "KeywordList", "WebSyncStatus"],
                   [key, ",".join(chosen), 1])


@at(318)
def v318(c):
    h = c.h
    h.create("TUserAgentsRaw", [
        ("IDX", "AUTOINCREMENT"), ("num", "LONG DEFAULT 0"), ("IsMobile", "BIT NOT NULL DEFAULT False"),
        ("UAUseType", "LONG DEFAULT 0"), ("UA", "MEMO %s DEFAULT \"\"" % WC), ("Portion", "LONG DEFAULT 0"),
        ("DevicePixelRatio", "SINGLE DEFAULT 0"), ("ScreenWidth", "LONG DEFAULT 0"),
        ("ScreenHeight", "LONG DEFAULT 0"), ("ClientWidth", "LONG DEFAULT 0"), ("ClientHeight", "LONG DEFAULT 0")],
        [("IDX", "PRIMARY KEY", ["IDX"])])
    mobile = refdata.mobile_user_agents(1, 318)[0]
    pc = refdata.pc_user_agents(1, 318)[0]
    cols = ["num", "IsMobile", "UAUseType", "UA", "Portion", "DevicePixelRatio", "ScreenWidth", "ScreenHeight",
            "ClientWidth", "ClientHeight"]
    h.insert("TUserAgentsRaw", cols, [1, True, 1, mobile, 100, 3.0, 412, 915, 412, 915])
    h.insert("TUserAgentsRaw", cols, [2, False, 1, pc, 100, 1.0, 1920, 1080, 1920, 1040])
    for val, text, desc in [(0, "ahen", "ahen"), (1, "Task", "작업"), (2, "Action", "공댓공")]:
        h.code("UAUseType", val, text, desc)
    h.describe("TUserAgentsRaw", [(col, descriptions.korean("TUserAgentsRaw", col))
                                  for col in ["IDX", "num", "UAUseType", "UA"]])


@at(320)
def v320(c):
    c.adds()
    h = c.h
    h.update("UPDATE TUserActions SET IP = '' WHERE IP IS NULL")
    h.describe("TUserAgentsRaw", [(col, descriptions.korean("TUserAgentsRaw", col))
                                  for col in ["DevicePixelRatio", "ScreenWidth", "ScreenHeight", "ClientWidth",
                                              "ClientHeight"]], "'")


@at(321)
def v321(c):
    c.adds()
    describe_new(c, "TTaskLog")


@at(322, 323, 324)
def shop_ranker(c):
    c.adds()
    c.drops()
    describe_new(c, "TTaskLogDay")
    c.h.view("VTaskList", vtasklist(c.v))


@at(326)
def v326(c):
    c.h.rename("TSiteCategories", "IsReadyCafeAction", "IsReadyBrisklet")
    c.h.view("VTaskList", vtasklist(326))


@at(327, 328)
def v327(c):
    c.h.update("UPDATE TSiteCategories SET IsReadyBrisklet = True WHERE SiteCategory = 'Mobile_Naver_Cafe'"
               if c.v == 327 else "UPDATE TSiteCategories SET IsVisibleMTX = False WHERE Type = 2")


@at(330)
def v330(c):
    h = c.h
    h.create("TSiteCategoryVisible", [
        ("PCode", "TEXT(50) %s NOT NULL" % WC), ("SiteCategoryID", "LONG NOT NULL"),
        ("SiteCategory", "TEXT(255) %s NOT NULL" % WC)],
        [("PrimaryKey", "PRIMARY KEY", ["PCode", "SiteCategory"])])
    cats = [(r[0], r[2]) for r in refdata.INITIAL_CATEGORIES]
    cats += [(r[0] + 100000, "Related_" + r[2]) for r in refdata.INITIAL_CATEGORIES if r[1] == 0]
    for r in refdata.ADDED_CATEGORIES:
        cats.append((r[1], r[2]))
        if r[6]:
            cats.append((r[1] + 100000, "Related_" + r[2]))
    for pcode in refdata.PRODUCT_CODES:
        for cid, name in cats:
            h.insert("TSiteCategoryVisible", ["PCode", "SiteCategoryID", "SiteCategory"], [pcode, cid, name])
    c.adds()
    c.drops()
    h.update("UPDATE TTaskList SET SaveCount = 0, DoneCountSave = 0")
    describe_table(h, "TSiteCategoryVisible", ["PCode", "SiteCategoryID", "SiteCategory"])
    h.view("VTaskList", vtasklist(330))


@at(333)
def v333(c):
    c.h.code("IdState", 10, "Restricted", "이용제한")


@at(348)
def v348(c):
    c.adds()
    h = c.h
    for name in ["Mobile_Naver_Live", "Mobile_Naver_Place_Review", "Mobile_Naver_Hospital"]:
        h.update("UPDATE TSiteCategoryVisible SET DisplayMode = 1 WHERE SiteCategory = '%s'" % name)
    h.describe("TSiteCategoryVisible", [("DisplayMode", descriptions.korean("TSiteCategoryVisible", "DisplayMode"))],
               "'")
    h.view("VTaskList", vtasklist(348))


@at(351, 367, 369)
def replace_columns(c):
    c.adds()
    h = c.h
    if c.v == 351:
        h.update("UPDATE TTaskList SET AltArgumentList = AltKeywordList WHERE NOT AltKeywordList IS NULL")
    elif c.v == 367:
        h.update("UPDATE TTaskList SET Arg2NvMid = NvMid WHERE NOT NvMid IS NULL")
    else:
        h.update("UPDATE TTaskLog SET Arg2NvMid = NvMid WHERE NOT NvMid IS NULL")
    c.drops()
    for t in list(c.added):
        describe_new(c, t)


@at(354)
def v354(c):
    c.h.alter("TTaskList", "Category", "TEXT(255) %s DEFAULT \"\"" % WC)


@at(356)
def v356(c):
    c.adds()
    h = c.h
    h.update("UPDATE TUserActions SET ActionDay = Format(ActionDate, \"yyyy-mm-dd\")")
    c.drops()
    h.view("VUserActionsGroup",
           "SELECT P.IsMobile, A.ActionDay, A.ProfileIDX\n"
           "FROM TUserActions AS A INNER JOIN TUserProfiles AS P ON A.ProfileIDX = P.IDX\n"
           "WHERE A.ProfileIDX > 0\n"
           "GROUP BY P.IsMobile, A.ActionDay, A.ProfileIDX")
    h.describe("TUserActions", [("ActionDay", descriptions.korean("TUserActions", "ActionDay"))])
    describe_new(c, "TUserProfiles")


@at(359)
def v359(c):
    c.adds()
    c.drops()
    c.h.describe("TUserAgentsRaw", [(col, descriptions.korean("TUserAgentsRaw", col))
                                    for col in ["Platform", "Vendor", "userAgentData"]])


@at(366)
def v366(c):
    h = c.h
    h.create("TUserProfileUsedData", [
        ("IDX", "AUTOINCREMENT"), ("ProfileIDX", "LONG DEFAULT 0"), ("UsedDate", "DATETIME DEFAULT 0"),
        ("IsMobile", "BIT DEFAULT FALSE"), ("UsedByTaskCount", "LONG DEFAULT 0"), ("fnfn", "DATETIME DEFAULT 0")],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    memo = "MEMO %s DEFAULT \"\"" % WC
    h.create("TUserProfileStatistics", [
        ("IDX", "AUTOINCREMENT"), ("LogDate", "DATETIME DEFAULT 0"), ("IsSend", "BIT DEFAULT FALSE"),
        ("MobileStatistics", memo), ("PCStatistics", memo), ("MobileCnt", memo), ("PCCnt", memo),
        ("MobileStatisticsCoupang", memo), ("PCStatisticsCoupang", memo), ("MobileCntCoupang", memo),
        ("PCCntCoupang", memo)], [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    describe_table(h, "TUserProfileUsedData")
    describe_table(h, "TUserProfileStatistics", ["LogDate", "IsSend"])


@at(370, 377, 384, 398)
def replaced_by_new(c):
    c.adds()
    c.drops()
    for t in list(c.added):
        describe_new(c, t)


@at(388)
def v388(c):
    # Two exports put together: every other row names the column bare.
    for i, prefix in enumerate(refdata.mac_prefixes(19709)):
        column = "MACPrefix" if i % 2 else "[MACPrefix]"
        c.h.raw("INSERT INTO TMACPrefixes (%s) VALUES ('%s')" % (column, prefix), "insert")


@at(393)
def v393(c):
    c.adds()
    h = c.h
    h.raw("INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order])\n"
          "SELECT TOP 1 'CookieCounts', '{\"PC\":' & A.Val1 & ',\"Mobile\":' & B.Val1 & ',\"UsePC\":' & C.Val1 & "
          "',\"UseMobile\":' & D.Val1 & '}', '', '', '쿠키 수', 40\n"
          "FROM TSettings AS A, TSettings AS B, TSettings AS C, TSettings AS D\n"
          "WHERE A.ID = 'CookieCntPC' AND B.ID = 'CookieCntMobile' AND C.ID = 'UseCountCookiePC' AND "
          "D.ID = 'UseCountCookieMobile'\n"
          "AND NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'CookieCounts')", "insert")
    for key in ["CookieCntMobile", "CookieCntPC", "UseCountCookieMobile", "UseCountCookiePC"]:
        h.delete("DELETE FROM TSettings WHERE ID = '%s'" % key)
    describe_new(c, "TUserProfiles")


@at(395)
def v395(c):
    # The statistics columns get numbered names (1: Naver, 8: Coupang). The
    # renames do it in place; on a database where they could not run, the
    # additions, the copy and the drops below do the same work instead (and
    # fail harmlessly where the renames succeeded).
    h = c.h
    pairs = [("MobileStatistics", "MobileStatistics_1"), ("PCStatistics", "PCStatistics_1"),
             ("MobileCnt", "MobileCnt_1"), ("PCCnt", "PCCnt_1"),
             ("MobileStatisticsCoupang", "MobileStatistics_8"), ("PCStatisticsCoupang", "PCStatistics_8"),
             ("MobileCntCoupang", "MobileCnt_8"), ("PCCntCoupang", "PCCnt_8")]
    for old, new in pairs:
        h.rename("TUserProfileStatistics", old, new, style=1)
    memo = "MEMO %s DEFAULT \"\"" % WC
    for _old, new in pairs:
        h.raw("ALTER TABLE [TUserProfileStatistics] ADD COLUMN [%s] %s" % (new, memo), "add")
    h.raw("UPDATE TUserProfileStatistics SET " + ", ".join("%s = %s" % (new, old) for old, new in pairs), "update")
    for old, _new in pairs:
        h.raw("ALTER TABLE [TUserProfileStatistics] DROP COLUMN [%s]" % old, "drop")
    h.count["expected_failures"] += 17


@at(396)
def v396(c):
    c.h.rename("TIPKinds", "ExchangeCookiePortion", "ExchangePortion", style=1)


@at(400)
def v400(c):
    retired = ["Daum_Blog", "Mobile_Daum_Blog", "Related_Daum_Blog"]
    n = 0
    for name in retired:
        for pcode in refdata.PRODUCT_CODES:
            if n < 17:
                c.h.delete("DELETE FROM TSiteCategoryVisible WHERE PCode = '%s' AND SiteCategory = '%s'"
                           % (pcode, name))
                n += 1
    for pcode in refdata.PRODUCT_CODES[:2]:
        if n < 17:
            c.h.delete("DELETE FROM TSiteCategoryVisible WHERE PCode = '%s' AND SiteCategory = 'Related_Daum_Cafe'"
                       % pcode)
            n += 1


@at(405)
def v405(c):
    h = c.h
    for lv, cid, name, _p, _a in refdata.LATE_CATEGORIES:
        if lv >= 378:
            h.insert("TSiteCategoryVisible", ["PCode", "SiteCategoryID", "SiteCategory", "DisplayMode"],
                     ["MTX", cid, name, 1])
