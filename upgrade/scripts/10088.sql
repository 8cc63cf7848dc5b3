UPDATE TSettings SET Val2 = '7' WHERE ID = 'Stay.PageLoading'■
UPDATE [TSettings] SET [Val1]="88" WHERE [ID]="DBVersion"■
