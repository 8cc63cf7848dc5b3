ALTER TABLE TUserProfiles ADD COLUMN IsEnabled BIT DEFAULT True■
SetColumnDescription TUserProfiles
    IsEnabled = "사용 여부"■
UPDATE TSettings SET TSettings.Val1 = '242' WHERE TSettings.ID = 'DBVersion'■
