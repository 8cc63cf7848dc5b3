UPDATE TSettings SET Val1 = '1' WHERE ID = 'RelationType'■
UPDATE TSettings SET TSettings.Val1 = '62' WHERE TSettings.ID = 'DBVersion'■
