INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (46, 0, 'Coupang', 'www.coupang.com', '쿠팡', False, False, 15, 30)■
INSERT INTO TSiteCategories (ID, Type, SiteCategory, Path, Alias, IsMobile, IsReady, StayStart, StayEnd) VALUES (100046, 2, 'Related_Coupang', 'www.coupang.com', '쿠팡', False, False, 15, 30)■
UPDATE TSettings SET [Val1] = '228' WHERE [ID] = 'DBVersion'■
