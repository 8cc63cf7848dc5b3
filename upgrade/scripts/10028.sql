ALTER TABLE [TTaskList] ADD COLUMN [TodayDoneCount] INT DEFAULT 0■
UPDATE [TSettings] SET [Val1]="28" WHERE [ID]="DBVersion"■
