ALTER TABLE [TFunctionPresets] ADD COLUMN [Remark] TEXT(255) WITH COMPRESSION■
UPDATE [TSettings] SET [Val1]="16" WHERE [ID]="DBVersion"■
