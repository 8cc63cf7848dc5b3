ALTER TABLE TTaskList ADD COLUMN ContentKey TEXT(100) WITH COMPRESSION DEFAULT ""■
ALTER TABLE TTaskList ADD COLUMN DomainType LONG NOT NULL DEFAULT 0■
UPDATE TTaskList SET ContentKey = SiteCategory & '|' & Arg2 WHERE FunctionType = 0■
UPDATE TTaskList SET DomainType = 1 WHERE SiteCategory LIKE '%Naver%'■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.ID AS SiteCategoryID,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath,
	C.Description AS FunctionTypeName,
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
	(T.DoneCountLike + T.DoneCountComment) AS DoneCountAction
FROM (((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE T.IsDeleted = False AND C.Code = 'FunctionType'
ORDER BY T.IDX■

UPDATE TSettings SET [Val1] = '126' WHERE [ID] = 'DBVersion'■
