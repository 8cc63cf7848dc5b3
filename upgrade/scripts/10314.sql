ALTER TABLE TTaskList ADD COLUMN IgnoreRank BIT DEFAULT False■
SetColumnDescription TTaskList
    IgnoreRank = "무시 순위"■
