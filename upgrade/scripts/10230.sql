ALTER TABLE TTaskList ADD COLUMN RelatedDuplicateCheckKeyword LONG DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN IsSearchKeywordA BIT DEFAULT False■
SetColumnDescription TTaskList
    RelatedDuplicateCheckKeyword = "연관 중복 확인 키워드"
    ,IsSearchKeywordA = "검색 키워드 A 여부"■

UPDATE TSettings SET TSettings.Val1 = '230' WHERE TSettings.ID = 'DBVersion'■
