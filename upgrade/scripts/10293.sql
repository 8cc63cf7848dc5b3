UPDATE TSettings SET Val1 = '4' WHERE ID = 'SyncInterval'■UPDATE TSettings SET Val1="293" WHERE ID="DBVersion"■
