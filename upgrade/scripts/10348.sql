ALTER TABLE TSiteCategoryVisible ADD COLUMN DisplayMode LONG DEFAULT 0■
UPDATE TSiteCategoryVisible SET DisplayMode = 1 WHERE SiteCategory = 'Mobile_Naver_Live'■
UPDATE TSiteCategoryVisible SET DisplayMode = 1 WHERE SiteCategory = 'Mobile_Naver_Place_Review'■
UPDATE TSiteCategoryVisible SET DisplayMode = 1 WHERE SiteCategory = 'Mobile_Naver_Hospital'■
SetColumnDescription TSiteCategoryVisible
    DisplayMode = '0:테스트모드이건 아니건 모두 표시, 1:테스트모드일때에만 표시, 2:테스트모드가 아닐때에만 표시'■
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
	IIf(IsNull(D0.Rank5), 0, D0.Rank5) AS TodayRank5,
	IIf(IsNull(D1.Rank5), 0, D1.Rank5) AS YesterdayRank5,
	IIf(IsNull(D0.CurrentPrice), T.CurrentPrice, D0.CurrentPrice) AS TodayPrice,
	IIf(IsNull(D0.ReviewCount), T.ReviewCount, D0.ReviewCount) AS TodayReviewCount,
	IIf(IsNull(D0.TaskIDX), 0, D0.DoneCountTempNewVisit + D0.DoneCountCookieNewVisit + D0.DoneCountCookieReVisit + D0.DoneCountLoginNewVisit + D0.DoneCountLoginReVisit) AS TodayDoneCountPC,
	IIf(IsNull(D0.TaskIDX), 0, D0.DoneCountTempMobileNewVisit + D0.DoneCountCookieMobileNewVisit + D0.DoneCountCookieMobileReVisit + D0.DoneCountLoginMobileNewVisit + D0.DoneCountLoginMobileReVisit) AS TodayDoneCountMobile,
	IIf(IsNull(D1.TaskIDX), 0, D1.DoneCountTempNewVisit + D1.DoneCountCookieNewVisit + D1.DoneCountCookieReVisit + D1.DoneCountLoginNewVisit + D1.DoneCountLoginReVisit) AS YesterdayDoneCountPC,
	IIf(IsNull(D1.TaskIDX), 0, D1.DoneCountTempMobileNewVisit + D1.DoneCountCookieMobileNewVisit + D1.DoneCountCookieMobileReVisit + D1.DoneCountLoginMobileNewVisit + D1.DoneCountLoginMobileReVisit) AS YesterdayDoneCountMobile,
	(T.DoneCountTempNewVisit + T.DoneCountCookieNewVisit + T.DoneCountCookieReVisit + T.DoneCountLoginNewVisit + T.DoneCountLoginReVisit) AS DoneCountPC,
	(T.DoneCountTempMobileNewVisit + T.DoneCountCookieMobileNewVisit + T.DoneCountCookieMobileReVisit + T.DoneCountLoginMobileNewVisit + T.DoneCountLoginMobileReVisit) AS DoneCountMobile,
	(T.DoneCountExchangeTempNewVisit + T.DoneCountExchangeCookieNewVisit + T.DoneCountExchangeCookieReVisit + T.DoneCountExchangeLoginNewVisit + T.DoneCountExchangeLoginReVisit + T.DoneCountExchangeTempMobileNewVisit + T.DoneCountExchangeCookieMobileNewVisit + T.DoneCountExchangeCookieMobileReVisit + T.DoneCountExchangeLoginMobileNewVisit + T.DoneCountExchangeLoginMobileReVisit) AS DoneCountExchange,
	(T.DoneCountLike + T.DoneCountComment + T.DoneCountShare + T.DoneCountBuddy + T.DoneCountMainRecommend + T.DoneCountSave) AS DoneCountAction,
	IIf(T.isWebManage, 1, 0) AS WebManageFlag
FROM (((((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) INNER JOIN TSiteCategoryVisible AS V ON T.SiteCategory = V.SiteCategory) LEFT JOIN TCityLocations AS L ON T.CityLocationCode = L.Code) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND D0.ActionType = 0 AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND D1.ActionType = 0 AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE T.IsDeleted = False AND C.Code = 'FunctionType' AND V.PCode = [PCodeString] AND (V.DisplayMode = 0 OR V.DisplayMode = [Display])
ORDER BY T.IDX■

SetColumnDescription TSiteCategoryVisible
    DisplayMode = "0:테스트모드이건 아니건 모두 표시, 1:테스트모드일때에만 표시, 2:테스트모드가 아닐때에만 표시"■
