ALTER TABLE [TTaskList] ADD [IPKind] INT DEFAULT 0■
UPDATE [TSettings] SET Val1 = "19" WHERE ID = 'DBVersion'■
