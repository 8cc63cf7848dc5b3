ALTER TABLE [TUserProfiles] ADD [LastLoadedDate] DATE NULL■
ALTER TABLE [TKeywordGroup] ADD [KeywordCount] LONG DEFAULT 0■
ALTER TABLE [TUserProfiles] ADD [LoadedCount] LONG DEFAULT 0■
SetColumnDescription TUserProfiles
    LastLoadedDate = "마지막 로드 일시"■
