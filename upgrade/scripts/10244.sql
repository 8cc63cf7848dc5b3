UPDATE TIPKinds SET FailCount = 0 WHERE FailCount > 0■
UPDATE [TSettings] SET [Val1]="244" WHERE [ID]="DBVersion"■
