UPDATE TSettings SET Val2 = '14' WHERE ID = 'Stay.TaskTerm'■
UPDATE [TSettings] SET [Val1]="160" WHERE [ID]="DBVersion"■
