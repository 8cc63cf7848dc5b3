UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
UPDATE TSettings SET TSettings.Val1 = '152' WHERE TSettings.ID = 'DBVersion'■
