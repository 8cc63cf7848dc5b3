ALTER TABLE [TIPKinds] ADD COLUMN [CookieMode] INT DEFAULT 0■
UPDATE [TSettings] SET [Val1]="100" WHERE [ID]="DBVersion"■
