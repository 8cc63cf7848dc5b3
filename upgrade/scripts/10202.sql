UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE [TSettings] SET [Val1]="202" WHERE [ID]="DBVersion"■
