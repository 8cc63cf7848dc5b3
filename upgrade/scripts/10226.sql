INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'Stay.FocusURL', 0, 1, 'URL링크 포커싱', 5 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.FocusURL')■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'Stay.Typing', 1, 3, '검색어 입력 대기', 3 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Stay.Typing')■
UPDATE [TSettings] SET [Val1]="226" WHERE [ID]="DBVersion"■
