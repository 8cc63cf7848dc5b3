INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'MovePrevPage', 0, 0, '이전 페이지 이동', 22 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'MovePrevPage')■
UPDATE [TSettings] SET [Val1]="82" WHERE [ID]="DBVersion"■
