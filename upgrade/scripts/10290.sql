ALTER TABLE TTaskList ADD COLUMN RelatedKeywordDate DATETIME DEFAULT NULL■
UPDATE TTaskList SET RelatedKeywordDate = Now() WHERE NOT RelatedKeywords IS NULL■
SetColumnDescription TTaskList
    RelatedKeywordDate = "연관 키워드 일시"■
