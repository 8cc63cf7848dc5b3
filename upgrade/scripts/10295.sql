UPDATE TSettings SET Val2 = '9' WHERE ID = 'Stay.TaskTerm'■
UPDATE [TSettings] SET Val1 = "295" WHERE ID = 'DBVersion'■
