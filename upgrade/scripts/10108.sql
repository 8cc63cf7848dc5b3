INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "UseCountCookieMobile", 3, 5, "모바일 쿠키 사용 횟수", 40 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "UseCountCookieMobile")■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "UseCountCookiePC", 3, 5, "PC 쿠키 사용 횟수", 41 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "UseCountCookiePC")■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "UseCountLoginMobile", 3, 5, "모바일 로그인 사용 횟수", 42 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "UseCountLoginMobile")■
INSERT INTO TSettings (ID, Val1, Val2, Alias, [Order]) SELECT TOP 1 "UseCountLoginPC", 3, 5, "PC 로그인 사용 횟수", 43 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = "UseCountLoginPC")■

UPDATE TSettings SET [Val1] = '108' WHERE [ID] = 'DBVersion'■
