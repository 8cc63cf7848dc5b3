UPDATE TSettings SET Val1 = '5', Val2 = '8' WHERE ID = 'Stay.TaskTerm'■
UPDATE [TSettings] SET Val1 = "43" WHERE ID = 'DBVersion'■
