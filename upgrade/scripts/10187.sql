UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE [TSettings] SET Val1 = "187" WHERE ID = 'DBVersion'■
