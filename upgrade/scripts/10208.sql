ALTER TABLE [TIPKinds] ADD COLUMN [ResetMAC] BIT NOT NULL DEFAULT 0■
SetColumnDescription TIPKinds
    ResetMAC = "초기화 MAC"■
UPDATE [TSettings] SET [Val1]="208" WHERE [ID]="DBVersion"■
