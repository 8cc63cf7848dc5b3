ALTER TABLE TUserProfiles ADD COLUMN CopiedUserId TEXT(50) WITH COMPRESSION DEFAULT ""■
SetColumnDescription TUserProfiles
    CopiedUserId = "복사된 사용자 아이디"■
