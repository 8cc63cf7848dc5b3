INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "IsWebSync", 0, 0, "웹 동기화 사용", 27 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "IsWebSync")■
UPDATE TSettings SET [Val1] = '96' WHERE [ID] = 'DBVersion'■
