ALTER TABLE [TUserIdIPs] ADD COLUMN [LastRequestDate] DATETIME DEFAULT 0■
SetColumnDescription TUserIdIPs
    LastRequestDate = "마지막 요청 일시"■
