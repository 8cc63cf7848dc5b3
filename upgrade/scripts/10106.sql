UPDATE TIPKinds SET MobileMethod = 0 WHERE IPKind = 1■
UPDATE [TSettings] SET [Val1]="106" WHERE [ID]="DBVersion"■
