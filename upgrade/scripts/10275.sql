ALTER TABLE TTaskList ADD IsRevisitParent BIT DEFAULT False■
ALTER TABLE TTaskList ADD IsRevisit BIT DEFAULT False■
ALTER TABLE TTaskList ADD ParentExchangeLogSN LONG DEFAULT 0■
ALTER TABLE TTaskList ADD RevisitProfileIDX LONG DEFAULT 0■
ALTER TABLE TTaskList ADD RevisitUserIDX LONG DEFAULT 0■
ALTER TABLE TTaskList ADD RevisitStartDate DATETIME DEFAULT 0■
SetColumnDescription TTaskList
    IsRevisitParent = "재방문 상위 여부"
    ,IsRevisit = "재방문 여부"
    ,ParentExchangeLogSN = "상위 품앗이 로그 번호"
    ,RevisitProfileIDX = "재방문 프로필 번호"
    ,RevisitUserIDX = "재방문 사용자 번호"
    ,RevisitStartDate = "재방문 시작 일시"■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.ID AS SiteCategoryID,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath,
	C.Description AS FunctionTypeName,
	L.Region1 AS CityRegion1,
	L.Region2 AS CityRegion2,
	L.Region3 AS CityRegion3,
	IIf(IsNull(D0.Rank), 0, D0.Rank) AS TodayRank,
	IIf(IsNull(D1.Rank), 0, D1.Rank) AS YesterdayRank,
	IIf(IsNull(D0.RankMobile), 0, D0.RankMobile) AS TodayRankMobile,
	IIf(IsNull(D1.RankMobile), 0, D1.RankMobile) AS YesterdayRankMobile,
	IIf(IsNull(D0.TaskIDX), 0, D0.DoneCountTempNewVisit + D0.DoneCountCookieNewVisit + D0.DoneCountCookieReVisit + D0.DoneCountLoginNewVisit + D0.DoneCountLoginReVisit) AS TodayDoneCountPC,
	IIf(IsNull(D0.TaskIDX), 0, D0.DoneCountTempMobileNewVisit + D0.DoneCountCookieMobileNewVisit + D0.DoneCountCookieMobileReVisit + D0.DoneCountLoginMobileNewVisit + D0.DoneCountLoginMobileReVisit) AS TodayDoneCountMobile,
	IIf(IsNull(D1.TaskIDX), 0, D1.DoneCountTempNewVisit + D1.DoneCountCookieNewVisit + D1.DoneCountCookieReVisit + D1.DoneCountLoginNewVisit + D1.DoneCountLoginReVisit) AS YesterdayDoneCountPC,
	IIf(IsNull(D1.TaskIDX), 0, D1.DoneCountTempMobileNewVisit + D1.DoneCountCookieMobileNewVisit + D1.DoneCountCookieMobileReVisit + D1.DoneCountLoginMobileNewVisit + D1.DoneCountLoginMobileReVisit) AS YesterdayDoneCountMobile,
	(T.DoneCountTempNewVisit + T.DoneCountCookieNewVisit + T.DoneCountCookieReVisit + T.DoneCountLoginNewVisit + T.DoneCountLoginReVisit) AS DoneCountPC,
	(T.DoneCountTempMobileNewVisit + T.DoneCountCookieMobileNewVisit + T.DoneCountCookieMobileReVisit + T.DoneCountLoginMobileNewVisit + T.DoneCountLoginMobileReVisit) AS DoneCountMobile,
	(T.DoneCountExchangeTempNewVisit + T.DoneCountExchangeCookieNewVisit + T.DoneCountExchangeCookieReVisit + T.DoneCountExchangeLoginNewVisit + T.DoneCountExchangeLoginReVisit + T.DoneCountExchangeTempMobileNewVisit + T.DoneCountExchangeCookieMobileNewVisit + T.DoneCountExchangeCookieMobileReVisit + T.DoneCountExchangeLoginMobileNewVisit + T.DoneCountExchangeLoginMobileReVisit) AS DoneCountExchange,
	(T.DoneCountLike + T.DoneCountComment + T.DoneCountShare + T.DoneCountBuddy + T.DoneCountMainRecommend) AS DoneCountAction,
	IIf(T.isWebManage, 1, 0) AS WebManageFlag
FROM ((((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TCityLocations AS L ON T.CityLocationCode = L.Code) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND D0.ActionType = 0 AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND D1.ActionType = 0 AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE T.IsDeleted = False AND C.Code = 'FunctionType'
ORDER BY T.IDX■
UPDATE TSettings SET Val1="275" WHERE ID="DBVersion"■
