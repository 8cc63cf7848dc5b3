ALTER TABLE [TUserIdIPs] ADD COLUMN [MobileLoginDate] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [PCLoginDate] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [MobileExpiredDate] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [PCExpiredDate] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [MobileLoginIdCookieSyncDate] DATETIME DEFAULT 0■
ALTER TABLE [TUserIdIPs] ADD COLUMN [PCLoginIdCookieSyncDate] DATETIME DEFAULT 0■

SetColumnDescription TUserIdIPs
    MobileLoginDate = "모바일 로그인 일시"
    ,PCLoginDate = "PC 로그인 일시"
    ,MobileExpiredDate = "모바일 만료 일시"
    ,PCExpiredDate = "PC 만료 일시"
    ,MobileLoginIdCookieSyncDate = "모바일 로그인 아이디 쿠키 동기화 일시"
    ,PCLoginIdCookieSyncDate = "PC 로그인 아이디 쿠키 동기화 일시"■
