ALTER TABLE TUserProfiles ADD COLUMN UserIDX LONG DEFAULT 0■
UPDATE TSettings SET TSettings.Val1 = '122' WHERE TSettings.ID = 'DBVersion'■
