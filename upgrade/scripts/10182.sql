ALTER TABLE TTaskList ALTER COLUMN IsScrollToPageBottom BIT DEFAULT 0■
ALTER TABLE TTaskList ALTER COLUMN ScrollMaxTime Long DEFAULT 15■
UPDATE TSettings SET TSettings.Val1 = '182' WHERE TSettings.ID = 'DBVersion'■
