CREATE VIEW [VTaskList] AS SELECT T.*,	S.ID AS SiteCategoryID,	S.Alias AS SiteCategoryAlias,	S.Path AS SiteCategoryPathFROM TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategoryORDER BY T.IDX■
UPDATE TSettings SET Val1="29" WHERE ID="DBVersion"■
