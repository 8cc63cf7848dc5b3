UPDATE TSettings SET Val2 = '9' WHERE ID = 'Stay.TaskTerm'■
UPDATE [TSettings] SET [Val1]="190" WHERE [ID]="DBVersion"■
