UPDATE TSettings SET Val2 = '11' WHERE ID = 'Stay.TaskTerm'■
UPDATE [TSettings] SET [Val1]="220" WHERE [ID]="DBVersion"■
