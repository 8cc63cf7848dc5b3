ALTER TABLE TTaskList ADD COLUMN PrevPageNumber INT DEFAULT -1■
UPDATE TSettings SET TSettings.Val1 = '86' WHERE TSettings.ID = 'DBVersion'■
