UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE [TSettings] SET Val1 = "247" WHERE ID = 'DBVersion'■
