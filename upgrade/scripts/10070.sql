INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'Suggest.ListClickA', 70, 0, '자동완성 목록 클릭 A', 19 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Suggest.ListClickA')■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'Suggest.ListClickB', 30, 0, '자동완성 목록 클릭 B', 20 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'Suggest.ListClickB')■
UPDATE [TSettings] SET [Val1]="70" WHERE [ID]="DBVersion"■
