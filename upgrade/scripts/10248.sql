UPDATE TSettings SET Val1 = '3' WHERE ID = 'SyncInterval'■
UPDATE TSettings SET TSettings.Val1 = '248' WHERE TSettings.ID = 'DBVersion'■
