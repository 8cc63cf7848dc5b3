ALTER TABLE [TTaskList] DROP COLUMN [NewPostCheckDate]■
UPDATE [TSettings] SET Val1 = "283" WHERE ID = 'DBVersion'■
