ALTER TABLE TTaskLogHour ADD UpdateCount INT DEFAULT 0■UPDATE TSettings SET Val1 = '21' WHERE ID = 'DBVersion'■
