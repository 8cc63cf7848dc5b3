ALTER TABLE TUserProfiles ADD COLUMN IsCreateCookies BIT DEFAULT FALSE■
ALTER TABLE TUserProfiles ADD COLUMN NNB_UseCount LONG DEFAULT 0■
SetColumnDescription TUserProfiles
    IsCreateCookies = "생성 Cookies 여부"■

UPDATE TSettings SET TSettings.Val1 = '266' WHERE TSettings.ID = 'DBVersion'■
