UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE TSettings SET [Val1] = '222' WHERE [ID] = 'DBVersion'■
