UPDATE TSettings SET Val1 = '5' WHERE ID = 'SyncInterval'■
UPDATE TSettings SET TSettings.Val1 = '218' WHERE TSettings.ID = 'DBVersion'■
