UPDATE TSettings SET Val2 = '8' WHERE ID = 'Stay.TaskTerm'■
UPDATE [TSettings] SET [Val1]="280" WHERE [ID]="DBVersion"■
