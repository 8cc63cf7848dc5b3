ALTER TABLE [TTaskList] ADD [Arg2NvMid] TEXT(50) WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TTaskList] ADD [Arg5NvMid] TEXT(50) WITH COMPRESSION DEFAULT ""■
UPDATE TTaskList SET Arg2NvMid = NvMid WHERE NOT NvMid IS NULL■
ALTER TABLE [TTaskList] DROP COLUMN [NvMid]■
SetColumnDescription TTaskList
    Arg2NvMid = "Arg2 상품 번호"
    ,Arg5NvMid = "Arg5 상품 번호"■
