ALTER TABLE TTaskList ADD IsVisitMap BIT DEFAULT False■
SetColumnDescription TTaskList    IsVisitMap = "방문 지도 여부"■
UPDATE TSettings SET Val1 = '297' WHERE ID = 'DBVersion'■
