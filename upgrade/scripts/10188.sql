UPDATE TSettings SET Val1 = '3' WHERE ID = 'SyncInterval'■
UPDATE TSettings SET TSettings.Val1 = '188' WHERE TSettings.ID = 'DBVersion'■
