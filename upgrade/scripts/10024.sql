ALTER TABLE TFunctionPresets RENAME TO TSiteCategories■
ALTER TABLE TSiteCategories RENAME COLUMN FunctionName TO SiteCategory■
ALTER TABLE TTaskList RENAME COLUMN FunctionName TO SiteCategory■
ALTER TABLE TSiteCategories RENAME COLUMN FunctionName2 TO SiteCategory2■
ALTER TABLE TTaskList ADD COLUMN SearchKeyword2 TEXT(255) WITH COMPRESSION■
ALTER TABLE TTaskList ADD COLUMN VisitCount INT DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN VisitCountMobile INT DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN StayTimeMin INT DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN StayTimeMax INT DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN UseStayTime BIT NOT NULL DEFAULT False■
ALTER TABLE TTaskList ADD COLUMN ClickRatio INT DEFAULT 100■
CREATE VIEW [VTaskList] AS SELECT T.*,
	S.Alias AS SiteCategoryAlias,
	S.Path AS SiteCategoryPath
FROM TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory
ORDER BY T.IDX■

UPDATE TSettings SET [Val1] = '24' WHERE [ID] = 'DBVersion'■
