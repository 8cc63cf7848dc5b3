ALTER TABLE [TIPKinds] DROP COLUMN [UseProxy]■
ALTER TABLE [TIPKinds] DROP COLUMN [ProxyList]■
UPDATE TIPKinds SET DomainCode = 'kr' WHERE DomainCode IS NULL■

UPDATE [TSettings] SET [Val1]="196" WHERE [ID]="DBVersion"■
