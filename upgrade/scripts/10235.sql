UPDATE TSettings SET Val2 = '12' WHERE ID = 'Stay.TaskTerm'■
UPDATE [TSettings] SET Val1 = "235" WHERE ID = 'DBVersion'■
