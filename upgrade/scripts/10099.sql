ALTER TABLE TTaskList ADD IsUpdated BIT DEFAULT False■
ALTER TABLE TTaskList ADD IsDeleted BIT DEFAULT False■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.ID AS SiteCategoryID,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath,
	C.Description AS FunctionTypeName,
	S.StayStart AS SiteStayStart,
	S.StayEnd AS SiteStayEnd,
	S.IsReady AS SiteIsReady,
	(T.MonthCnt - T.MonthCntM) AS MonthCntRemain,
	IIf(IsNull(D0.DoneCount), 0, D0.DoneCount) AS TodayDoneCount,
	IIf(IsNull(D1.DoneCount), 0, D1.DoneCount) AS YesterdayDoneCount,
	IIf(IsNull(D0.Rank), 0, D0.Rank) AS TodayRank,
	IIf(IsNull(D1.Rank), 0, D1.Rank) AS YesterdayRank,
	IIf(IsNull(D0.RankMobile), 0, D0.RankMobile) AS TodayRankMobile,
	IIf(IsNull(D1.RankMobile), 0, D1.RankMobile) AS YesterdayRankMobile
FROM (((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE T.IsDeleted = False AND C.Code = 'FunctionType'
ORDER BY T.IDX■
UPDATE TSettings SET Val1 = '99' WHERE ID = 'DBVersion'■
