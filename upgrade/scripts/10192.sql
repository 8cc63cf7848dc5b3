UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE TSettings SET [Val1] = '192' WHERE [ID] = 'DBVersion'■
