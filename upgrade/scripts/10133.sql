ALTER TABLE [TTaskList] ADD [IsAddVisit] BIT DEFAULT 1■ALTER TABLE [TTaskList] ADD [AddVisitRatio] INT DEFAULT 50■
ALTER TABLE [TTaskList] ADD [IsScrollToPageBottom] INT DEFAULT 0■
ALTER TABLE [TTaskList] ADD [ScrollMaxTime] INT DEFAULT 15■
UPDATE [TSettings] SET Val1 = "133" WHERE ID = 'DBVersion'■
