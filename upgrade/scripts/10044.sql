INSERT INTO TSettings (ID, Val1, Val2, Alias) SELECT TOP 1 "Stay.RelatedVisit", 20, 40, "연관검색어 방문 체류" FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "Stay.RelatedVisit")■
ALTER TABLE TTaskList DROP COLUMN VisitCount■
ALTER TABLE TTaskList DROP COLUMN VisitCountMobile■

UPDATE TSettings SET TSettings.Val1 = '44' WHERE TSettings.ID = 'DBVersion'■
