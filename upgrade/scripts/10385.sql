ALTER TABLE [TUserIdIPs] ADD [IdUploadReqDate] DATETIME DEFAULT 0■
SetColumnDescription TUserIdIPs    IdUploadReqDate = "아이디 업로드 요청 일시"■
