ALTER TABLE [TTaskList] ADD [SearchCount] INT NOT NULL DEFAULT 0■UPDATE [TSettings] SET Val1 = "13" WHERE ID = 'DBVersion'■
