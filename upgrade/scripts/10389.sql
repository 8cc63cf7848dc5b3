ALTER TABLE TUserProfiles ADD LastOverwriteDate MEMO WITH COMPRESSION DEFAULT "0"■
SetColumnDescription TUserProfiles    LastOverwriteDate = "마지막 덮어쓰기 일시"■
