ALTER TABLE [TTaskList] ADD [CookieRatio] INT DEFAULT 0■
ALTER TABLE [TTaskList] ADD [LoginRatio] INT DEFAULT 0■
UPDATE [TSettings] SET Val1 = "103" WHERE ID = 'DBVersion'■
