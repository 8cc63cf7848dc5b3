ALTER TABLE TTaskList ADD COLUMN IsSearchPageShopping BIT DEFAULT 0■
UPDATE TSettings SET [Val1] = '144' WHERE [ID] = 'DBVersion'■
