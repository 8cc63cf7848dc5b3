ALTER TABLE TTaskLog ADD IsSearchKeywordA BIT DEFAULT False■
SetColumnDescription TTaskLog
    IsSearchKeywordA = "검색 키워드 A 여부"■
UPDATE TSettings SET Val1 = '231' WHERE ID = 'DBVersion'■
