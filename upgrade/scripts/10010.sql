ALTER TABLE [TFunctionPresets] ADD COLUMN [FunctionName2] TEXT(255) WITH COMPRESSION■UPDATE TFunctionPresets SET FunctionName2 = FunctionName■
UPDATE [TSettings] SET [Val1]="10" WHERE [ID]="DBVersion"■
