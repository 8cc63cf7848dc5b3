INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "VisibleSearchRankerWindow", 0, 0, "순위조회 창 표시", 24 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "VisibleSearchRankerWindow")■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "MovePrevPageNumber", 1, 0, "이전 페이지 이동 수", 25 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "MovePrevPageNumber")■
UPDATE TSettings SET [Val1] = '84' WHERE [ID] = 'DBVersion'■
