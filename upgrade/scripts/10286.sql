ALTER TABLE [TTaskList] ADD COLUMN [RelatedKeywordList] MEMO WITH COMPRESSION■
UPDATE [TSettings] SET [Val1]="286" WHERE [ID]="DBVersion"■
