ALTER TABLE [TUserProfiles] ADD [CacheDeletedDate] DATE DEFAULT 0■
SetColumnDescription TUserProfiles
    CacheDeletedDate = "캐시 삭제 일시"■
