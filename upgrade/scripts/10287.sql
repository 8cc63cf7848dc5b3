UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE TSettings SET Val1="287" WHERE ID="DBVersion"■
