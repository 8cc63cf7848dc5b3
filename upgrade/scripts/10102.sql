ALTER TABLE TSettings ADD COLUMN Val3 TEXT(255) WITH COMPRESSION DEFAULT ""■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order]) SELECT TOP 1 'CookieRatio', 50, 50, 50, '쿠키 사용 비율', 32 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'CookieRatio')■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order]) SELECT TOP 1 'CookieCntPC', 300, 300, 300, 'PC 쿠키 수', 32 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'CookieCntPC')■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order]) SELECT TOP 1 'CookieCntMobile', 300, 300, 300, '모바일 쿠키 수', 29 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'CookieCntMobile')■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order]) SELECT TOP 1 'IsSearchMonthCnt', 0, 0, 0, '월간 검색수 사용', 30 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'IsSearchMonthCnt')■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order]) SELECT TOP 1 'SearchPCRatio', 30, 30, 30, 'PC 검색 비율', 34 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'SearchPCRatio')■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order]) SELECT TOP 1 'SearchMobileRatio', 70, 70, 70, '모바일 검색 비율', 31 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'SearchMobileRatio')■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order]) SELECT TOP 1 'RelationLogic', 1, 1, 1, '연관 로직', 34 FROM TSettings WHERE NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'RelationLogic')■

UPDATE TSettings SET [Val1] = '102' WHERE [ID] = 'DBVersion'■
