UPDATE TSiteCategories SET IsReady = True WHERE ID = 15■
UPDATE [TSettings] SET [Val1]="256" WHERE [ID]="DBVersion"■
