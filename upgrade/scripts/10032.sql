ALTER TABLE TIPKinds ADD COLUMN BlockImage INT NOT NULL DEFAULT 0■
UPDATE TSettings SET TSettings.Val1 = '32' WHERE TSettings.ID = 'DBVersion'■
