UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE [TSettings] SET [Val1]="172" WHERE [ID]="DBVersion"■
