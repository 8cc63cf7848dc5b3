ALTER TABLE TTaskList ADD COLUMN SearchPriceStart MONEY DEFAULT 0■
ALTER TABLE TTaskList ADD COLUMN SearchPriceEnd MONEY DEFAULT 0■
SetColumnDescription TTaskList
    SearchPriceStart = "검색 가격 시작"
    ,SearchPriceEnd = "검색 가격 종료"■

UPDATE TSettings SET TSettings.Val1 = '260' WHERE TSettings.ID = 'DBVersion'■
