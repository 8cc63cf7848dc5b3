ALTER TABLE [TActionList] ADD COLUMN [StartDate] DATE DEFAULT 0■
ALTER TABLE [TActionList] ADD COLUMN [EndDate] DATE DEFAULT 0■
ALTER TABLE [TActionList] ADD COLUMN [IsFailed] BIT DEFAULT False■
UPDATE TActionList SET StartDate = ActionDate, EndDate = ActionDate■
ALTER TABLE [TActionList] DROP COLUMN [ActionDate]■
SetColumnDescription TActionList
    StartDate = "시작 일시"
    ,EndDate = "종료 일시"
    ,IsFailed = "Failed 여부"■

UPDATE [TSettings] SET [Val1]="238" WHERE [ID]="DBVersion"■
