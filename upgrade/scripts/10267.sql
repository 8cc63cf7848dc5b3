UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE TSettings SET Val1 = '267' WHERE ID = 'DBVersion'■
