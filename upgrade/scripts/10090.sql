ALTER TABLE TTaskList ADD COLUMN LastUpdateDate DATE DEFAULT NOW■
UPDATE TSettings SET [Val1] = '90' WHERE [ID] = 'DBVersion'■
