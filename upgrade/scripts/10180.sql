UPDATE TSettings SET Val2 = '13' WHERE ID = 'Stay.TaskTerm'■
UPDATE TSettings SET [Val1] = '180' WHERE [ID] = 'DBVersion'■
