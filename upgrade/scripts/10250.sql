ALTER TABLE [TSiteCategories] ADD COLUMN [IsReadyCafeAction] BIT DEFAULT False■
;■
ALTER TABLE [TTaskList] ADD COLUMN [CafeActionCount] LONG DEFAULT 0■
ALTER TABLE [TTaskList] ADD COLUMN [DoneCountCafeAction] LONG DEFAULT 0■
ALTER TABLE [TTaskList] ADD COLUMN [DoneCountCafeActionInWeb] LONG DEFAULT 0■
ALTER TABLE [TTaskList] ADD COLUMN [old_CafeActionCount] LONG DEFAULT 0■
ALTER TABLE [TTaskList] ADD COLUMN [IsPossibleCafeAction] BIT DEFAULT True■
ALTER TABLE [TTaskLogHour] ADD COLUMN [DoneCountCafeAction] LONG DEFAULT 0■
ALTER TABLE [TTaskLogDay] ADD COLUMN [DoneCountCafeAction] LONG DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [CafeActionCount] LONG DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [CafeActionCountDay] LONG DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [LastCafeActionDate] DATETIME DEFAULT 0■
ALTER TABLE [TIPKinds] ADD COLUMN [CafeActionIdPortion] LONG NOT NULL DEFAULT 0■
UPDATE TSiteCategories SET IsReadyCafeAction = True WHERE SiteCategory LIKE '%Cafe%'■

UPDATE [TSettings] SET [Val1]="250" WHERE [ID]="DBVersion"■
