UPDATE TSettings SET Val2 = '10' WHERE ID = 'Stay.TaskTerm'■
UPDATE TSettings SET TSettings.Val1 = '170' WHERE TSettings.ID = 'DBVersion'■
