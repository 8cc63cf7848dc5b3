ALTER TABLE TUserProfiles ADD DomainType INT DEFAULT 0■
INSERT INTO TSettings (ID, Val1, Val2, Val3, Alias, [Order])SELECT TOP 1 'CookieCounts', '{"PC":' & A.Val1 & ',"Mobile":' & B.Val1 & ',"UsePC":' & C.Val1 & ',"UseMobile":' & D.Val1 & '}', '', '', '쿠키 수', 40FROM TSettings AS A, TSettings AS B, TSettings AS C, TSettings AS DWHERE A.ID = 'CookieCntPC' AND B.ID = 'CookieCntMobile' AND C.ID = 'UseCountCookiePC' AND D.ID = 'UseCountCookieMobile'AND NOT EXISTS (SELECT ID FROM TSettings WHERE ID = 'CookieCounts')■
DELETE FROM TSettings WHERE ID = 'CookieCntMobile'■
DELETE FROM TSettings WHERE ID = 'CookieCntPC'■
DELETE FROM TSettings WHERE ID = 'UseCountCookieMobile'■
DELETE FROM TSettings WHERE ID = 'UseCountCookiePC'■
SetColumnDescription TUserProfiles    DomainType = "도메인 종류"■
