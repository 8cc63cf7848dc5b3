UPDATE TSettings SET Val1 = '6' WHERE ID = 'SyncInterval'■
UPDATE TSettings SET Val1="263" WHERE ID="DBVersion"■
