ALTER TABLE [TUserProfiles] ADD [NNB] TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfiles] ADD [npic] TEXT(255) WITH COMPRESSION DEFAULT ""■
ALTER TABLE [TUserProfiles] ADD [NNB_CreateDate] DATETIME DEFAULT 0■
ALTER TABLE [TUserProfiles] ADD [npic_CreateDate] DATETIME DEFAULT 0■
ALTER TABLE [TUserProfiles] DROP COLUMN [CookieDir]■
SetColumnDescription TUserProfiles    NNB = "NNB"    ,npic = "npic"    ,NNB_CreateDate = "NNB 생성 일시"    ,npic_CreateDate = "npic 생성 일시"■
UPDATE [TSettings] SET Val1 = "265" WHERE ID = 'DBVersion'■
