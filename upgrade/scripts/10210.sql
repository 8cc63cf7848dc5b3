UPDATE TSettings SET Val2 = '8' WHERE ID = 'Stay.TaskTerm'■
UPDATE TSettings SET [Val1] = '210' WHERE [ID] = 'DBVersion'■
