# Versions 3 to 120: from the first log-summary query to the large step of
# version 120 that introduced user profiles and actions.

import refdata
from builder import WC

# The done counters of version 120, in the order every log table got them.
DONE_VISIT = ["TempNewVisit", "CookieNewVisit", "CookieReVisit", "LoginNewVisit", "LoginReVisit",
              "TempMobileNewVisit", "CookieMobileNewVisit", "CookieMobileReVisit",
              "LoginMobileNewVisit", "LoginMobileReVisit"]
DONE_PC = ["DoneCount" + x for x in DONE_VISIT[:5]]
DONE_MOBILE = ["DoneCount" + x for x in DONE_VISIT[5:]]
DONE_EXCHANGE = ["DoneCountExchange" + x for x in DONE_VISIT]


def build(h):
    cats = "TFunctionPresets"  # the site categories' table until version 24

    # -- 3 ---------------------------------------------------------------------
    h.at(3)
    h.procedure("PSumLogByDay",
                "SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount\n"
                "FROM TTaskLogHour\n"
                "WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, \"yyyy-mm-dd\") = [LogDay]\n"
                "GROUP BY TaskIDX")
    h.delete("DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 1")
    h.delete("DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val = 2")
    h.stamp()

    # -- 4 ---------------------------------------------------------------------
    h.at(4)
    h.create("TTaskLog", [("TaskIDX", "LONG NOT NULL"), ("LogDate", "DATETIME DEFAULT Now()"),
                          ("Rank", "LONG DEFAULT 0")],
             [("PrimaryKey", "PRIMARY KEY", ["TaskIDX", "LogDate"])])
    h.add("TTaskList", "Frequency24", "TEXT(255) " + WC)
    h.procedure("PSumLogByHour",
                "SELECT TaskIDX, Count(*) AS DoneCount, Max(Rank) AS MaxRank\n"
                "FROM TTaskLog\n"
                "WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, \"yyyy-mm-dd hh\") = [LogHour]\n"
                "GROUP BY TaskIDX")
    h.stamp()

    # -- 5: the first user-agent rows ------------------------------------------
    h.at(5)
    for i, ua in enumerate(refdata.mobile_user_agents(34, 5, android2_share=0.3)):
        h.code("MobileUserAgent", 11 + i, ua, "")
    for i, ua in enumerate(refdata.pc_user_agents(30, 5)):
        h.code("PCUserAgent", 46 + i, ua, "")
    h.stamp()

    # -- 6 to 23: single columns and code rows ---------------------------------
    h.at(6)
    h.add(cats, "IsReady", "BIT NOT NULL DEFAULT False")
    h.update("UPDATE TFunctionPresets SET IsReady = True WHERE Type = 0")
    h.stamp()
    h.at(7)
    h.add("TTaskList", "UseFrequency24", "BIT NOT NULL DEFAULT False")
    h.stamp()
    h.at(8)
    h.add("TTaskList", "DoneCount", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(9)
    h.add("TTaskList", "LastRank", "INT DEFAULT 0")
    h.update("UPDATE TTaskList SET LastRank = CurrentRank")
    h.stamp()
    h.at(10)
    h.add(cats, "FunctionName2", "TEXT(255) " + WC)
    h.update("UPDATE TFunctionPresets SET FunctionName2 = FunctionName")
    h.stamp()
    h.at(11)
    h.add("TTaskLogHour", "IsMobile", "BIT NOT NULL DEFAULT False")
    h.stamp()
    h.at(12)
    h.add("TTaskLogHour", "SearchCount", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(13)
    h.add("TTaskList", "SearchCount", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(14)
    h.delete("DELETE FROM TCodes WHERE Code = 'MobileUserAgent' AND Val < 11")
    for i, ua in enumerate(refdata.mobile_user_agents(110, 14, android2_share=0.15)):
        h.code("MobileUserAgent", 101 + i, ua, "")
    h.stamp()
    h.at(15)
    h.add("TTaskList", "MonthCntM", "INT NOT NULL DEFAULT 0")
    h.update("UPDATE TTaskList SET MonthCntM = MonthCnt")
    h.stamp()
    h.at(16)
    h.add(cats, "Remark", "TEXT(255) " + WC)
    h.stamp()
    h.at(17)
    h.code("IPKind", 4, "Tethering2", "테더링(보조)")
    h.stamp()
    h.at(18)
    h.create("TIPKinds", [("IPKind", "LONG NOT NULL"), ("IPKindName", "TEXT(50) %s NOT NULL" % WC),
                          ("DeviceID", "LONG DEFAULT -1"), ("NetConnectionID", "TEXT(255) " + WC),
                          ("Script", "MEMO " + WC), ("Portion", "LONG DEFAULT 0")],
             [("PrimaryKey", "PRIMARY KEY", ["IPKind"]), ("IPKindName", "UNIQUE", ["IPKindName"])])
    for kind, kname, dev, conn, portion in [
            (0, "일반", -1, "로컬 영역 연결", 100), (1, "테더링", 0, "로컬 영역 연결 2", 0),
            (2, "VPN", -1, "VPN 연결", 0), (3, "프록시", -1, "", 0), (4, "모바일", 1, "", 0)]:
        h.insert("TIPKinds", ["IPKind", "IPKindName", "DeviceID", "NetConnectionID", "Portion"],
                 [kind, kname, dev, conn, portion])
    h.delete("DELETE FROM TCodes WHERE Code = 'IPKind'")
    h.stamp()
    h.at(19)
    h.add("TTaskList", "IPKind", "INT DEFAULT 0")
    h.stamp()
    h.at(20)
    h.add("TTaskList", "Category", "TEXT(50) %s DEFAULT \"\"" % WC)
    h.add("TTaskList", "PostDate", "DATETIME")
    h.stamp()
    h.at(21)
    h.add("TTaskLogHour", "UpdateCount", "INT DEFAULT 0")
    h.stamp()
    h.at(22)
    h.add("TIPKinds", "LastIPIDX", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(23)
    h.add("TTaskList", "Priority", "INT DEFAULT 0")
    h.stamp()

    # -- 24: site categories -----------------------------------------------------
    h.at(24)
    h.rename_table("TFunctionPresets", "TSiteCategories")
    cats = "TSiteCategories"
    h.rename("TSiteCategories", "FunctionName", "SiteCategory")
    h.rename("TTaskList", "FunctionName", "SiteCategory")
    h.rename("TSiteCategories", "FunctionName2", "SiteCategory2")
    for c, d in [("SearchKeyword2", "TEXT(255) " + WC), ("VisitCount", "INT DEFAULT 0"),
                 ("VisitCountMobile", "INT DEFAULT 0"), ("StayTimeMin", "INT DEFAULT 0"),
                 ("StayTimeMax", "INT DEFAULT 0"), ("UseStayTime", "BIT NOT NULL DEFAULT False"),
                 ("ClickRatio", "INT DEFAULT 100")]:
        h.add("TTaskList", c, d)
    h.view("VTaskList", vtasklist(24))
    h.stamp()

    # -- 25 to 56 ----------------------------------------------------------------
    h.at(25)
    h.update("UPDATE TSiteCategories SET Alias = '네이버 지식인' WHERE SiteCategory = 'Naver_KnowledgeiN'")
    h.update("UPDATE TSiteCategories SET Alias = '모바일 네이버 지식인' WHERE SiteCategory = 'Mobile_Naver_KnowledgeiN'")
    h.stamp()
    h.at(26)
    for c in ["BeforeTaskStayStart", "BeforeTaskStayEnd", "AfterTaskStayStart", "AfterTaskStayEnd"]:
        h.add("TTaskList", c, "INT NOT NULL DEFAULT 0")
    h.update("UPDATE TTaskList SET BeforeTaskStayStart = StayTimeMin, BeforeTaskStayEnd = StayTimeMax "
             "WHERE UseStayTime = True")
    for c in ["StayTimeMin", "StayTimeMax", "UseStayTime"]:
        h.drop("TTaskList", c)
    h.stamp()
    h.at(27)
    h.add("TTaskList", "DoneCountMobile", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(28)
    h.add("TTaskList", "TodayDoneCount", "INT DEFAULT 0")
    h.stamp()
    h.at(29)
    h.view("VTaskList", vtasklist(29))
    h.stamp()
    h.at(30)
    h.update("UPDATE TTaskList SET MaxPage = 10 WHERE MaxPage = 0 OR MaxPage IS NULL")
    h.stamp()
    h.at(31)
    h.update("UPDATE TSiteCategories SET Path = 'search.naver.com/search.naver?where=image' "
             "WHERE SiteCategory = 'Naver_Image'")
    h.stamp()
    h.at(32)
    h.add("TIPKinds", "BlockImage", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(33)
    h.update("UPDATE TIPKinds SET Portion = 100 WHERE IPKind = 0 AND Portion = 0")
    h.stamp()
    h.at(34)
    h.add("TTaskLog", "ErrNumber", "INT NOT NULL DEFAULT 0")
    h.add("TTaskLog", "DoneType", "INT DEFAULT 0")
    h.stamp()
    h.at(35)
    h.update("UPDATE TTaskList SET Frequency24 = '4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4,4' "
             "WHERE Frequency24 IS NULL")
    h.stamp()
    h.at(36)
    h.add("TTaskList", "Arg5", "MEMO " + WC)
    h.add("TTaskList", "CurrentPage5", "INT NOT NULL DEFAULT 0")
    h.add("TTaskList", "MaxPage2", "INT NOT NULL DEFAULT 10")
    h.add("TTaskList", "MallID", "INT NOT NULL DEFAULT 0")
    h.add("TTaskList", "Price", "MONEY NOT NULL DEFAULT 0")
    h.add("TTaskList", "CurrentPage6", "INT NOT NULL DEFAULT 0")
    h.add("TTaskList", "MaxPage3", "INT NOT NULL DEFAULT 0")
    h.drop("TTaskList", "SearchKeyword2")
    h.view("VTaskList", vtasklist(36))
    h.stamp()
    h.at(37)
    h.view("VTaskList", vtasklist(37))
    h.stamp()
    h.at(38)
    h.update("UPDATE TSiteCategories SET IsReady = True WHERE SiteCategory LIKE 'Mobile_%'")
    h.stamp()
    h.at(39)
    h.update("UPDATE TTaskList SET MaxPage2 = 10 WHERE MaxPage2 = 0")
    h.stamp()
    h.at(40)
    h.update("UPDATE TSiteCategories SET IsReady = False WHERE SiteCategory = 'Daum_Blog'")
    h.stamp()
    h.at(41)
    h.add("TSettings", "Alias", "TEXT(255) %s DEFAULT \"\"" % WC)
    h.add(cats, "StayStart", "INT NOT NULL DEFAULT 0")
    h.add(cats, "StayEnd", "INT NOT NULL DEFAULT 0")
    h.add("TTaskList", "FrequencyWeeks", "TEXT(100) %s DEFAULT \"100,100,100,100,100,100,100\"" % WC)
    for key, v1, v2, alias in [
            ("Stay.PageLoading", 3, 5, "페이지 로딩 대기"), ("Stay.PartURL", 2, 4, "URL 부분 체류"),
            ("Stay.FocusURL", 0, 1, "URL링크 포커싱"), ("Stay.Typing", 1, 3, "검색어 입력 대기"),
            ("Stay.FocusSearchButton", 1, 2, "검색버튼 포커싱"), ("Stay.TaskTerm", 5, 10, "작업 간격"),
            ("HotKeywordUsed", 0, 0, "인기검색어 사용")]:
        h.setting(key, v1, v2, alias)
    for i, (_id, ctype, name, _p, _a, mobile) in enumerate(refdata.INITIAL_CATEGORIES):
        if ctype == 0:
            start = 20 + (i % 4) * 10 if not mobile else 15 + (i % 3) * 5
            h.update("UPDATE TSiteCategories SET StayStart = %d, StayEnd = %d WHERE SiteCategory = '%s'"
                     % (start, start * 2, name))
    h.view("VTaskList", vtasklist(41))
    h.stamp()
    h.at(42)
    h.add("TTaskList", "RankRate",
          "TEXT(50) %s DEFAULT \"5,100|10,100|20,100|30,100|40,100|100,100|100,100\"" % WC)
    h.view("VTaskList", vtasklist(42))
    h.stamp()
    h.at(43)
    h.update("UPDATE TSettings SET Val1 = '5', Val2 = '8' WHERE ID = 'Stay.TaskTerm'")
    h.stamp()
    h.at(44)
    h.setting("Stay.RelatedVisit", 20, 40, "연관검색어 방문 체류")
    h.drop("TTaskList", "VisitCount")
    h.drop("TTaskList", "VisitCountMobile")
    h.stamp()
    h.at(45)
    h.setting("Stay.Main", 3, 6, "메인화면 체류")
    h.stamp()
    h.at(46)
    h.setting("Related.Click.MainKeywordLink", 30, 0, "연관검색 메인키워드 링크 클릭")
    h.setting("Related.Click.BrandKeywordLink", 20, 0, "연관검색 브랜드키워드 링크 클릭")
    h.setting("Related.Click.RelatedLink", 50, 0, "연관검색어 링크 클릭")
    h.stamp()
    h.at(47)
    h.setting("Stay.RelatedVisit.Part", 5, 10, "연관검색어 방문 부분 체류")
    h.stamp()
    h.at(48)
    h.add("TSettings", "Order", "INT NOT NULL DEFAULT 0")
    for i, key in enumerate(["Stay.PageLoading", "Stay.PartURL", "Stay.Typing", "Stay.FocusSearchButton",
                             "Stay.FocusURL", "Stay.TaskTerm", "Stay.Main", "Stay.RelatedVisit",
                             "Stay.RelatedVisit.Part", "HotKeywordUsed", "Related.Click.MainKeywordLink",
                             "Related.Click.BrandKeywordLink", "Related.Click.RelatedLink"]):
        h.update("UPDATE TSettings SET [Order] = %d WHERE ID = '%s'" % (i + 1, key))
    h.stamp()
    h.at(49)
    h.raw("INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd)\n"
          "SELECT ID + 100000, 2, 'Related_' & SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd\n"
          "FROM TSiteCategories WHERE Type = 0", "insert")
    h.stamp()
    h.at(50)
    h.add("TTaskList", "LastRankCheckDate", "DATE NOT NULL DEFAULT 0")
    h.stamp()
    h.at(51)
    h.procedure("PSumLogByDay",
                "SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount, Sum(SearchCount) AS SumSearchCount\n"
                "FROM TTaskLogHour\n"
                "WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, \"yyyy-mm-dd\") = [LogDay]\n"
                "GROUP BY TaskIDX")
    h.procedure("PSumLogByHour",
                "SELECT TaskIDX, Count(*) AS DoneCount, Max(Rank) AS MaxRank, Sum(IIf(ErrNumber = 0, 0, 1)) AS ErrCount\n"
                "FROM TTaskLog\n"
                "WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, \"yyyy-mm-dd hh\") = [LogHour]\n"
                "GROUP BY TaskIDX")
    h.stamp()
    h.at(52)
    h.add("TTaskList", "Remark", "MEMO NOT NULL DEFAULT \"\"")
    h.setting("SearchCycle", 60, 0, "검색 주기(분)", 14)
    h.view("VTaskList", vtasklist(52))
    h.stamp()
    for v in (53, 55):
        h.at(v)
        added_categories(h, v)
        h.stamp()
    h.at(54)
    h.add("TTaskList", "webSN", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(56)
    h.procedure("PSumLogByDay",
                "SELECT TaskIDX, Max(Rank) AS MaxRank, Min(Rank) AS MinRank, Sum(DoneCount) AS SumDoneCount, "
                "Sum(SearchCount) AS SumSearchCount\n"
                "FROM TTaskLogHour\n"
                "WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, \"yyyy-mm-dd\") = [LogDay]\n"
                "GROUP BY TaskIDX")
    h.stamp()

    # -- 57, 58: hourly summary as a view, interval log ---------------------------
    h.at(57)
    h.add("TTaskList", "SearchInterval", "INT NOT NULL DEFAULT 30")
    h.view("PSumLogByHour",
           "SELECT TaskIDX, Format(LogDate, \"yyyy-mm-dd hh\") AS LogHour, Count(*) AS DoneCount, "
           "Max(Rank) AS MaxRank\n"
           "FROM TTaskLog\n"
           "GROUP BY TaskIDX, Format(LogDate, \"yyyy-mm-dd hh\")")
    h.stamp()
    h.at(58)
    h.create("TTaskLogInterval", [("TaskIDX", "LONG NOT NULL"), ("LogDate", "DATETIME DEFAULT Now()"),
                                  ("Rank", "LONG DEFAULT 0"), ("UpdateDate", "DATETIME DEFAULT Now()"),
                                  ("SearchCount", "LONG NOT NULL DEFAULT 0")],
             [("PrimaryKey", "PRIMARY KEY", ["TaskIDX", "LogDate"])])
    h.raw("INSERT INTO TTaskLogInterval (TaskIDX, LogDate, Rank, UpdateDate, SearchCount)\n"
          "SELECT TaskIDX, LogDate, Rank, UpdateDate, SearchCount FROM TTaskLogHour", "insert")
    h.view("PSumLogByInterval",
           "SELECT TaskIDX, Format(LogDate, \"yyyy-mm-dd hh:nn\") AS LogMinute, Max(Rank) AS MaxRank, "
           "Sum(SearchCount) AS SumSearchCount\n"
           "FROM TTaskLogInterval\n"
           "GROUP BY TaskIDX, Format(LogDate, \"yyyy-mm-dd hh:nn\")")
    h.setting("RelationType", 0, 0, "연관검색 방식", 15)
    h.setting("Stay.RelatedVisit.MostNumber", 3, 0, "연관검색어 최대 방문 수", 16)
    h.stamp()

    # -- 59 to 119 ---------------------------------------------------------------
    h.at(59)
    h.add("TTaskLogInterval", "DoneCount", "LONG NOT NULL DEFAULT 0")
    h.stamp()
    h.at(60)
    h.add("TTaskList", "RelationLogic", "INT NOT NULL DEFAULT 0")
    for val, desc in enumerate(["선택", "랜덤", "순서대로", "역순", "인기순", "최신순", "정확도순",
                                "댓글많은순", "공감많은순", "조회수순"]):
        h.code("RelationLogic", val, str(val), desc)
    h.stamp()
    for v in (61, 64):
        h.at(v)
        added_categories(h, v)
        h.stamp()
    h.at(62)
    h.update("UPDATE TSettings SET Val1 = '1' WHERE ID = 'RelationType'")
    h.stamp()
    h.at(63)
    h.add("TTaskList", "RelatioinLogicTemp", "Memo %s DEFAULT \"\"" % WC)
    h.update("UPDATE TTaskList SET RelatioinLogicTemp = RelationLogic & '' WHERE RelationLogic > 0")
    h.drop("TTaskList", "RelationLogic")
    h.rename("TTaskList", "RelatioinLogicTemp", "RelationLogic")
    h.stamp()
    h.at(65)
    for c in ["BeforeTaskVisitStart", "BeforeTaskVisitEnd", "AfterTaskVisitStart", "AfterTaskVisitEnd"]:
        h.add("TTaskList", c, "INT DEFAULT 0")
    h.setting("SessionStart", 0, 0, "세션 시작 시간", 17)
    h.setting("SessionEnd", 24, 0, "세션 종료 시간", 18)
    h.view("VTaskList", vtasklist(65))
    h.stamp()
    h.at(66)
    h.add("TTaskList", "CurrentRankMobile", "INT DEFAULT 0")
    h.add("TTaskList", "StartRankMobile", "INT DEFAULT 0")
    for t in ["TTaskLog", "TTaskLogHour", "TTaskLogDay", "TTaskLogInterval"]:
        h.add(t, "RankMobile", "INT DEFAULT 0")
    h.view("PSumLogByDay",
           "SELECT TaskIDX, Format(LogDate, \"yyyy-mm-dd\") AS SumDay, Max(Rank) AS MaxRank, "
           "Max(RankMobile) AS MaxRankMobile, Sum(DoneCount) AS SumDoneCount\n"
           "FROM TTaskLogHour\n"
           "GROUP BY TaskIDX, Format(LogDate, \"yyyy-mm-dd\")")
    h.view("PSumLogByHour",
           "SELECT TaskIDX, Format(LogDate, \"yyyy-mm-dd hh\") AS LogHour, Count(*) AS DoneCount, "
           "Max(Rank) AS MaxRank, Max(RankMobile) AS MaxRankMobile\n"
           "FROM TTaskLog\n"
           "GROUP BY TaskIDX, Format(LogDate, \"yyyy-mm-dd hh\")")
    h.view("PSumLogByInterval",
           "SELECT TaskIDX, Format(LogDate, \"yyyy-mm-dd hh:nn\") AS LogMinute, Max(Rank) AS MaxRank, "
           "Max(RankMobile) AS MaxRankMobile, Sum(DoneCount) AS SumDoneCount\n"
           "FROM TTaskLogInterval\n"
           "GROUP BY TaskIDX, Format(LogDate, \"yyyy-mm-dd hh:nn\")")
    h.stamp()
    h.at(67)
    h.add("TIPKinds", "MobileDeviceID", "TEXT(255) " + WC)
    h.add("TIPKinds", "ParentIPKind", "INT DEFAULT 0")
    h.stamp()
    h.at(68)
    h.update("UPDATE TIPKinds SET ParentIPKind = 1 WHERE IPKind = 4")
    h.stamp()
    h.at(69)
    h.add("TCodes", "Order", "INT DEFAULT 0")
    h.delete("DELETE FROM TCodes WHERE Code = 'RelationLogic' AND Val = 0")
    contents = ["랜덤", "최신글", "인기글", "제목순", "작성자순", "댓글순", "공감순", "조회순", "첫글",
                "마지막글", "이전글", "다음글", "같은카테고리", "같은작성자", "같은키워드", "태그",
                "이미지글", "동영상글"]
    for i, desc in enumerate(contents):
        h.code("RelationLogic_Contents", i + 1, str(i + 1), desc)
    for code in ["MobileUserAgent", "PCUserAgent", "RelationLogic", "FunctionType", "IPState"]:
        h.update("UPDATE TCodes SET [Order] = Val WHERE Code = '%s'" % code)
    h.stamp()
    h.at(70)
    h.setting("Suggest.ListClickA", 70, 0, "자동완성 목록 클릭 A", 19)
    h.setting("Suggest.ListClickB", 30, 0, "자동완성 목록 클릭 B", 20)
    h.stamp()
    h.at(71)
    added_categories(h, 71)
    h.stamp()
    h.at(72)
    h.setting("Suggest.SearchRate", 50, 0, "자동완성 검색 비율", 21)
    h.stamp()
    h.at(73)
    h.update("UPDATE TSettings SET Alias = '자동완성 목록 클릭(첫번째)' WHERE ID = 'Suggest.ListClickA'")
    h.update("UPDATE TSettings SET Alias = '자동완성 목록 클릭(두번째)' WHERE ID = 'Suggest.ListClickB'")
    h.stamp()
    h.at(74)
    h.add("TTaskList", "SearchType", "INT DEFAULT 0")
    for val, text, desc in [(0, "Keyword", "키워드검색"), (1, "Direct", "직접방문"), (2, "Link", "링크방문")]:
        h.code("SearchType", val, text, desc)
    h.stamp()
    h.at(75)
    h.update("UPDATE TTaskList SET SearchType = 0 WHERE SearchType IS NULL")
    h.stamp()
    h.at(76)
    added_categories(h, 76)
    h.stamp()
    h.at(77)
    h.update("UPDATE TSiteCategories SET IsReady = True WHERE SiteCategory = 'Daum_Blog'")
    h.stamp()
    h.at(78)
    h.add("TTaskList", "RankCheckCountMobile", "INT DEFAULT 0")
    h.add("TTaskList", "RankCheckCountPC", "INT DEFAULT 0")
    h.stamp()
    h.at(79)
    h.create("TUserIdIPs", [
        ("IDX", "AUTOINCREMENT"), ("UserId", "TEXT(50) %s NOT NULL" % WC), ("Pwd", "TEXT(50) %s NOT NULL" % WC),
        ("UsageType", "LONG DEFAULT 0"), ("IdState", "INT NOT NULL DEFAULT 0"), ("LastCheckedDate", "DATETIME"),
        ("UserName", "TEXT(255) " + WC), ("BirthDate", "DATETIME"), ("Gender", "LONG DEFAULT 0"),
        ("SSN1", "TEXT(255) " + WC), ("SSN2", "TEXT(255) " + WC), ("IPHost", "TEXT(50) " + WC),
        ("IPKind", "INT NOT NULL DEFAULT 0"), ("IPState", "INT NOT NULL DEFAULT 0"),
        ("SubnetMask", "TEXT(50) " + WC), ("Gateway", "TEXT(50) " + WC), ("DNS", "TEXT(50) " + WC),
        ("MobilePhone", "TEXT(50) " + WC), ("Email", "TEXT(50) " + WC), ("Remark", "TEXT(255) " + WC)],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"]), ("UserId", "UNIQUE", ["UserId"])])
    h.add("TTaskLog", "IPIDX", "INT NOT NULL DEFAULT 0")
    h.add("TTaskLog", "UserIDX", "INT NOT NULL DEFAULT 0")
    h.add("TTaskLog", "IsMobile", "BIT NOT NULL DEFAULT False")
    h.add("TTaskLog", "EndDate", "DATE NOT NULL DEFAULT Now()")
    for val, desc in enumerate(["미확인", "정상", "보호조치", "로그인실패", "휴면", "탈퇴", "본인확인필요",
                                "비밀번호오류", "캡차", "일시정지", "사용안함", "차단", "점검중"]):
        if val >= 10:
            val += 1  # 10 is left for a later state
        h.code("IdState", val, str(val), desc)
    h.view("VTaskList", vtasklist(79))
    h.stamp()
    h.at(80)
    for t in ["TTaskLog", "TTaskLogHour", "TTaskLogDay"]:
        h.add(t, "IsDoneSearchRanker", "BIT DEFAULT False")
        h.add(t, "IsDoneSearchRankerMobile", "BIT DEFAULT False")
    h.stamp()
    h.at(81)
    h.add("TUserIdIPs", "DomainType", "INT NOT NULL DEFAULT 1")
    h.add("TUserIdIPs", "InUse", "BIT NOT NULL DEFAULT FALSE")
    for val, text, desc in [(0, "None", "없음"), (1, "Naver", "네이버"), (2, "Daum", "다음"),
                            (3, "Google", "구글"), (4, "Etc", "기타")]:
        h.code("DomainType", val, text, desc)
    h.stamp()
    h.at(82)
    h.setting("MovePrevPage", 0, 0, "이전 페이지 이동", 22)
    h.stamp()
    h.at(83)
    h.add("TTaskList", "LastSearchPage", "INT DEFAULT 0")
    h.setting("DoNotVisit", 0, 0, "방문하지 않음", 23)
    h.stamp()
    h.at(84)
    h.setting("VisibleSearchRankerWindow", 0, 0, "순위조회 창 표시", 24)
    h.setting("MovePrevPageNumber", 1, 0, "이전 페이지 이동 수", 25)
    h.stamp()
    h.at(85)
    h.add("TUserIdIPs", "UsedCount", "INT DEFAULT 0")
    added_categories(h, 85)
    h.stamp()
    h.at(86)
    h.add("TTaskList", "PrevPageNumber", "INT DEFAULT -1")
    h.stamp()
    for v in (87, 88, 89):
        h.at(v)
        h.update("UPDATE TSettings SET Val2 = '%d' WHERE ID = 'Stay.PageLoading'" % (v - 81))
        h.stamp()
    h.at(90)
    h.add("TTaskList", "LastUpdateDate", "DATE DEFAULT NOW")
    h.stamp()
    h.at(91)
    h.add("TIPKinds", "MobileVersion", "TEXT(50) %s DEFAULT \"\"" % WC)
    h.stamp()
    h.at(92)
    added_categories(h, 92)
    h.stamp()
    h.at(93)
    h.add("TIPKinds", "MobileMethod", "INT DEFAULT -1")
    for val, text, desc in [(0, "USB", "USB 테더링"), (1, "WiFi", "WiFi 테더링"), (2, "Bluetooth", "블루투스 테더링")]:
        h.code("MobileMethod", val, text, desc)
    h.stamp()
    h.at(94)
    h.setting("SyncInterval", 10, 0, "동기화 주기(분)", 26)
    h.stamp()
    h.at(95)
    h.add("TIPs", "LastUsedDate", "DATETIME")
    h.stamp()
    h.at(96)
    h.setting("IsWebSync", 0, 0, "웹 동기화 사용", 27)
    h.stamp()
    h.at(97)
    h.update("UPDATE TSettings SET Val1 = '5' WHERE ID = 'SyncInterval'")
    h.stamp()
    h.at(98)
    h.setting("KeywordListClick", 30, 0, "키워드 목록 클릭", 28)
    h.stamp()
    h.at(99)
    h.add("TTaskList", "IsUpdated", "BIT DEFAULT False")
    h.add("TTaskList", "IsDeleted", "BIT DEFAULT False")
    h.view("VTaskList", vtasklist(99))
    h.stamp()
    h.at(100)
    h.add("TIPKinds", "CookieMode", "INT DEFAULT 0")
    h.stamp()
    h.at(101)
    added_categories(h, 101)
    h.stamp()
    h.at(102)
    h.add("TSettings", "Val3", "TEXT(255) %s DEFAULT \"\"" % WC)
    for key, v1, v2, v3, alias in [
            ("CookieRatio", 50, 50, 50, "쿠키 사용 비율"), ("CookieCntPC", 300, 300, 300, "PC 쿠키 수"),
            ("CookieCntMobile", 300, 300, 300, "모바일 쿠키 수"),
            ("IsSearchMonthCnt", 0, 0, 0, "월간 검색수 사용"), ("SearchPCRatio", 30, 30, 30, "PC 검색 비율"),
            ("SearchMobileRatio", 70, 70, 70, "모바일 검색 비율"), ("RelationLogic", 1, 1, 1, "연관 로직")]:
        h.setting(key, v1, v2, alias, 28 + len(key) % 7, v3)
    h.stamp()
    h.at(103)
    h.add("TTaskList", "CookieRatio", "INT DEFAULT 0")
    h.add("TTaskList", "LoginRatio", "INT DEFAULT 0")
    h.stamp()
    h.at(104)
    h.add("TTaskList", "SearchRatio", "INT DEFAULT 100")
    h.update("UPDATE TTaskList SET SearchRatio = ClickRatio WHERE ClickRatio < 100")
    h.drop("TTaskList", "ClickRatio")
    h.stamp()
    h.at(105)
    h.update("UPDATE TSettings SET Alias = '검색방문 PC 비율' WHERE ID = 'SearchPCRatio'")
    h.update("UPDATE TSettings SET Alias = '검색방문 모바일 비율' WHERE ID = 'SearchMobileRatio'")
    h.stamp()
    h.at(106)
    h.update("UPDATE TIPKinds SET MobileMethod = 0 WHERE IPKind = 1")
    h.stamp()
    h.at(107)
    h.add("TTaskLogHour", "IsUpload", "BIT DEFAULT False")
    h.stamp()
    h.at(108)
    for i, key in enumerate(["UseCountCookieMobile", "UseCountCookiePC", "UseCountLoginMobile", "UseCountLoginPC"]):
        h.setting(key, 3, 5, {"UseCountCookieMobile": "모바일 쿠키 사용 횟수", "UseCountCookiePC": "PC 쿠키 사용 횟수",
                              "UseCountLoginMobile": "모바일 로그인 사용 횟수",
                              "UseCountLoginPC": "PC 로그인 사용 횟수"}[key], 40 + i)
    h.stamp()
    h.at(109)
    h.add("TUserIdIPs", "PCDirDate", "DATETIME")
    h.add("TUserIdIPs", "MobileDirDate", "DATETIME")
    h.add("TUserIdIPs", "PCUsedCount", "INT NOT NULL DEFAULT 0")
    h.add("TUserIdIPs", "MobileUsedCount", "INT NOT NULL DEFAULT 0")
    h.add("TUserIdIPs", "PCLastUsedDate", "DATETIME")
    h.add("TUserIdIPs", "MobileLastUsedDate", "DATETIME")
    h.add("TUserIdIPs", "PCUserAgent", "INT NOT NULL DEFAULT 0")
    h.add("TUserIdIPs", "MobileUserAgent", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(110)
    h.add("TUserIdIPs", "PCUsedCountDay", "INT NOT NULL DEFAULT 0")
    h.add("TUserIdIPs", "MobileUsedCountDay", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(111)
    added_categories(h, 111)
    h.stamp()
    h.at(112)
    h.add("TTaskList", "RankChecked", "BIT NOT NULL DEFAULT FALSE")
    h.stamp()
    h.at(113)
    h.add("TIPKinds", "RankMonitorPortion", "INT NOT NULL DEFAULT 0")
    h.stamp()
    h.at(114)
    h.code("IPState", 3, "SearchBlocked", "검색제한")
    h.stamp()
    h.at(115)
    h.procedure("PSumLogByDay_SearchAndVisit",
                "SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount, Sum(SearchCount) AS SumSearchCount\n"
                "FROM TTaskLogHour\n"
                "WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, \"yyyy-mm-dd\") = [LogDay] AND IsMobile = [bMobile]\n"
                "GROUP BY TaskIDX")
    h.procedure("PSumLogByHour_SearchAndVisit",
                "SELECT TaskIDX, Count(*) AS DoneCount, Max(Rank) AS MaxRank\n"
                "FROM TTaskLog\n"
                "WHERE TaskIDX = [lTaskIDX] AND Format(LogDate, \"yyyy-mm-dd hh\") = [LogHour] AND IsMobile = [bMobile]\n"
                "GROUP BY TaskIDX")
    h.procedure("PSumLogByInterval_SearchAndVisit",
                "SELECT TaskIDX, Max(Rank) AS MaxRank, Sum(DoneCount) AS SumDoneCount\n"
                "FROM TTaskLogInterval\n"
                "WHERE TaskIDX = [lTaskIDX] AND LogDate >= [StartDate] AND LogDate < [EndDate]\n"
                "GROUP BY TaskIDX")
    h.stamp()
    h.at(116)
    h.add("TTaskList", "DoneCountTotal", "INT DEFAULT 0")
    h.update("UPDATE TTaskList SET DoneCountTotal = DoneCount + DoneCountMobile")
    h.stamp()
    h.at(117)
    h.setting("AlarmMethod", 0, 0, "알림 방법", 44)
    h.stamp()
    h.at(118)
    added_categories(h, 118)
    h.stamp()
    h.at(119)
    h.update("UPDATE TSettings SET Val1 = '0' WHERE ID = 'IsSearchMonthCnt'")
    h.stamp()

    build_120(h)


def added_categories(h, version):
    for v, cid, name, path, alias, mobile, twin in refdata.ADDED_CATEGORIES:
        if v != version:
            continue
        cols = ["ID", "Type", "SiteCategory", "Path", "Alias", "IsMobile", "IsReady"]
        vals = [cid, 0, name, path, alias, mobile, False]
        if h.model.has_column("TSiteCategories", "StayStart"):
            cols += ["StayStart", "StayEnd"]
            vals += [15, 30]
        h.insert("TSiteCategories", cols, vals)
        if twin:
            vals = list(vals)
            vals[0:3] = [cid + 100000, 2, "Related_" + name]
            h.insert("TSiteCategories", cols, vals)


def build_120(h):
    h.at(120)
    for p in ["PSumLogByDay", "PSumLogByHour", "PSumLogByInterval", "PSumLogByDay_SearchAndVisit",
              "PSumLogByHour_SearchAndVisit", "PSumLogByInterval_SearchAndVisit"]:
        h.drop_procedure(p)
    h.create("TUserActions", [
        ("IDX", "AUTOINCREMENT"), ("DomainType", "LONG NOT NULL DEFAULT 0"), ("UserIDX", "LONG NOT NULL DEFAULT 0"),
        ("ProfileIDX", "LONG NOT NULL DEFAULT 0"), ("ActionType", "LONG NOT NULL DEFAULT 0"),
        ("ContentKey", "TEXT(255) %s DEFAULT \"\"" % WC), ("ActionDate", "DATETIME NOT NULL")],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"])])
    h.create("TUserProfiles", [
        ("IDX", "AUTOINCREMENT"), ("IsMobile", "BIT NOT NULL DEFAULT 0"), ("ProfileNumber", "LONG NOT NULL DEFAULT 0"),
        ("IPHost", "TEXT(50) " + WC), ("SubnetMask", "TEXT(50) " + WC), ("Gateway", "TEXT(50) " + WC),
        ("DNS", "TEXT(50) " + WC), ("IPKind", "LONG NOT NULL DEFAULT 0"), ("IPState", "LONG NOT NULL DEFAULT 0"),
        ("UserAgent", "LONG NOT NULL DEFAULT 0"), ("InUse", "BIT NOT NULL DEFAULT 0"), ("DirDate", "DATETIME"),
        ("LastUsedDate", "DATETIME NOT NULL DEFAULT 0"), ("UsedCount", "LONG NOT NULL DEFAULT 0"),
        ("UsedCountDay", "LONG NOT NULL DEFAULT 0"), ("LastTaskDate", "DATETIME NOT NULL DEFAULT 0"),
        ("TaskCountDay", "LONG NOT NULL DEFAULT 0"), ("Remark", "TEXT(255) " + WC)],
        [("PrimaryKey", "PRIMARY KEY", ["IDX"])])

    # TTaskList: exchange tasks and the split done counters.
    h.add("TTaskList", "IsExchangeTask", "BIT NOT NULL DEFAULT 0")
    for c in ["LikeCount", "CommentCount", "DoneCountLike", "DoneCountComment"]:
        h.add("TTaskList", c, "INT NOT NULL DEFAULT 0")
    for c in DONE_PC + DONE_MOBILE + DONE_EXCHANGE:
        h.add("TTaskList", c, "INT NOT NULL DEFAULT 0")
    h.update("UPDATE TTaskList SET DoneCountTempNewVisit = DoneCount, DoneCountTempMobileNewVisit = DoneCountMobile")

    # TTaskLog: what the run did and for whom.
    h.add("TTaskLog", "FunctionType", "INT NOT NULL DEFAULT 0")
    h.add("TTaskLog", "ActionType", "INT NOT NULL DEFAULT 0")
    h.add("TTaskLog", "ProfileIDX", "LONG NOT NULL DEFAULT 0")
    h.add("TTaskLog", "IPKind", "LONG NOT NULL DEFAULT -1")
    h.add("TTaskLog", "IsRevisit", "BIT NOT NULL DEFAULT 0")
    h.add("TTaskLog", "IsExchangeTask", "BIT NOT NULL DEFAULT 0")
    h.update("UPDATE TTaskLog SET IPKind = 0 WHERE IPIDX > 0")

    for t in ["TTaskLogHour", "TTaskLogDay", "TTaskLogInterval"]:
        for c in DONE_PC + DONE_MOBILE:
            h.add(t, c, "LONG NOT NULL DEFAULT 0")
        for c in DONE_EXCHANGE:
            h.add(t, c, "INT NOT NULL DEFAULT 0")
        h.update("UPDATE %s SET DoneCountTempNewVisit = DoneCount" % t)

    # TUserIdIPs: counters by day and the types that grew.
    h.add("TUserIdIPs", "PCTaskCountDay", "LONG NOT NULL DEFAULT 0")
    h.add("TUserIdIPs", "MobileTaskCountDay", "LONG NOT NULL DEFAULT 0")
    h.add("TUserIdIPs", "PCLastTaskDate", "DATETIME NOT NULL DEFAULT 0")
    h.add("TUserIdIPs", "MobileLastTaskDate", "DATETIME NOT NULL DEFAULT 0")
    # The columns that become NOT NULL below get values first.
    for c in ["IdState", "IPKind", "IPState", "PCUsedCount", "MobileUsedCount"]:
        h.update("UPDATE TUserIdIPs SET %s = 0 WHERE %s IS NULL" % (c, c))
    h.update("UPDATE TUserIdIPs SET PCLastUsedDate = 0 WHERE PCLastUsedDate IS NULL")
    h.update("UPDATE TUserIdIPs SET MobileLastUsedDate = 0 WHERE MobileLastUsedDate IS NULL")
    h.update("UPDATE TUserIdIPs SET PCUsedCount = PCUsedCount + UsedCount WHERE UsedCount > 0")
    h.alter("TUserIdIPs", "IdState", "LONG NOT NULL DEFAULT 0")
    h.alter("TUserIdIPs", "IPKind", "LONG NOT NULL DEFAULT 0")
    h.alter("TUserIdIPs", "IPState", "LONG NOT NULL DEFAULT 0")
    h.alter("TUserIdIPs", "PCUsedCount", "LONG NOT NULL DEFAULT 0")
    h.alter("TUserIdIPs", "MobileUsedCount", "LONG NOT NULL DEFAULT 0")
    h.alter("TUserIdIPs", "PCLastUsedDate", "DATETIME NOT NULL DEFAULT 0")
    h.alter("TUserIdIPs", "MobileLastUsedDate", "DATETIME NOT NULL DEFAULT 0")

    # What version 120 retired.
    for t, c in [("TSiteCategories", "SiteCategory2"), ("TSiteCategories", "Remark"),
                 ("TTaskList", "DoneCount"), ("TTaskList", "LastRank"), ("TTaskList", "SearchCount"),
                 ("TTaskList", "IPKind"), ("TTaskList", "Priority"), ("TTaskList", "DoneCountMobile"),
                 ("TTaskList", "TodayDoneCount"), ("TTaskList", "CookieRatio"), ("TTaskList", "LoginRatio"),
                 ("TTaskLogHour", "IsMobile"), ("TTaskLogHour", "UpdateCount"), ("TTaskLogHour", "DoneCount"),
                 ("TTaskLogDay", "DoneCount"), ("TTaskLogInterval", "DoneCount"), ("TUserIdIPs", "UsedCount"),
                 ("TIPKinds", "CookieMode")]:
        h.drop(t, c)

    h.delete("DELETE FROM TSettings WHERE ID = 'CookieRatio'")
    h.delete("DELETE FROM TSettings WHERE ID = 'LoginRatio'")
    for val, text, desc in [(0, "Visit", "기본"), (1, "Comment", "덧글"), (2, "Like", "공감")]:
        h.code("ActionType", val, text, desc)
    h.update("UPDATE TUserIdIPs SET PCTaskCountDay = 0, MobileTaskCountDay = 0")
    h.update("UPDATE TSettings SET Val1 = '300' WHERE ID = 'CookieCntPC' AND (Val1 IS NULL OR Val1 = '')")
    h.update("UPDATE TSettings SET Alias = 'PC 쿠키 수(신규방문)' WHERE ID = 'CookieCntPC'")
    h.update("UPDATE TSettings SET Alias = '모바일 쿠키 수(신규방문)' WHERE ID = 'CookieCntMobile'")
    h.update("UPDATE TTaskList SET IsExchangeTask = False, LikeCount = 0, CommentCount = 0")
    h.update("UPDATE TTaskLog SET FunctionType = 0, ActionType = 0, IsExchangeTask = False")
    h.view("VTaskList", vtasklist(120))
    h.stamp()


# ----------------------------------------------------------------------------
# The task view through the versions. Each definition uses only columns that
# exist at its version.

def _sum(prefix, cols):
    return " + ".join(prefix + c for c in cols)


def vtasklist(v):
    I = "\x01"
    sel = ["T.*", "S.Alias AS SiteCategoryAlias", "S.Path AS SiteCategoryPath"]
    frm = "TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory"
    where = []
    if v >= 29:
        sel.insert(1, "S.ID AS SiteCategoryID")
    if v >= 36:
        sel.append("C.Description AS FunctionTypeName")
        frm = "(%s) INNER JOIN TCodes AS C ON T.FunctionType = C.Val" % frm
        where.append("C.Code = 'FunctionType'")
    if 52 <= v < 120:
        sel.append("S.StayStart AS SiteStayStart")
        sel.append("S.StayEnd AS SiteStayEnd")
    if 65 <= v < 120:
        sel.append("S.IsReady AS SiteIsReady")
    if 79 <= v < 120:
        sel.append("(T.MonthCnt - T.MonthCntM) AS MonthCntRemain")
    if v >= 330:
        frm = "(%s) INNER JOIN TSiteCategoryVisible AS V ON T.SiteCategory = V.SiteCategory" % frm
    if v >= 203:
        sel.append("L.Region1 AS CityRegion1")
        sel.append("L.Region2 AS CityRegion2")
        sel.append("L.Region3 AS CityRegion3")
        frm = "(%s) LEFT JOIN TCityLocations AS L ON T.CityLocationCode = L.Code" % frm
    if v >= 37:
        today = "Format(D0.LogDate, \"yyyymmdd\") = Format(Now(), \"yyyymmdd\")"
        cond = "T.IDX = D0.TaskIDX AND " + ("D0.ActionType = 0 AND " if v >= 212 else "") + today
        frm = "(%s) LEFT JOIN TTaskLogDay AS D0 ON (%s)" % (frm, cond)
    if v >= 41:
        yday = "Format(D1.LogDate, \"yyyymmdd\") = Format(DateAdd(\"d\", -1, Now()), \"yyyymmdd\")"
        cond = "T.IDX = D1.TaskIDX AND " + ("D1.ActionType = 0 AND " if v >= 212 else "") + yday
        frm = "(%s) LEFT JOIN TTaskLogDay AS D1 ON (%s)" % (frm, cond)
    if 37 <= v < 120:
        sel.append("IIf(IsNull(D0.DoneCount), 0, D0.DoneCount) AS TodayDoneCount")
    if 41 <= v < 120:
        sel.append("IIf(IsNull(D1.DoneCount), 0, D1.DoneCount) AS YesterdayDoneCount")
    if v >= 42:
        sel.append("IIf(IsNull(D0.Rank), 0, D0.Rank) AS TodayRank")
        sel.append("IIf(IsNull(D1.Rank), 0, D1.Rank) AS YesterdayRank")
    if v >= 66 and v >= 42:
        sel.append("IIf(IsNull(D0.RankMobile), 0, D0.RankMobile) AS TodayRankMobile")
        sel.append("IIf(IsNull(D1.RankMobile), 0, D1.RankMobile) AS YesterdayRankMobile")
    if v >= 322:
        sel.append("IIf(IsNull(D0.Rank5), 0, D0.Rank5) AS TodayRank5")
    if v >= 323:
        sel.append("IIf(IsNull(D1.Rank5), 0, D1.Rank5) AS YesterdayRank5")
    if v >= 324:
        sel.append("IIf(IsNull(D0.CurrentPrice), T.CurrentPrice, D0.CurrentPrice) AS TodayPrice")
    if v >= 325:
        sel.append("IIf(IsNull(D0.ReviewCount), T.ReviewCount, D0.ReviewCount) AS TodayReviewCount")
    if 326 <= v < 330:
        sel.append("S.IsReadyBrisklet AS SiteIsReadyBrisklet")
    if v >= 120:
        for day in ("D0", "D1"):
            label = "Today" if day == "D0" else "Yesterday"
            sel.append("IIf(IsNull(%s.TaskIDX), 0, %s) AS %sDoneCountPC" % (day, _sum(day + ".", DONE_PC), label))
            sel.append("IIf(IsNull(%s.TaskIDX), 0, %s) AS %sDoneCountMobile"
                       % (day, _sum(day + ".", DONE_MOBILE), label))
        sel.append("(%s) AS DoneCountPC" % _sum("T.", DONE_PC))
        sel.append("(%s) AS DoneCountMobile" % _sum("T.", DONE_MOBILE))
        sel.append("(%s) AS DoneCountExchange" % _sum("T.", DONE_EXCHANGE))
    if v >= 126:
        actions = ["DoneCountLike", "DoneCountComment"]
        if v >= 212:
            actions.append("DoneCountShare")
        if v >= 233:
            actions.append("DoneCountBuddy")
        if v >= 275:
            actions.append("DoneCountMainRecommend")
        if v >= 330:
            actions.append("DoneCountSave")
        sel.append("(%s) AS DoneCountAction" % _sum("T.", actions))
    if 165 <= v:
        sel.append("IIf(T.isWebManage, 1, 0) AS WebManageFlag")
    if v >= 99:
        where.insert(0, "T.IsDeleted = False")
    if v >= 330:
        where.append("V.PCode = [PCodeString]")
    if v >= 348:
        where.append("(V.DisplayMode = 0 OR V.DisplayMode = [Display])")
    text = "SELECT " + (",\n" + I).join(sel) + "\nFROM " + frm
    if where:
        text += "\nWHERE " + " AND ".join(where)
    text += "\nORDER BY T.IDX"
    return text
