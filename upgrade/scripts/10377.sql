ALTER TABLE TUserIdIPs ADD ecssd DATETIME DEFAULT 0■
ALTER TABLE TUserIdIPs ADD ccssd DATETIME DEFAULT 0■
SetColumnDescription TUserIdIPs    ecssd = "쿠키 동기화 일시(모바일)"    ,ccssd = "쿠키 동기화 일시(PC)"■
