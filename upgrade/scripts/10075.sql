UPDATE TTaskList SET SearchType = 0 WHERE SearchType IS NULL■
UPDATE TSettings SET Val1 = '75' WHERE ID = 'DBVersion'■
