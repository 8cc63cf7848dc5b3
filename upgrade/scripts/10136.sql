ALTER TABLE [TUserProfiles] DROP COLUMN [UserIDX]■
UPDATE [TSettings] SET [Val1]="136" WHERE [ID]="DBVersion"■
