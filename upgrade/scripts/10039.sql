UPDATE TTaskList SET MaxPage2 = 10 WHERE MaxPage2 = 0■
UPDATE TSettings SET Val1 = '39' WHERE ID = 'DBVersion'■
