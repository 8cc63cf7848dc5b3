UPDATE TTaskList SET MaxPage = 10 WHERE MaxPage = 0 OR MaxPage IS NULL■UPDATE TSettings SET [Val1] = '30' WHERE [ID] = 'DBVersion'■
