ALTER TABLE TTaskList ADD COLUMN Arg6 TEXT(255) WITH COMPRESSION DEFAULT ""■
SetColumnDescription TTaskList
    Arg6 = '추가 인수'■
