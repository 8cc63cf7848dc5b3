ALTER TABLE [TTaskList] ADD [ExtraInfo] MEMO WITH COMPRESSION DEFAULT ""■
SetColumnDescription TTaskList    ExtraInfo = "추가 정보"■
