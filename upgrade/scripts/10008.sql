ALTER TABLE TTaskList ADD COLUMN DoneCount INT NOT NULL DEFAULT 0■
UPDATE TSettings SET TSettings.Val1 = '8' WHERE TSettings.ID = 'DBVersion'■
