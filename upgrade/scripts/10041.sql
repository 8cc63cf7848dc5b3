ALTER TABLE TSettings ADD Alias TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE TSiteCategories ADD StayStart INT NOT NULL DEFAULT 0■
ALTER TABLE TSiteCategories ADD StayEnd INT NOT NULL DEFAULT 0■
ALTER TABLE TTaskList ADD FrequencyWeeks TEXT(100) WITH COMPRESSION DEFAULT "100,100,100,100,100,100,100"■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Stay.PageLoading', 3, 5, '페이지 로딩 대기' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.PageLoading')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Stay.PartURL', 2, 4, 'URL 부분 체류' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.PartURL')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Stay.FocusURL', 0, 1, 'URL링크 포커싱' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.FocusURL')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Stay.Typing', 1, 3, '검색어 입력 대기' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.Typing')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Stay.FocusSearchButton', 1, 2, '검색버튼 포커싱' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.FocusSearchButton')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'Stay.TaskTerm', 5, 10, '작업 간격' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.TaskTerm')■
INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 'HotKeywordUsed', 0, 0, '인기검색어 사용' FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'HotKeywordUsed')■
UPDATE TSiteCategories SET StayStart = 20, StayEnd = 40 WHERE SiteCategory = 'Naver_Blog'■
UPDATE TSiteCategories SET StayStart = 30, StayEnd = 60 WHERE SiteCategory = 'Naver_Cafe'■
UPDATE TSiteCategories SET StayStart = 40, StayEnd = 80 WHERE SiteCategory = 'Naver_Shopping'■
UPDATE TSiteCategories SET StayStart = 50, StayEnd = 100 WHERE SiteCategory = 'Naver_News'■
UPDATE TSiteCategories SET StayStart = 20, StayEnd = 40 WHERE SiteCategory = 'Naver_KnowledgeiN'■
UPDATE TSiteCategories SET StayStart = 30, StayEnd = 60 WHERE SiteCategory = 'Naver_Post'■
UPDATE TSiteCategories SET StayStart = 40, StayEnd = 80 WHERE SiteCategory = 'Naver_Web'■
UPDATE TSiteCategories SET StayStart = 50, StayEnd = 100 WHERE SiteCategory = 'Naver_Image'■
UPDATE TSiteCategories SET StayStart = 20, StayEnd = 40 WHERE SiteCategory = 'Naver_Video'■
UPDATE TSiteCategories SET StayStart = 30, StayEnd = 60 WHERE SiteCategory = 'Naver_Place'■
UPDATE TSiteCategories SET StayStart = 40, StayEnd = 80 WHERE SiteCategory = 'Daum_Blog'■
UPDATE TSiteCategories SET StayStart = 50, StayEnd = 100 WHERE SiteCategory = 'Daum_Cafe'■
UPDATE TSiteCategories SET StayStart = 20, StayEnd = 40 WHERE SiteCategory = 'Tistory'■
UPDATE TSiteCategories SET StayStart = 20, StayEnd = 40 WHERE SiteCategory = 'Mobile_Naver_Blog'■
UPDATE TSiteCategories SET StayStart = 25, StayEnd = 50 WHERE SiteCategory = 'Mobile_Naver_Cafe'■
UPDATE TSiteCategories SET StayStart = 15, StayEnd = 30 WHERE SiteCategory = 'Mobile_Naver_Shopping'■
UPDATE TSiteCategories SET StayStart = 20, StayEnd = 40 WHERE SiteCategory = 'Mobile_Naver_News'■
UPDATE TSiteCategories SET StayStart = 25, StayEnd = 50 WHERE SiteCategory = 'Mobile_Naver_KnowledgeiN'■
UPDATE TSiteCategories SET StayStart = 15, StayEnd = 30 WHERE SiteCategory = 'Mobile_Naver_Restaurant'■
UPDATE TSiteCategories SET StayStart = 20, StayEnd = 40 WHERE SiteCategory = 'Mobile_Naver_Post'■
UPDATE TSiteCategories SET StayStart = 25, StayEnd = 50 WHERE SiteCategory = 'Mobile_Daum_Blog'■
UPDATE TSiteCategories SET StayStart = 15, StayEnd = 30 WHERE SiteCategory = 'Mobile_Daum_Cafe'■
CREATE VIEW [VTaskList] AS SELECT T.*,	S.ID AS SiteCategoryID,	S.Alias AS SiteCategoryAlias,	S.Path AS SiteCategoryPath,	C.Description AS FunctionTypeName,	IIf(IsNull(D0.DoneCount), 0, D0.DoneCount) AS TodayDoneCount,	IIf(IsNull(D1.DoneCount), 0, D1.DoneCount) AS YesterdayDoneCountFROM (((TTaskList AS T LEFT JOIN TSiteCategories AS S ON T.SiteCategory = S.SiteCategory) INNER JOIN TCodes AS C ON T.FunctionType = C.Val) LEFT JOIN TTaskLogDay AS D0 ON (T.IDX = D0.TaskIDX AND Format(D0.LogDate, "yyyymmdd") = Format(Now(), "yyyymmdd"))) LEFT JOIN TTaskLogDay AS D1 ON (T.IDX = D1.TaskIDX AND Format(D1.LogDate, "yyyymmdd") = Format(DateAdd("d", -1, Now()), "yyyymmdd"))WHERE C.Code = 'FunctionType'ORDER BY T.IDX■
UPDATE TSettings SET Val1="41" WHERE ID="DBVersion"■
