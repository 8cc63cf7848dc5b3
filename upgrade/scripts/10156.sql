ALTER TABLE TUserProfiles ADD COLUMN IsLocationConfig BIT DEFAULT 0■
UPDATE TSettings SET [Val1] = '156' WHERE [ID] = 'DBVersion'■
