UPDATE TIPKinds SET FailCount = 0 WHERE FailCount > 0■
UPDATE TSettings SET TSettings.Val1 = '254' WHERE TSettings.ID = 'DBVersion'■
