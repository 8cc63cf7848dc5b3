ALTER TABLE TTaskList ADD TotalListCount LONG DEFAULT -1■
ALTER TABLE TTaskList ADD TotalListCount5 LONG DEFAULT -1■
ALTER TABLE TTaskList ADD TotalListCountStep LONG DEFAULT 0■
ALTER TABLE TTaskLog ADD TotalListCount LONG DEFAULT -1■
ALTER TABLE TTaskLog ADD TotalListCount5 LONG DEFAULT -1■
ALTER TABLE TTaskLog ADD TotalListCountStep LONG DEFAULT 0■
SetColumnDescription TTaskList    TotalListCount = '전체 목록 횟수'    ,TotalListCount5 = '전체 목록 횟수 5'    ,TotalListCountStep = '전체 목록 횟수 단계'■
