UPDATE TSettings SET Val1 = '6' WHERE ID = 'SyncInterval'■
