ALTER TABLE TTaskList ADD LastRank INT DEFAULT 0■UPDATE TTaskList SET LastRank = CurrentRank■
UPDATE TSettings SET Val1 = '9' WHERE ID = 'DBVersion'■
