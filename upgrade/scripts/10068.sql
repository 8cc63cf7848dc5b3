UPDATE TIPKinds SET ParentIPKind = 1 WHERE IPKind = 4■
UPDATE TSettings SET TSettings.Val1 = '68' WHERE TSettings.ID = 'DBVersion'■
