ALTER TABLE [TTaskList] ADD [PersonalLogSN] LONG DEFAULT 0■
UPDATE [TSettings] SET Val1 = "163" WHERE ID = 'DBVersion'■
