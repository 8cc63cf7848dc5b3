UPDATE TSettings SET Val1 = '5' WHERE ID = 'SyncInterval'■UPDATE [TSettings] SET Val1 = "97" WHERE ID = 'DBVersion'■
