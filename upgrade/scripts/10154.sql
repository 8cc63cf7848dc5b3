UPDATE TIPKinds SET FailCount = 0 WHERE FailCount > 0■
UPDATE [TSettings] SET [Val1]="154" WHERE [ID]="DBVersion"■
