ALTER TABLE TUserProfiles ADD IsDeleteAfterUsed BIT DEFAULT False■
ALTER TABLE TUserIdIPs ADD IsDeleteAfterUsed BIT DEFAULT False■
DELETE FROM TUserActions WHERE ActionDate = 0■
SetColumnDescription TUserProfiles    IsDeleteAfterUsed = '삭제 이후 사용 여부'■
