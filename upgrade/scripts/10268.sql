UPDATE TSettings SET Val1 = '3' WHERE ID = 'SyncInterval'■
UPDATE [TSettings] SET [Val1]="268" WHERE [ID]="DBVersion"■
