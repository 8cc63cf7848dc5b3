INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 'SyncInterval', 10, 0, '동기화 주기(분)', 26 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'SyncInterval')■
UPDATE [TSettings] SET [Val1]="94" WHERE [ID]="DBVersion"■
