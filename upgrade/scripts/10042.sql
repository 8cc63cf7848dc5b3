ALTER TABLE TTaskList ADD COLUMN RankRate TEXT(50) WITH COMPRESSION DEFAULT "5,100|10,100|20,100|30,100|40,100|100,100|100,100"■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.ID AS SiteCategoryID,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath,
	C.Description AS FunctionTypeName,
	IIf(IsNull(D0.DoneCount), 0, D0.DoneCount) AS TodayDoneCount,
	IIf(IsNull(D1.DoneCount), 0, D1.DoneCount) AS YesterdayDoneCount,
	IIf(IsNull(D0.Rank), 0, D0.Rank) AS TodayRank,
	IIf(IsNull(D1.Rank), 0, D1.Rank) AS YesterdayRank
FROM (((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))
WHERE C.Code = 'FunctionType'
ORDER BY T.IDX■
UPDATE TSettings SET [Val1] = '42' WHERE [ID] = 'DBVersion'■
