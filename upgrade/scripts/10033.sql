UPDATE TIPKinds SET Portion = 100 WHERE IPKind = 0 AND Portion = 0■UPDATE TSettings SET Val1 = '33' WHERE ID = 'DBVersion'■
