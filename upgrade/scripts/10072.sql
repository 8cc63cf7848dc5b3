INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "Suggest.SearchRate", 50, 0, "자동완성 검색 비율", 21 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "Suggest.SearchRate")■
UPDATE TSettings SET [Val1] = '72' WHERE [ID] = 'DBVersion'■
