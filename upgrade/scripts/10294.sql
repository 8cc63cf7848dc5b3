ALTER TABLE TTaskList ADD COLUMN ProductCondition TEXT(100) WITH COMPRESSION DEFAULT ""■
SetColumnDescription TTaskList
    ProductCondition = "상품 상태"■
UPDATE TSettings SET [Val1] = '294' WHERE [ID] = 'DBVersion'■
