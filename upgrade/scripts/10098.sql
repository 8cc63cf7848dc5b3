INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'KeywordListClick', 30, 0, '키워드 목록 클릭', 28 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'KeywordListClick')■
UPDATE TSettings SET TSettings.Val1 = '98' WHERE TSettings.ID = 'DBVersion'■
