ALTER TABLE TTaskList ADD DoneCountMobile INT NOT NULL DEFAULT 0■
UPDATE TSettings SET Val1 = '27' WHERE ID = 'DBVersion'■
