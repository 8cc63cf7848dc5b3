UPDATE TSettings SET Val2 = '10' WHERE ID = 'Stay.TaskTerm'■
UPDATE TSettings SET [Val1] = '240' WHERE [ID] = 'DBVersion'■
