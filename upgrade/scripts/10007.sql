ALTER TABLE [TTaskList] ADD [UseFrequency24] BIT NOT NULL DEFAULT False■
UPDATE [TSettings] SET Val1 = "7" WHERE ID = 'DBVersion'■
