UPDATE TIPKinds SET FailCount = 0 WHERE FailCount > 0■
UPDATE TSettings SET TSettings.Val1 = '164' WHERE TSettings.ID = 'DBVersion'■
