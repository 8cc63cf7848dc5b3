UPDATE TCodes SET [Order] = Val WHERE Code = 'IdState'■
